#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"

class VexaUndoController;

// Undo and notification bookkeeping after block definitions were redefined: recorded in the
// host's block update log (QvDbBlockUpdateLog). A given undo controller is told that the
// command modified block definitions (kBlocksModified).
void ModifiedBlockNotifyUndoSetting(const QvDbObjectIdArray& blockIds,
                                    VexaUndoController* undoController);
inline constexpr int kBlocksModified = 0x10;

// The references of a redefined block take its new contents: recorded (as
// qvdbUpdateBlockDefinition does), and the active document's graphics are invalidated and
// repaired. eNullObjectId or the open status of the record otherwise.
Vexa::ErrorStatus vexaUpdateBlockDefinition(QvDbObjectId blockId);
