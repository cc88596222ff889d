#pragma once

#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaEntityData.h"

// Entity data lists of the classic interface through the DXF filers.
class VexaEntityDataService : public VexaHostService, public IVexaEntityData {
 public:
  resbuf* entityData(const QvDbEntity& entity) const override;
  Vexa::ErrorStatus setEntityData(QvDbEntity& entity, const resbuf* list,
                                  QvString* why) const override;
  resbuf* tableRecordData(const QvDbSymbolTableRecord& record) const override;
};
