// Deep cloning within a drawing and inserting one drawing into another as a block.
#include <unordered_set>
#include <vector>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDependentInsert.h"
#include "sdk/db/QvDbIdMappingIter.h"
#include "sdk/db/QvDbObjectCloner.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionScope.h"

Vexa::ErrorStatus QvDbDatabase::deepCloneObjects(
    const QvDbObjectIdArray& ids, QvDbObjectId ownerId, QvDbIdMapping& idMap,
    bool /*deferXlation: translation is never deferred*/) {
  if (ownerId.isNull()) return Vexa::eNullObjectId;
  if (ownerId.database() != this) return Vexa::eWrongDatabase;
  for (const QvDbObjectId& id : ids) {
    if (id.isNull()) return Vexa::eNullObjectId;
    if (id.database() != this) return Vexa::eWrongDatabase;
  }
  if (const Vexa::ErrorStatus es = vexaFaultStatus("QvDbDatabase::deepCloneObjects");
      es != Vexa::eOk)
    return es;
  QvDbTransactionScope scope(this);
  QvDbIdMapping made;
  made.setDeepCloneContext(QvDb::kDcCopy);
  {
    QvDbObjectCloner cloner(this, this, QvDbObjectCloner::Mode::kSameDatabase, made);
    if (const Vexa::ErrorStatus es = cloner.clonePrimaries(ids, ownerId); es != Vexa::eOk)
      return es;
    if (const Vexa::ErrorStatus es = cloner.translate(); es != Vexa::eOk) return es;
  }
  if (idMap.numEntries() == 0) {
    // The usual case: the pairs made are handed over whole; the caller's settings stay.
    const QvDb::DeepCloneType context = idMap.deepCloneContext();
    const QvDb::DuplicateRecordCloning drc = idMap.duplicateRecordCloning();
    idMap = std::move(made);
    idMap.setDeepCloneContext(context);
    idMap.setDuplicateRecordCloning(drc);
  } else {
    QvDbIdMappingIter it(made);
    for (QvDbIdPair pair; it.getMap(pair); it.next()) idMap.assign(pair);
  }
  idMap.setOrigDb(this);
  idMap.setDestDb(this);
  return scope.commit();
}

Vexa::ErrorStatus QvDbDatabase::insert(QvDbObjectId& blockId, const wchar_t* blockName,
                                       QvDbDatabase* source, bool /*preserveSourceDatabase*/) {
  return QvDbObjectCloner::insertModelSpace(this, blockId, blockName, source, QvString());
}

Vexa::ErrorStatus qvdbInsertDependent(QvDbDatabase* db, QvDbObjectId& blockId,
                                      const wchar_t* blockName, QvDbDatabase* source,
                                      const QvString& prefix) {
  return QvDbObjectCloner::insertModelSpace(db, blockId, blockName, source, prefix);
}

Vexa::ErrorStatus QvDbObjectCloner::insertModelSpace(QvDbDatabase* dest, QvDbObjectId& blockId,
                                                     const wchar_t* blockName, QvDbDatabase* source,
                                                     const QvString& dependentPrefix) {
  blockId.setNull();
  if (!dest || !source) return Vexa::eNullPtr;
  if (source == dest) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = vexaFaultStatus("QvDbDatabase::insert"); es != Vexa::eOk)
    return es;
  const QvString name(blockName);
  if (qvdbGetSymbolSvc()->validateSymbolName(name, true, dest->extnames()) != Vexa::eOk)
    return Vexa::eInvalidSymbolName;
  const QvDbObjectId sourceSpace = source->modelSpaceId();
  if (sourceSpace.isNull()) return Vexa::eKeyNotFound;
  QvDbObjectIdArray entities;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(sourceSpace, QvDb::kForRead);
    if (space.openStatus() != Vexa::eOk) return space.openStatus();
    entities = space->entityIds();
  }

  QvDbTransactionScope scope(dest);
  QvDbObjectId targetId = dest->findSymbolRecord(QvDbDatabase::kBlockTable, name);
  if (targetId.isNull()) {
    QvDbObjectPointer<QvDbBlockTable> table(dest->tables_[QvDbDatabase::kBlockTable],
                                            QvDb::kForWrite);
    if (table.openStatus() != Vexa::eOk) return table.openStatus();
    QvDbObjectPointer<QvDbBlockTableRecord> record(new QvDbBlockTableRecord());
    if (const Vexa::ErrorStatus es = record->setName(name.c_str()); es != Vexa::eOk) return es;
    if (const Vexa::ErrorStatus es = table->add(targetId, record.object()); es != Vexa::eOk)
      return es;
  } else {
    // A redefinition: the old contents go.
    for (const QvDbObjectId& old : dest->entitiesOf(targetId)) {
      QvDbObjectPointer<QvDbObject> entity(old, QvDb::kForWrite);
      if (entity.openStatus() != Vexa::eOk) return entity.openStatus();
      if (const Vexa::ErrorStatus es = entity->erase(); es != Vexa::eOk) return es;
    }
  }
  QvDbIdMapping map;
  map.setDeepCloneContext(QvDb::kDcInsert);
  {
    QvDbObjectCloner cloner(source, dest, Mode::kAcrossDatabases, map);
    cloner.setDependentPrefix(dependentPrefix);
    cloner.mapTo(sourceSpace, targetId);
    if (const Vexa::ErrorStatus es = cloner.clonePrimaries(entities, targetId); es != Vexa::eOk)
      return es;
    if (const Vexa::ErrorStatus es = cloner.translate(); es != Vexa::eOk) return es;
  }
  // The block would contain itself.
  if (dest->blockNestsItself(targetId)) return Vexa::eInvalidInput;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> target(targetId, QvDb::kForWrite);
    if (target.openStatus() != Vexa::eOk) return target.openStatus();
    if (const Vexa::ErrorStatus es = target->setOrigin(source->insbase()); es != Vexa::eOk)
      return es;
  }
  blockId = targetId;
  return scope.commit();
}

namespace {

// The block table records an entity uses (a reference's block, ...).
class UsedBlocks : public QvDbIdVisitor {
 public:
  void visit(QvDbObjectId& id, Kind kind) override {
    if (kind == kHardPointer && id.objectClass() == QvDbBlockTableRecord::desc()) ids.push_back(id);
  }
  std::vector<QvDbObjectId> ids;
};

}  // namespace

bool QvDbDatabase::blockNestsItself(QvDbObjectId blockId) const {
  std::unordered_set<QvDbObjectId> seen;
  std::vector<QvDbObjectId> pending{blockId};
  while (!pending.empty()) {
    const QvDbObjectId block = pending.back();
    pending.pop_back();
    for (const QvDbObjectId& entityId : entitiesOf(block)) {
      UsedBlocks used;
      if (QvDbObject* entity = peek(entityId)) entity->visitIds(used);
      for (const QvDbObjectId& nested : used.ids) {
        if (nested == blockId) return true;
        if (seen.insert(nested).second) pending.push_back(nested);
      }
    }
  }
  return false;
}

QvDbObjectIdArray QvDbDatabase::entitiesOf(QvDbObjectId blockId) const {
  const auto* block = QvDbBlockTableRecord::cast(peek(blockId));
  QvDbObjectIdArray ids;
  if (!block) return ids;
  for (const QvDbObjectId& id : block->entities_)
    if (!id.isErased()) ids.append(id);
  return ids;
}
