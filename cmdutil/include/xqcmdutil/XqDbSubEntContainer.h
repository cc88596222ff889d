#pragma once

#include <list>
#include <set>

#include "sdk/db/QvDbEntity.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqRxMembers.h"

// The offset preview entity: a custom entity that holds other entities, not in a database,
// and draws them as one. Its runtime class is registered when the module loads, with the DXF
// name "QVDBOFFSETPREVIEWENTITY".
//
// Each sub-entity is held once; drawing follows the order of adding. A container made to own
// its sub-entities deletes them when it is destroyed; otherwise their maker does.
//
// A copy (the state a transaction saves, a clone) refers to the same sub-entities and never
// owns them; copy assignment takes the other's sub-entities and keeps its own ownership.
class XQCMDUTIL_EXPORT XqDbSubEntContainer : public QvDbEntity {
 public:
  XQRX_DECLARE_MEMBERS(XqDbSubEntContainer);
  // Registers the class with `appNameChange` as its application-name-change callback.
  static void rxInit(QvRxAppNameChangeFunc appNameChange);

  XqDbSubEntContainer();
  explicit XqDbSubEntContainer(bool ownsSubEntities);
  XqDbSubEntContainer(const XqDbSubEntContainer& other);
  XqDbSubEntContainer& operator=(const XqDbSubEntContainer& other);
  ~XqDbSubEntContainer() override;

  // False for null and for an entity that belongs to a database (the database owns it); true,
  // and nothing changes, for an entity already held.
  bool addSubEntity(QvDbEntity* entity);
  // Stops holding the entity (it is not deleted); false for null or one not held.
  bool deleteSubEntity(QvDbEntity* entity);
  // Deletes every sub-entity, owned or not, and empties the container. One that joined a
  // database after it was added is let go, not deleted.
  void clearSubEntity();

  bool ownsSubEntities() const { return m_ownsSubEntities; }
  // The sub-entities in drawing order.
  const std::list<QvDbEntity*>& subEntities() const { return m_drawList; }

 protected:
  // Draws the sub-entities in the order added; true, also when there are none.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  // The same for one viewport.
  void subViewportDraw(QvGiViewportDraw* vd) override;
  // The union of the sub-entities' extents; eInvalidExtents when none has any.
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

  QvDbObject* copyState() const override { return new XqDbSubEntContainer(*this); }
  void takeState(const QvDbObject& from) override {
    *this = static_cast<const XqDbSubEntContainer&>(from);
  }

 private:
  std::set<QvDbEntity*> m_subEntities;  // each sub-entity once
  std::list<QvDbEntity*> m_drawList;    // the same, in the order added
  bool m_ownsSubEntities;
};
