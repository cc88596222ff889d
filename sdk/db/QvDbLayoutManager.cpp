#include "sdk/db/QvDbLayoutManager.h"

#include <algorithm>
#include <vector>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionScope.h"

namespace {

const QvDbLayout* layoutOf(QvDbObjectId id) {
  const QvDbObjectStub* stub = id.stub();
  if (!stub || stub->erased || stub->removed) return nullptr;
  return QvDbLayout::cast(stub->object);
}

}  // namespace

QvDbObjectId QvDbLayoutManager::layoutOfBlock(QvDbObjectId blockId) {
  const QvDbObjectStub* stub = blockId.stub();
  const auto* block = stub ? QvDbBlockTableRecord::cast(stub->object) : nullptr;
  return block ? block->layoutId_ : QvDbObjectId();
}

// The live layouts of a database with their tab order.
std::vector<std::pair<int, QvDbObjectId>> QvDbLayoutManager::layoutsOf(const QvDbDatabase* db) {
  std::vector<std::pair<int, QvDbObjectId>> layouts;
  const QvDbObjectStub* stub = db->layoutDictionaryId().stub();
  const auto* dict = stub ? QvDbDictionary::cast(stub->object) : nullptr;
  if (!dict) return layouts;
  for (const auto& [key, entry] : dict->entries_)
    if (const QvDbLayout* layout = layoutOf(entry.id))
      layouts.emplace_back(QvDbLayoutManager::tabOrderOf(layout), entry.id);
  std::stable_sort(layouts.begin(), layouts.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return layouts;
}

QvDbDatabase* QvDbLayoutManager::orWorking(const QvDbDatabase* db) {
  if (db) return const_cast<QvDbDatabase*>(db);
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

QvString QvDbLayoutManager::findActiveLayout(bool allowModel, const QvDbDatabase* db) const {
  const QvDbLayout* layout = layoutOf(getActiveLayoutId(allowModel, db));
  return layout ? layout->name_ : QvString();
}

QvDbObjectId QvDbLayoutManager::getActiveLayoutId(bool allowModel, const QvDbDatabase* db) const {
  db = orWorking(db);
  if (!db) return QvDbObjectId();
  if (db->tilemode() && allowModel) return layoutOfBlock(db->modelSpaceId());
  return layoutOfBlock(db->paperSpaceId());
}

QvDbObjectId QvDbLayoutManager::getActiveLayoutBTRId(const QvDbDatabase* db) const {
  db = orWorking(db);
  if (!db) return QvDbObjectId();
  return db->tilemode() ? db->modelSpaceId() : db->paperSpaceId();
}

QvDbObjectId QvDbLayoutManager::findLayoutNamed(const wchar_t* name, const QvDbDatabase* db) const {
  db = orWorking(db);
  if (!db || !name) return QvDbObjectId();
  const QvDbObjectStub* stub = db->layoutDictionaryId().stub();
  const auto* dict = stub ? QvDbDictionary::cast(stub->object) : nullptr;
  const QvDbObjectId id = dict ? dict->peekAt(name) : QvDbObjectId();
  return layoutOf(id) ? id : QvDbObjectId();
}

bool QvDbLayoutManager::layoutExists(const wchar_t* name, const QvDbDatabase* db) const {
  return !findLayoutNamed(name, db).isNull();
}

int QvDbLayoutManager::countLayouts(const QvDbDatabase* db) const {
  db = orWorking(db);
  return db ? static_cast<int>(layoutsOf(db).size()) : 0;
}

QvArray<QvString> QvDbLayoutManager::layoutNames(const QvDbDatabase* db) const {
  QvArray<QvString> names;
  db = orWorking(db);
  if (!db) return names;
  for (const auto& [order, id] : layoutsOf(db)) names.append(layoutOf(id)->name_);
  return names;
}

Vexa::ErrorStatus QvDbLayoutManager::setCurrentLayout(const wchar_t* name, QvDbDatabase* db) {
  db = orWorking(db);
  if (!db) return Vexa::eNoDatabase;
  const QvDbObjectId id = findLayoutNamed(name, db);
  if (id.isNull()) return Vexa::eKeyNotFound;
  return setCurrentLayoutId(id);
}

Vexa::ErrorStatus QvDbLayoutManager::setCurrentLayoutId(QvDbObjectId layoutId) {
  if (layoutId.isNull()) return Vexa::eNullObjectId;
  if (layoutId.objectClass() != QvDbLayout::desc()) return Vexa::eWrongObjectType;
  if (layoutId.isErased()) return Vexa::eWasErased;
  return activate(layoutId.database(), layoutId);
}

Vexa::ErrorStatus QvDbLayoutManager::activate(QvDbDatabase* db, QvDbObjectId layoutId) {
  const QvDbObjectId block = layoutOf(layoutId)->block_;
  if (block.isNull() || block.isErased()) return Vexa::eWasErased;
  if (block == db->modelSpaceId()) {
    db->setTilemodeValue(true);
    return Vexa::eOk;
  }
  if (block != db->paperSpaceId()) {
    if (const Vexa::ErrorStatus es = swapPaperSpaceNames(db, block); es != Vexa::eOk) return es;
  }
  db->setTilemodeValue(false);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLayoutManager::swapPaperSpaceNames(QvDbDatabase* db,
                                                         QvDbObjectId newPaperSpace) {
  const QvDbObjectId oldPaperSpace = db->paperSpaceId();
  QvDbBlockTableRecord* incoming = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(incoming, newPaperSpace, QvDb::kForWrite);
      es != Vexa::eOk)
    return es;
  QvDbBlockTableRecord* outgoing = nullptr;
  if (!oldPaperSpace.isNull()) {
    if (const Vexa::ErrorStatus es = qvdbOpenObject(outgoing, oldPaperSpace, QvDb::kForWrite);
        es != Vexa::eOk) {
      incoming->close();
      return es;
    }
  }
  const QvString incomingName = incoming->name_;
  // Through a free name, so that no two live records share one on the way.
  QvString parked;
  for (int n = 1000000;; ++n) {
    parked = QvString::format(L"%ls%d", kQvDbPaperSpace, n);
    if (db->findSymbolRecord(QvDbDatabase::kBlockTable, parked).isNull()) break;
  }
  Vexa::ErrorStatus es = incoming->rename(parked, false);
  if (es == Vexa::eOk && outgoing) es = outgoing->rename(incomingName, false);
  if (es == Vexa::eOk) es = incoming->rename(kQvDbPaperSpace, false);
  if (outgoing) outgoing->close();
  incoming->close();
  return es;
}

Vexa::ErrorStatus QvDbLayoutManager::createLayout(const wchar_t* name, QvDbObjectId& layoutId,
                                                  QvDbObjectId& blockTableRecordId,
                                                  QvDbDatabase* db) {
  layoutId.setNull();
  blockTableRecordId.setNull();
  db = orWorking(db);
  if (!db) return Vexa::eNoDatabase;
  if (qvdbGetSymbolSvc()->validateSymbolName(QvString(name), false, true) != Vexa::eOk)
    return Vexa::eInvalidSymbolName;
  if (layoutExists(name, db)) return Vexa::eDuplicateKey;
  QvDbTransactionScope scope(db);
  QvDbBlockTable* table = nullptr;
  if (const Vexa::ErrorStatus es = db->getBlockTable(table, QvDb::kForWrite); es != Vexa::eOk)
    return es;
  QvString blockName;
  for (int n = 0;; ++n) {
    blockName = QvString::format(L"%ls%d", kQvDbPaperSpace, n);
    if (!table->has(blockName.c_str())) break;
  }
  auto* block = new QvDbBlockTableRecord();
  block->name_ = blockName;
  QvDbObjectId blockId;
  Vexa::ErrorStatus es = table->add(blockId, block);
  table->close();
  if (es != Vexa::eOk) {
    delete block;
    return es;
  }
  int tab = 0;
  for (const auto& [order, id] : layoutsOf(db)) tab = std::max(tab, order + 1);
  QvDbDictionary* layouts = nullptr;
  es = qvdbOpenObject(layouts, db->layoutDictionaryId(), QvDb::kForWrite);
  QvDbObjectId newLayoutId;
  if (es == Vexa::eOk) {
    auto* layout = new QvDbLayout();
    layout->name_ = QvString(name);
    layout->tabOrder_ = tab;
    layout->block_ = blockId;
    es = layouts->setAt(name, layout, newLayoutId);
    layouts->close();
    if (es == Vexa::eOk) {
      layout->close();
    } else {
      delete layout;
    }
  }
  if (es == Vexa::eOk) es = block->setLayoutId(newLayoutId);
  block->close();
  if (es != Vexa::eOk) return es;  // the scope takes everything back
  layoutId = newLayoutId;
  blockTableRecordId = blockId;
  return scope.commit();
}

Vexa::ErrorStatus QvDbLayoutManager::deleteLayout(const wchar_t* name, QvDbDatabase* db) {
  db = orWorking(db);
  if (!db) return Vexa::eNoDatabase;
  const QvDbObjectId layoutId = findLayoutNamed(name, db);
  if (layoutId.isNull()) return Vexa::eKeyNotFound;
  const QvDbObjectId blockId = layoutOf(layoutId)->block_;
  if (blockId == db->modelSpaceId()) return Vexa::eCannotBeErased;
  QvDbObjectId successor;
  for (const auto& [order, id] : layoutsOf(db)) {
    if (id == layoutId || layoutOf(id)->block_ == db->modelSpaceId()) continue;
    if (successor.isNull()) successor = id;
  }
  if (successor.isNull()) return Vexa::eCannotBeErased;  // the last paper layout

  QvDbTransactionScope scope(db);
  if (blockId == db->paperSpaceId()) {
    const bool modelActive = db->tilemode();
    Vexa::ErrorStatus es = swapPaperSpaceNames(db, layoutOf(successor)->block_);
    if (es != Vexa::eOk) return es;
    if (!modelActive) db->setTilemodeValue(false);
  }
  QvDbLayout* layout = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(layout, layoutId, QvDb::kForWrite);
      es != Vexa::eOk)
    return es;
  Vexa::ErrorStatus es = layout->erase();
  layout->close();
  if (es != Vexa::eOk) return es;
  QvDbBlockTableRecord* block = nullptr;
  if (es = qvdbOpenObject(block, blockId, QvDb::kForWrite); es != Vexa::eOk) return es;
  es = block->erase();
  block->close();
  if (es != Vexa::eOk) return es;
  return scope.commit();
}

Vexa::ErrorStatus QvDbLayoutManager::renameLayout(const wchar_t* oldName, const wchar_t* newName,
                                                  QvDbDatabase* db) {
  db = orWorking(db);
  if (!db) return Vexa::eNoDatabase;
  const QvDbObjectId layoutId = findLayoutNamed(oldName, db);
  if (layoutId.isNull()) return Vexa::eKeyNotFound;
  if (layoutOf(layoutId)->block_ == db->modelSpaceId()) return Vexa::eNotApplicable;
  const QvDbObjectId other = findLayoutNamed(newName, db);
  if (!other.isNull() && other != layoutId) return Vexa::eDuplicateKey;
  QvDbLayout* layout = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(layout, layoutId, QvDb::kForWrite);
      es != Vexa::eOk)
    return es;
  const Vexa::ErrorStatus es = layout->setLayoutName(newName);
  layout->close();
  return es;
}

int QvDbLayoutManager::tabOrderOf(const QvDbLayout* layout) {
  return layout->tabOrder_;
}
