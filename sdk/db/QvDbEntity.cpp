#include "sdk/db/QvDbEntity.h"

#include "sdk/app/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbEntity)

QvDbObjectId QvDbEntity::layerId() const {
  assertReadEnabled();
  return layerId_;
}

QvString QvDbEntity::layer() const {
  assertReadEnabled();
  return QvDbSymbolTableRecord::nameOf(layerId_);
}

Vexa::ErrorStatus QvDbEntity::setLayer(QvDbObjectId layerId) {
  if (layerId.isNull()) return Vexa::eNullObjectId;
  if (layerId.objectClass() != QvDbLayerTableRecord::desc()) return Vexa::eWrongObjectType;
  if (isResident() && layerId.database() != database()) return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  layerId_ = layerId;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEntity::setLayer(const wchar_t* layerName, QvDbDatabase* db) {
  if (isResident()) db = database();
  if (!db) return Vexa::eNoDatabase;
  QvDbLayerTable* table = nullptr;
  if (const Vexa::ErrorStatus es = db->getLayerTable(table, QvDb::kForRead); es != Vexa::eOk)
    return es;
  QvDbObjectId id;
  const Vexa::ErrorStatus es = table->getAt(layerName, id);
  table->close();
  if (es != Vexa::eOk) return es;
  return setLayer(id);
}

Vexa::ErrorStatus QvDbEntity::setDatabaseDefaults(QvDbDatabase* db) {
  if (isResident()) db = database();
  if (!db) {
    const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    db = services ? services->workingDatabase() : nullptr;
  }
  if (!db) return Vexa::eNoDatabase;
  if (const Vexa::ErrorStatus es = setLayer(db->clayer()); es != Vexa::eOk) return es;
  return setPropertyDefaults(db);
}

void QvDbEntity::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  if (!layerId_.isNull()) visitor.visit(layerId_, QvDbIdVisitor::kHardPointer);
  if (!linetypeId_.isNull()) visitor.visit(linetypeId_, QvDbIdVisitor::kHardPointer);
}
