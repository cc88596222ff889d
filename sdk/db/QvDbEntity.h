#pragma once

#include "sdk/db/QvDbObject.h"

// An object with a graphical representation, owned by a block table record (its block). The
// base keeps the layer; the entity classes add their geometry and override the hooks below.
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

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbEntity() = default;
  QvDbEntity(const QvDbEntity&) = default;
  QvDbEntity& operator=(const QvDbEntity&) = default;

 private:
  QvDbObjectId layerId_;
};
