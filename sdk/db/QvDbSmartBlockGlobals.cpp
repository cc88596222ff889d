#include "sdk/db/QvDbSmartBlockGlobals.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace {

Vexa::ErrorStatus appendReferences(QvDbObjectId blockId, QvDbObjectIdArray& ids) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return block.openStatus();
  return block->getBlockReferenceIds(ids);
}

}  // namespace

Vexa::ErrorStatus QvDbSmartBlockGlobals::getBlockAllReferences(QvDbObjectId blockId,
                                                               QvDbObjectIdArray& ids,
                                                               QvDbSmartBlockKind kind) {
  if (blockId.isNull()) return Vexa::eNullObjectId;
  if (const Vexa::ErrorStatus es = appendReferences(blockId, ids); es != Vexa::eOk) return es;
  if (!QvDbSmartBlock::hasGraph(blockId, kind)) return Vexa::eOk;
  for (const QvDbObjectId& rep : QvDbSmartBlock::representationsOf(blockId))
    if (const Vexa::ErrorStatus es = appendReferences(rep, ids); es != Vexa::eOk) return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSmartBlockGlobals::getAnonymousBlockIds(QvDbObjectId blockId,
                                                              QvDbObjectIdArray& ids) {
  if (blockId.isNull()) return Vexa::eNullObjectId;
  ids.append(QvDbSmartBlock::representationsOf(blockId));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSmartBlockGlobals::createAnonymousRepresentation(
    QvDbObjectId blockId, QvDbObjectId& representationId) {
  return QvDbSmartBlock::makeRepresentation(blockId, representationId);
}
