#include "sdk/ed/qvedXref.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDependentInsert.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "sdk/ed/qvedFindFile.h"

namespace {

QvDbDatabase* orWorking(QvDbDatabase* db) {
  if (db) return db;
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

// The tables whose records a drawing's contents name.
std::vector<QvDbObjectId> namedTables(const QvDbDatabase* db) {
  return {db->layerTableId(), db->linetypeTableId(), db->textStyleTableId(), db->dimStyleTableId(),
          db->blockTableId()};
}

std::vector<QvDbObjectId> recordsOf(QvDbObjectId tableId) {
  std::vector<QvDbObjectId> ids;
  QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
  QvDbSymbolTableIterator* raw = nullptr;
  if (!table || table->newIterator(raw) != Vexa::eOk) return ids;
  const std::unique_ptr<QvDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) == Vexa::eOk) ids.push_back(id);
  }
  return ids;
}

bool startsWithNoCase(const QvString& text, const QvString& start) {
  return text.length() >= start.length() && text.left(start.length()).isEqualNoCase(start);
}

// Marks (or unmarks) the host's records of the reference as dependent.
Vexa::ErrorStatus markDependent(QvDbDatabase* db, const QvString& prefix) {
  for (const QvDbObjectId& tableId : namedTables(db))
    for (const QvDbObjectId& id : recordsOf(tableId)) {
      if (!startsWithNoCase(QvDbSymbolTableRecord::nameOf(id), prefix + L"|")) continue;
      QvDbObjectPointer<QvDbSymbolTableRecord> record(id, QvDb::kForWrite);
      if (record.openStatus() != Vexa::eOk) return record.openStatus();
      if (const Vexa::ErrorStatus es = record->setDependencyFlags(true, true); es != Vexa::eOk)
        return es;
    }
  return Vexa::eOk;
}

// The file name after the last folder separator ("/" or "\\").
QvString bareName(const QvString& path) {
  int at = -1;
  for (int i = 0; i < path.length(); ++i)
    if (path.getAt(i) == L'/' || path.getAt(i) == L'\\') at = i;
  return path.mid(at + 1);
}

// Copies `contents` into the external-reference block `name` of `db` (a new block, or the
// block's contents replaced), its symbols as dependent records. A failure changes nothing.
Vexa::ErrorStatus copyReference(QvDbDatabase* db, QvDbDatabase& contents, const QvString& name,
                                QvDbObjectId& block) {
  QvDbTransactionScope scope(db);
  if (const Vexa::ErrorStatus es = qvdbInsertDependent(db, block, name.c_str(), &contents, name);
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = markDependent(db, name); es != Vexa::eOk) return es;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk) return record.openStatus();
    record->setExternalReference(true, record->isFromOverlayReference());
    if (const Vexa::ErrorStatus es = record->setDependencyFlags(false, true); es != Vexa::eOk)
      return es;
  }
  return scope.commit();
}

// Reads `path` as the contents of the external-reference block `name` of `db`.
Vexa::ErrorStatus readReference(QvDbDatabase* db, const QvString& path, const QvString& name,
                                QvDbObjectId& block) {
  QvDbDatabase side(false, true);
  if (const Vexa::ErrorStatus es = side.readDwgFile(path.c_str()); es != Vexa::eOk) return es;
  return copyReference(db, side, name, block);
}

// Attaches `path` as the block `blockName`, its contents from `contents` or, without it, read
// from the file.
Vexa::ErrorStatus attach(const wchar_t* path, QvDbDatabase* contents, const wchar_t* blockName,
                         QvDbObjectId* blockId, QvDbObjectId* referenceId,
                         const QvGePoint3d* insertionPoint, const QvGeScale3d* scale,
                         const double* rotation, QvDbDatabase* hostDb) {
  QvDbDatabase* db = orWorking(hostDb);
  if (!path || !blockName || !db) return Vexa::eNullPtr;
  const QvString name(blockName);
  if (name.find(L'|') >= 0 ||
      qvdbGetSymbolSvc()->validateSymbolName(name, false, db->extnames()) != Vexa::eOk)
    return Vexa::eInvalidSymbolName;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table.openStatus() != Vexa::eOk) return table.openStatus();
    if (table->has(name.c_str())) return Vexa::eDuplicateKey;
  }
  QvDbTransactionScope scope(db);
  QvDbObjectId block;
  if (const Vexa::ErrorStatus es = contents ? copyReference(db, *contents, name, block)
                                            : readReference(db, QvString(path), name, block);
      es != Vexa::eOk)
    return es;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk) return record.openStatus();
    if (const Vexa::ErrorStatus es = record->setPathName(path); es != Vexa::eOk) return es;
  }
  auto reference = std::make_unique<QvDbBlockReference>(
      insertionPoint ? *insertionPoint : QvGePoint3d::kOrigin, block);
  if (scale)
    if (const Vexa::ErrorStatus es = reference->setScaleFactors(*scale); es != Vexa::eOk) return es;
  if (rotation)
    if (const Vexa::ErrorStatus es = reference->setRotation(*rotation); es != Vexa::eOk) return es;
  QvDbObjectId placed;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db->currentSpaceId(), QvDb::kForWrite);
    if (space.openStatus() != Vexa::eOk) return space.openStatus();
    if (const Vexa::ErrorStatus es = space->appendQvDbEntity(placed, reference.get());
        es != Vexa::eOk)
      return es;
    reference.release()->close();
  }
  if (const Vexa::ErrorStatus es = scope.commit(); es != Vexa::eOk) return es;
  if (blockId) *blockId = block;
  if (referenceId) *referenceId = placed;
  return Vexa::eOk;
}

}  // namespace

Vexa::ErrorStatus qvedXrefAttach(const wchar_t* path, const wchar_t* blockName,
                                 QvDbObjectId* blockId, QvDbObjectId* referenceId,
                                 const QvGePoint3d* insertionPoint, const QvGeScale3d* scale,
                                 const double* rotation, bool /*quiet*/, QvDbDatabase* hostDb,
                                 const wchar_t* /*password*/) {
  return attach(path, nullptr, blockName, blockId, referenceId, insertionPoint, scale, rotation,
                hostDb);
}

Vexa::ErrorStatus qvedXrefAttachSaved(QvDbDatabase* contents, const wchar_t* blockName,
                                      QvDbObjectId* blockId, QvDbObjectId* referenceId,
                                      const QvGePoint3d* insertionPoint, const QvGeScale3d* scale,
                                      const double* rotation, bool /*quiet*/,
                                      QvDbDatabase* hostDb) {
  if (!contents) return Vexa::eNullPtr;
  if (contents == orWorking(hostDb)) return Vexa::eInvalidInput;
  const QvString path = contents->fileName();
  if (path.isEmpty() || !std::filesystem::is_regular_file(path.utf8())) return Vexa::eFileNotFound;
  return attach(path.c_str(), contents, blockName, blockId, referenceId, insertionPoint, scale,
                rotation, hostDb);
}

Vexa::ErrorStatus qvedXrefBind(const wchar_t* blockName, bool insertBind, bool /*quiet*/,
                               QvDbDatabase* hostDb) {
  QvDbDatabase* db = orWorking(hostDb);
  if (!blockName || !db) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = vexaFaultStatus("qvedXrefBind"); es != Vexa::eOk) return es;
  const QvString name(blockName);
  QvDbObjectId block;
  {
    QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
    if (table.openStatus() != Vexa::eOk) return table.openStatus();
    if (table->getAt(name.c_str(), block) != Vexa::eOk) return Vexa::eKeyNotFound;
  }
  QvDbTransactionScope scope(db);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    if (record.openStatus() != Vexa::eOk) return record.openStatus();
    if (!record->isFromExternalReference()) return Vexa::eNotApplicable;
    record->setExternalReference(false, false);
    record->setDependencyFlags(false, false);
    if (const Vexa::ErrorStatus es = record->setPathName(L""); es != Vexa::eOk) return es;
  }
  const QvString prefix = name + L"|";
  for (const QvDbObjectId& tableId : namedTables(db)) {
    QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
    if (table.openStatus() != Vexa::eOk) return table.openStatus();
    const std::vector<QvDbObjectId> records = recordsOf(tableId);
    for (const QvDbObjectId& id : records) {
      const QvString old = QvDbSymbolTableRecord::nameOf(id);
      if (!startsWithNoCase(old, prefix)) continue;
      const QvString own = old.mid(prefix.length());
      QvString bound = insertBind && !table->has(own.c_str()) ? own : QvString();
      for (int n = 0; bound.isEmpty(); ++n) {
        const QvString candidate = QvString::format(L"%ls$%d$%ls", name.c_str(), n, own.c_str());
        if (!table->has(candidate.c_str())) bound = candidate;
      }
      QvDbObjectPointer<QvDbSymbolTableRecord> record(id, QvDb::kForWrite);
      if (record.openStatus() != Vexa::eOk) return record.openStatus();
      if (const Vexa::ErrorStatus es = record->setDependencyFlags(false, false); es != Vexa::eOk)
        return es;
      if (const Vexa::ErrorStatus es = record->setName(bound.c_str()); es != Vexa::eOk) return es;
    }
  }
  return scope.commit();
}

Vexa::ErrorStatus qvdbResolveCurrentXRefs(QvDbDatabase* hostDb, bool /*useThreadEngine*/,
                                          bool doNewOnly) {
  QvDbDatabase* db = orWorking(hostDb);
  if (!db) return Vexa::eNullPtr;
  Vexa::ErrorStatus first = Vexa::eOk;
  for (const QvDbObjectId& id : recordsOf(db->blockTableId())) {
    QvString name;
    QvString stored;
    {
      QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
      if (!block || !block->isFromExternalReference()) continue;
      if (doNewOnly && block->isResolved()) continue;
      name = block->name();
      stored = block->pathName();
    }
    QvString found;
    Vexa::ErrorStatus es = Vexa::eFileNotFound;
    if (qvedFindFile(stored.c_str(), found) == kQvNormal ||
        qvedFindFile(bareName(stored).c_str(), found) == kQvNormal) {
      QvDbObjectId block = id;
      es = readReference(db, found, name, block);
    }
    if (es == Vexa::eOk) continue;
    if (first == Vexa::eOk) first = es;
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    if (block) block->setDependencyFlags(block->isDependent(), false);
  }
  return first;
}
