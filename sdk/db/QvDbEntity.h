#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbObject.h"

class QvGeMatrix3d;

// An object with a graphical representation, owned by a block table record (its block). The
// base keeps the layer; the entity classes add their geometry and override the protected
// sub* hooks, which the public operations call after checking the open state:
//   subTransformBy         transformBy (open for write)
//   subGetTransformedCopy  getTransformedCopy (default: clone, then subTransformBy)
//   subExplode             explode
//   subGetGeomExtents      getGeomExtents
//   subWorldDraw, subViewportDraw (QvGiDrawable) drawing
// The defaults answer eNotApplicable (eInvalidExtents for extents): an entity class without
// geometry has nothing to transform, explode or measure.
class QvDbEntity : public QvDbObject {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbEntity);

  // The block table record that owns the entity (null when not in a database).
  QvDbObjectId blockId() const { return ownerId(); }

  QvDbObjectId layerId() const;
  QvString layer() const;  // the layer's name; empty when it has none
  // The layer must be a layer record of the entity's database (eWrongObjectType,
  // eWrongDatabase). By name: the layer of that name in the entity's database, or in `db` for
  // an entity not in a database (eKeyNotFound when it has none).
  Vexa::ErrorStatus setLayer(QvDbObjectId layerId);
  Vexa::ErrorStatus setLayer(const wchar_t* layerName, QvDbDatabase* db = nullptr);
  // Takes the current settings of `db` (the entity's database, or the working database when
  // it has none): the current layer.
  Vexa::ErrorStatus setDatabaseDefaults(QvDbDatabase* db = nullptr);

  // Transforms the entity in place; on failure it is unchanged.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& xform);
  // A new entity (in no database, owned by the caller) equal to this one transformed; works
  // also for transformations the entity cannot take in place (non-uniform scaling).
  Vexa::ErrorStatus getTransformedCopy(const QvGeMatrix3d& xform, QvDbEntity*& copy) const;
  // Appends to `pieces` new entities (in no database, owned by the caller) that together
  // replace this one; the entity itself is unchanged. On failure nothing is appended.
  Vexa::ErrorStatus explode(QvArray<QvDbEntity*>& pieces) const;
  // The entity's box in world coordinates.
  Vexa::ErrorStatus getGeomExtents(QvDbExtents& extents) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbEntity() = default;
  QvDbEntity(const QvDbEntity&) = default;
  QvDbEntity& operator=(const QvDbEntity&) = default;

  virtual Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform);
  virtual Vexa::ErrorStatus subGetTransformedCopy(const QvGeMatrix3d& xform,
                                                  QvDbEntity*& copy) const;
  virtual Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const;
  virtual Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const;

 private:
  QvDbObjectId layerId_;
};
