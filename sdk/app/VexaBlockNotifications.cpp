#include "sdk/app/VexaBlockNotifications.h"

#include "sdk/app/VexaGraphics.h"
#include "sdk/app/VexaUndoController.h"
#include "sdk/db/QvDbBlockUpdates.h"

void ModifiedBlockNotifyUndoSetting(const QvDbObjectIdArray& blockIds,
                                    VexaUndoController* undoController) {
  if (QvDbBlockUpdateLog* log = QvDbBlockUpdateLog::current())
    log->add(QvDbBlockUpdateLog::Entry::Kind::kNotifyUndo, blockIds);
  if (undoController) undoController->setDbModifiedType(kBlocksModified);
}

Vexa::ErrorStatus vexaUpdateBlockDefinition(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = qvdbUpdateBlockDefinition(blockId, true); es != Vexa::eOk)
    return es;
  if (VexaGraphics* graphics = GetActiveGraphics()) {
    graphics->invalidate(2, false, false);
    graphics->repairScreenRect(nullptr, true, true);
  }
  return Vexa::eOk;
}
