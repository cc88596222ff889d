#pragma once

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace qvdb_detail {

// Calls `use` with each live entity of a block, open for read; stops at the first status that
// is not eOk and answers it. The block is closed before the first call.
template <class Use>
Vexa::ErrorStatus forEachBlockEntity(QvDbObjectId blockId, Use use) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return block.openStatus();
  const QvDbObjectIdArray ids = block->entityIds();
  block.close();
  for (int i = 0; i < ids.length(); ++i) {
    QvDbObjectPointer<QvDbEntity> entity(ids[i], QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) continue;
    if (const Vexa::ErrorStatus es = use(*entity); es != Vexa::eOk) return es;
  }
  return Vexa::eOk;
}

}  // namespace qvdb_detail
