#include "sdk/ed/qvdbEntNext.h"

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/rx/QvRxClass.h"

namespace {

QvDbDatabase* workingDatabase() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

// A live entity placed in model space or a layout's paper space.
bool isDrawingEntity(QvDbObjectId id) {
  if (!id.isValid() || id.isErased()) return false;
  const QvRxClass* cls = id.objectClass();
  if (!cls || !cls->isDerivedFrom(QvDbEntity::desc())) return false;
  QvDbObjectId blockId;
  {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (entity.openStatus() != Vexa::eOk) return false;
    blockId = entity->blockId();
  }
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  return block.openStatus() == Vexa::eOk && block->isLayout();
}

int answer(QvDbObjectId id, int64_t name[2]) {
  return qvdbGetAdsName(name, id) == Vexa::eOk ? kQvNormal : kQvError;
}

}  // namespace

int qvdbEntNext(const int64_t entity[2], int64_t next[2]) {
  QvDbDatabase* db = workingDatabase();
  if (!db || !next) return kQvError;
  if (!entity || (entity[0] == 0 && entity[1] == 0)) {
    for (const QvDbObjectId id : db->objectIds())
      if (isDrawingEntity(id)) return answer(id, next);
    return kQvError;
  }
  QvDbObjectId start;
  if (qvdbGetObjectId(start, entity) != Vexa::eOk || start.database() != db) return kQvError;
  // The objects of one database have consecutive 64-bit values in the order they were added.
  for (int64_t value = start.asOldId() + 1;; ++value) {
    const QvDbObjectId id = QvDbObjectId().setFromOldId(value);
    if (id.isNull() || id.database() != db) return kQvError;
    if (isDrawingEntity(id)) return answer(id, next);
  }
}

int qvdbEntLast(int64_t entity[2]) {
  QvDbDatabase* db = workingDatabase();
  if (!db || !entity) return kQvError;
  const QvDbObjectIdArray ids = db->objectIds();
  for (int i = ids.length() - 1; i >= 0; --i)
    if (isDrawingEntity(ids[i])) return answer(ids[i], entity);
  return kQvError;
}
