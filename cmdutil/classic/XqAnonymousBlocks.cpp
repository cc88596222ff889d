#include "xqcmdutil/XqAnonymousBlocks.h"

#include <memory>

#include "cmdutil/classic/XqShortVar.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbIdMappingIter.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

QvDbDatabase* workingDatabase() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

QvDbObjectId spaceOf(QvDbDatabase* db, const wchar_t* name) {
  QvDbBlockTable* table = nullptr;
  if (!db || db->getBlockTable(table, QvDb::kForRead) != Vexa::eOk) return {};
  QvDbObjectId id;
  table->getAt(name, id);
  table->close();
  return id;
}

QvDbObjectId appendTo(QvDbObjectId spaceId, QvDbEntity* entity) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForWrite);
  if (space.openStatus() != Vexa::eOk) return {};
  QvDbObjectId id;
  if (space->appendQvDbEntity(id, entity) != Vexa::eOk) return {};
  return id;
}

}  // namespace

bool addEntityToDb(QvDbObjectId& id, QvDbEntity* entity, int modelSpace) {
  if (!entity) return false;
  const QvDbObjectId space =
      spaceOf(workingDatabase(), modelSpace ? L"*Model_Space" : L"*Paper_Space");
  if (space.isNull()) return false;
  id = appendTo(space, entity);
  return !id.isNull();
}

QvDbObjectId addEntityToDb(QvDbEntity* entity, QvDbDatabase* db, QvDbObjectId* spaceId) {
  if (!entity) return {};
  if (!entity->objectId().isNull()) return entity->objectId();
  int cvport = 0;
  if (!xqGetShortVar(L"CVPORT", cvport)) return {};
  if (!db) db = workingDatabase();
  if (!db) return {};
  QvDbObjectId owner;
  if (spaceId && !spaceId->isNull())
    owner = *spaceId;
  else
    owner = spaceOf(db, !db->tilemode() && cvport == 1 ? L"*Paper_Space" : L"*Model_Space");
  return appendTo(owner, entity);
}

Vexa::ErrorStatus defineNewAnonymousBlock(QvDbBlockTableRecord*& record, QvDbObjectId& id,
                                          QvDbDatabase* db) {
  record = nullptr;
  if (!db) return Vexa::eNullPtr;
  QvDbBlockTable* table = nullptr;
  if (const Vexa::ErrorStatus es = db->getBlockTable(table, QvDb::kForWrite); es != Vexa::eOk)
    return es;
  auto made = std::make_unique<QvDbBlockTableRecord>();
  made->setPathName(L"");
  Vexa::ErrorStatus es = made->setName(L"*U");
  if (es == Vexa::eOk) es = table->add(id, made.get());
  table->close();
  if (es == Vexa::eOk) record = made.release();
  return es;
}

Vexa::ErrorStatus makeAnonymousBlock(QvDbObjectId& id, const QvDbObjectIdArray& ids,
                                     const QvGePoint3d& basePoint) {
  QvDbDatabase* db = workingDatabase();
  QvDbBlockTableRecord* record = nullptr;
  if (const Vexa::ErrorStatus es = defineNewAnonymousBlock(record, id, db); es != Vexa::eOk)
    return es;
  record->close();
  // The base point from the UCS origin, in world axes: the matrix adds the origin itself.
  const QvGeVector3d offset = ucsToWcs(basePoint) - ucsToWcs(QvGePoint3d::kOrigin);
  QvGeMatrix3d matrix;
  getUcsToWcsOriginMatrix(matrix, QvGePoint3d::kOrigin + offset, db);
  const Vexa::ErrorStatus es = cloneAndXformObjects(db, ids, id, matrix);
  if (es != Vexa::eOk) {
    QvDbObjectPointer<QvDbBlockTableRecord> empty(id, QvDb::kForWrite);
    if (empty.openStatus() == Vexa::eOk) empty->erase();
    id = QvDbObjectId();
  }
  return es;
}

Vexa::ErrorStatus cloneAndXformObjects(QvDbDatabase* db, const QvDbObjectIdArray& ids,
                                       QvDbObjectId ownerId, const QvGeMatrix3d& matrix) {
  if (!db) return Vexa::eNullPtr;
  QvDbIdMapping map;
  if (const Vexa::ErrorStatus es = db->deepCloneObjects(ids, ownerId, map); es != Vexa::eOk)
    return es;
  QvDbIdMappingIter it(map);
  for (it.start(); !it.done(); it.next()) {
    QvDbIdPair pair;
    if (!it.getMap(pair)) return static_cast<Vexa::ErrorStatus>(3);
    if (!pair.isCloned()) continue;
    QvDbObjectPointer<QvDbEntity> clone(pair.value(), QvDb::kForWrite);
    if (clone.openStatus() != Vexa::eOk) continue;  // cloned objects that are no entities
    if (pair.isPrimary()) clone->transformBy(matrix);
  }
  return Vexa::eOk;
}

QvDbObjectId makeBlockReference(QvDbObjectId blockId, const QvGePoint3d& position,
                                const QvGeScale3d& scale) {
  auto reference = std::make_unique<QvDbBlockReference>();
  reference->setBlockTableRecord(blockId);
  reference->setPosition(position);
  if (reference->setScaleFactors(scale) != Vexa::eOk) return {};
  int tilemode = 1;
  int cvport = 0;
  const bool paper = xqGetShortVar(L"TILEMODE", tilemode) && tilemode == 0 &&
                     (!xqGetShortVar(L"CVPORT", cvport) || cvport < 2);
  QvDbObjectId id;
  if (!addEntityToDb(id, reference.get(), paper ? 0 : 1)) return {};
  reference.release()->close();
  return id;
}
