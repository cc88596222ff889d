#include "sdk/app/VexaEntityDataService.h"

#include "sdk/io/QvDxfEntityData.h"

resbuf* VexaEntityDataService::entityData(const QvDbEntity& entity) const {
  return QvDxfEntityData::get(entity);
}

Vexa::ErrorStatus VexaEntityDataService::setEntityData(QvDbEntity& entity, const resbuf* list,
                                                       QvString* why) const {
  return QvDxfEntityData::apply(entity, list, why);
}

resbuf* VexaEntityDataService::tableRecordData(const QvDbSymbolTableRecord& record) const {
  return QvDxfEntityData::tableRecord(record);
}
