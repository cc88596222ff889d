#include "sdk/db/QvDbBlockUpdates.h"

#include <algorithm>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSmartBlock.h"
#include "sdk/db/QvDbTransactionScope.h"

namespace {

// The answer of the units query: host state, so that no test leaks it into the next.
struct UnitsQuerySwitch : VexaHostService {
  bool ignored = false;
};

}  // namespace

int QvDbBlockUpdateLog::count(Entry::Kind kind) const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [kind](const Entry& e) { return e.kind == kind; }));
}

QvDbBlockUpdateLog* QvDbBlockUpdateLog::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<QvDbBlockUpdateLog>() : nullptr;
}

Vexa::ErrorStatus qvdbUpdateBlockDefinition(QvDbObjectId blockId, bool /*updateAttributes*/) {
  if (blockId.isNull()) return Vexa::eNullObjectId;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk) return block.openStatus();
  }
  if (QvDbBlockUpdateLog* log = QvDbBlockUpdateLog::current()) {
    QvDbObjectIdArray ids;
    ids.append(blockId);
    log->add(QvDbBlockUpdateLog::Entry::Kind::kUpdateDefinition, ids);
  }
  return Vexa::eOk;
}

namespace {

Vexa::ErrorStatus refill(const QvDbBlockTableRecord& definition, QvDbObjectId repId) {
  QvDbDatabase* db = repId.database();
  {
    QvDbObjectPointer<QvDbBlockTableRecord> rep(repId, QvDb::kForWrite);
    if (rep.openStatus() != Vexa::eOk) return rep.openStatus();
    for (const QvDbObjectId& id : rep->entityIds()) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
      if (entity.openStatus() != Vexa::eOk) return entity.openStatus();
      if (const Vexa::ErrorStatus es = entity->erase(); es != Vexa::eOk) return es;
    }
    rep->setOrigin(definition.origin());
    rep->setBlockInsertUnits(definition.blockInsertUnits());
    rep->setBlockScaling(definition.blockScaling());
    rep->setExplodable(definition.explodable());
  }
  const QvDbObjectIdArray contents = definition.entityIds();
  if (contents.isEmpty()) return Vexa::eOk;
  QvDbIdMapping map;
  return db->deepCloneObjects(contents, repId, map);
}

}  // namespace

Vexa::ErrorStatus qvdbRefreshAllRepresentation(QvDbObjectId blockId) {
  if (blockId.isNull()) return Vexa::eNullObjectId;
  const QvDbObjectIdArray reps = QvDbSmartBlock::representationsOf(blockId);
  QvDbTransactionScope scope(blockId.database());
  {
    QvDbObjectPointer<QvDbBlockTableRecord> definition(blockId, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk) return definition.openStatus();
    for (const QvDbObjectId& rep : reps)
      if (const Vexa::ErrorStatus es = refill(*definition, rep); es != Vexa::eOk) return es;
  }
  if (QvDbBlockUpdateLog* log = QvDbBlockUpdateLog::current())
    log->add(QvDbBlockUpdateLog::Entry::Kind::kRefreshRepresentations, reps);
  return scope.commit();
}

bool QvDbBlockInternals::insertUnitsIgnored(const QvDbBlockTableRecord* block) {
  VexaHost* host = VexaHost::current();
  const UnitsQuerySwitch* answer = host ? host->findService<UnitsQuerySwitch>() : nullptr;
  return block && answer && answer->ignored;
}

void QvDbBlockInternals::setUnitsIgnored(bool on) {
  if (VexaHost* host = VexaHost::current()) host->service<UnitsQuerySwitch>().ignored = on;
}

Vexa::ErrorStatus QvDbBlockInternals::explodeToOwner(const QvDbEntity* entity, QvDbObjectId ownerId,
                                                     QvArray<QvDbEntity*>& pieces,
                                                     bool appendToOwner) {
  if (!entity) return Vexa::eNullPtr;
  if (ownerId.isNull()) return Vexa::eNullObjectId;
  QvArray<QvDbEntity*> made;
  if (const Vexa::ErrorStatus es = entity->explode(made); es != Vexa::eOk) return es;
  auto dropAll = [&made]() {
    for (QvDbEntity* piece : made) delete piece;
  };
  if (!appendToOwner) {
    pieces.append(made);
    return Vexa::eOk;
  }
  QvDbTransactionScope scope(ownerId.database());
  QvDbObjectPointer<QvDbBlockTableRecord> owner(ownerId, QvDb::kForWrite);
  if (owner.openStatus() != Vexa::eOk) {
    dropAll();
    return owner.openStatus();
  }
  int appended = 0;
  for (; appended < made.length(); ++appended) {
    if (const Vexa::ErrorStatus es = owner->appendQvDbEntity(made[appended]); es != Vexa::eOk) {
      // The transaction takes the appended ones out again; the rest are still ours.
      for (int i = appended; i < made.length(); ++i) delete made[i];
      for (int i = 0; i < appended; ++i) made[i]->close();
      return es;
    }
  }
  for (QvDbEntity* piece : made) {
    piece->close();
    pieces.append(piece);
  }
  return scope.commit();
}
