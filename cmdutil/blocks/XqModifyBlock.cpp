// ModifyBlock: new settings and a new base point for an existing block definition.
#include "cmdutil/blocks/XqBlockSettings.h"
#include "sdk/app/VexaBlockNotifications.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/db/QvDbAnnotativeObjectPE.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/XqBlockDefinition.h"

namespace {

void refreshScreen() {
  if (VexaGraphics* graphics = GetActiveGraphics()) {
    graphics->invalidate(2, false, false);
    graphics->repairScreenRect(nullptr, true, true);
  }
}

}  // namespace

QvDbObjectId ModifyBlock(IVexaBuildInCommandContext* context, const CreateBlockData& data) {
  const XqPickfirstSuspension suspension;
  QvDbDatabase* db = context ? context->database() : nullptr;
  if (!db) return QvDbObjectId();
  refreshScreen();

  QvString name;
  data.getBlockName(name);
  QvDbObjectId blockId;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table.openStatus() != Vexa::eOk || name.isEmpty() ||
        table->getAt(name.c_str(), blockId) != Vexa::eOk)
      return QvDbObjectId();
  }
  const QvGeMatrix3d placement = XqBlockSettings::placement(*context, data);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(blockId, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk || !XqBlockSettings::isRedefinable(*record.object()) ||
        XqBlockSettings::apply(data, *record.object()) != Vexa::eOk)
      return QvDbObjectId();
    // Only objects of the definition move.
    for (const QvDbObjectId& id : data.getObjectIdToBlock()) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
      if (entity.openStatus() != Vexa::eOk || entity->ownerId() != blockId) continue;
      if (data.getAnnotative())
        if (auto* pe = QvDbAnnotativeObjectPE::cast(entity->queryX(QvDbAnnotativeObjectPE::desc())))
          pe->setAnnotative(entity.object(), false);
      entity->transformBy(placement);
    }
  }
  QvDbObjectIdArray ids;
  ids.append(blockId);
  ModifiedBlockNotifyUndoSetting(ids, nullptr);
  vexaUpdateBlockDefinition(blockId);
  refreshScreen();
  return blockId;
}
