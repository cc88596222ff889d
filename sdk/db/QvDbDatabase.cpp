#include "sdk/db/QvDbDatabase.h"

#include <unordered_map>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbHostExtensions.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOpenRules.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/db/QvDbUCSTable.h"
#include "sdk/db/QvDbViewTable.h"
#include "sdk/db/QvDbViewportTable.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDatabase)

namespace {

// Live databases by serial number, so that a 64-bit id value can be checked before use.
std::unordered_map<uint32_t, QvDbDatabase*>& liveDatabases() {
  static std::unordered_map<uint32_t, QvDbDatabase*> databases;
  return databases;
}

uint32_t nextSerial() {
  static uint32_t serial = 0;
  return ++serial;
}

// An id's 64-bit value: the database's serial above the stub's position.
constexpr int kIndexBits = 40;
constexpr int64_t kIndexMask = (int64_t{1} << kIndexBits) - 1;

constexpr int kMaxViolationLog = 20;

}  // namespace

QvDbDatabase::QvDbDatabase(bool buildDefaultDrawing, bool /*noDocument*/)
    : serial_(nextSerial()), transactionManager_(std::make_unique<QvDbTransactionManager>(this)) {
  liveDatabases()[serial_] = this;
  qvdbAttachHostExtensions();
  if (buildDefaultDrawing) completeDefaultContents();
}

QvDbDatabase::~QvDbDatabase() {
  // Without making the service: the host may be shutting down.
  if (VexaHost* host = VexaHost::current()) {
    auto* services = host->findService<QvDbHostApplicationServices>();
    if (services && services->workingDatabase() == this) services->setWorkingDatabase(nullptr);
  }
  transactionManager_.reset();
  for (auto it = stubs_.rbegin(); it != stubs_.rend(); ++it) {
    if (QvDbObject* object = it->object) {
      object->stub_ = nullptr;
      it->object = nullptr;
      delete object;
    }
  }
  liveDatabases().erase(serial_);
}

QvDbObjectStub* QvDbDatabase::stubFromOldId(int64_t oldId) {
  if (oldId <= 0) return nullptr;
  const auto serial = static_cast<uint32_t>(oldId >> kIndexBits);
  const int64_t index = (oldId & kIndexMask) - 1;
  const auto it = liveDatabases().find(serial);
  if (it == liveDatabases().end() || index < 0) return nullptr;
  QvDbDatabase* db = it->second;
  if (index >= static_cast<int64_t>(db->stubs_.size())) return nullptr;
  return &db->stubs_[static_cast<size_t>(index)];
}

// Drawing-file support.

void QvDbDatabase::setHandseed(QvDbHandle seed) {
  if (handseed_ < seed) handseed_ = seed;
}

void QvDbDatabase::setFileExtras(std::unique_ptr<QvDbFileExtras> extras) {
  fileExtras_ = std::move(extras);
}

Vexa::ErrorStatus QvDbDatabase::replaceContents(QvDbDatabase& other) {
  if (&other == this) return Vexa::eInvalidInput;
  if (openObjects_ != 0 || other.openObjects_ != 0) return Vexa::eInvalidInput;
  if (transactionManager_->numActiveTransactions() != 0 ||
      other.transactionManager_->numActiveTransactions() != 0)
    return Vexa::eInvalidInput;
  std::swap(stubs_, other.stubs_);
  std::swap(byHandle_, other.byHandle_);
  std::swap(handseed_, other.handseed_);
  for (int kind = 0; kind < kTableCount; ++kind) std::swap(tables_[kind], other.tables_[kind]);
  std::swap(namedObjectsDictionaryId_, other.namedObjectsDictionaryId_);
  std::swap(state_, other.state_);
  std::swap(anonymousCounters_, other.anonymousCounters_);
  std::swap(fileExtras_, other.fileExtras_);
  std::swap(fileName_, other.fileName_);
  std::swap(fileMessage_, other.fileMessage_);
  // The serial numbers go with the contents, so that the 64-bit values of ids (entity names
  // kept in data) keep naming the same objects.
  std::swap(serial_, other.serial_);
  liveDatabases()[serial_] = this;
  liveDatabases()[other.serial_] = &other;
  for (QvDbObjectStub& stub : stubs_) stub.database = this;
  // The former contents: objects deleted, records kept here as taken-back additions.
  for (auto it = other.stubs_.rbegin(); it != other.stubs_.rend(); ++it) {
    if (QvDbObject* object = it->object) {
      object->stub_ = nullptr;
      it->object = nullptr;
      delete object;
    }
    it->database = this;
    it->removed = true;
    it->erased = true;
  }
  other.byHandle_.clear();
  other.handseed_ = QvDbHandle(1);
  for (QvDbObjectId& table : other.tables_) table.setNull();
  other.namedObjectsDictionaryId_.setNull();
  other.state_ = QvDbDrawingState();
  other.anonymousCounters_.clear();
  other.fileExtras_.reset();
  retiredStubs_.push_back(std::move(other.stubs_));
  other.stubs_.clear();
  return Vexa::eOk;
}

// Root objects.

const QvRxClass* QvDbDatabase::tableClass(int kind) {
  switch (kind) {
    case kBlockTable:
      return QvDbBlockTable::desc();
    case kLayerTable:
      return QvDbLayerTable::desc();
    case kTextStyleTable:
      return QvDbTextStyleTable::desc();
    case kDimStyleTable:
      return QvDbDimStyleTable::desc();
    case kLinetypeTable:
      return QvDbLinetypeTable::desc();
    case kRegAppTable:
      return QvDbRegAppTable::desc();
    case kUcsTable:
      return QvDbUCSTable::desc();
    case kViewportTable:
      return QvDbViewportTable::desc();
    case kViewTable:
      return QvDbViewTable::desc();
    default:
      return nullptr;
  }
}

QvDbObjectId QvDbDatabase::blockTableId() const {
  return tables_[kBlockTable];
}
QvDbObjectId QvDbDatabase::layerTableId() const {
  return tables_[kLayerTable];
}
QvDbObjectId QvDbDatabase::textStyleTableId() const {
  return tables_[kTextStyleTable];
}
QvDbObjectId QvDbDatabase::dimStyleTableId() const {
  return tables_[kDimStyleTable];
}
QvDbObjectId QvDbDatabase::linetypeTableId() const {
  return tables_[kLinetypeTable];
}
QvDbObjectId QvDbDatabase::regAppTableId() const {
  return tables_[kRegAppTable];
}
QvDbObjectId QvDbDatabase::UCSTableId() const {
  return tables_[kUcsTable];
}
QvDbObjectId QvDbDatabase::viewportTableId() const {
  return tables_[kViewportTable];
}
QvDbObjectId QvDbDatabase::viewTableId() const {
  return tables_[kViewTable];
}

namespace {

QvDbObjectId namedEntry(const QvDbDatabase* db, const wchar_t* key) {
  const QvDbObjectStub* stub = db->namedObjectsDictionaryId().stub();
  const auto* nod = stub ? QvDbDictionary::cast(stub->object) : nullptr;
  return nod ? nod->peekAt(key) : QvDbObjectId();
}

}  // namespace

QvDbObjectId QvDbDatabase::layoutDictionaryId() const {
  return namedEntry(this, L"ACAD_LAYOUT");
}

QvDbObjectId QvDbDatabase::scaleListDictionaryId() const {
  return namedEntry(this, L"ACAD_SCALELIST");
}

QvDbObjectId QvDbDatabase::groupDictionaryId() const {
  return namedEntry(this, L"ACAD_GROUP");
}

Vexa::ErrorStatus QvDbDatabase::openTable(QvDbSymbolTable*& table, int kind,
                                          QvDb::OpenMode mode) const {
  table = nullptr;
  QvDbObject* object = nullptr;
  const Vexa::ErrorStatus es = qvdbOpenObject(object, tables_[kind], mode, false, tableClass(kind));
  table = static_cast<QvDbSymbolTable*>(object);
  return es;
}

#define TARVO_GET_SYMBOL_TABLE(TYPE, KIND)                                                  \
  Vexa::ErrorStatus QvDbDatabase::getSymbolTable(TYPE*& table, QvDb::OpenMode mode) const { \
    QvDbSymbolTable* base = nullptr;                                                        \
    const Vexa::ErrorStatus es = openTable(base, KIND, mode);                               \
    table = static_cast<TYPE*>(base);                                                       \
    return es;                                                                              \
  }
TARVO_GET_SYMBOL_TABLE(QvDbBlockTable, kBlockTable)
TARVO_GET_SYMBOL_TABLE(QvDbLayerTable, kLayerTable)
TARVO_GET_SYMBOL_TABLE(QvDbTextStyleTable, kTextStyleTable)
TARVO_GET_SYMBOL_TABLE(QvDbDimStyleTable, kDimStyleTable)
TARVO_GET_SYMBOL_TABLE(QvDbLinetypeTable, kLinetypeTable)
TARVO_GET_SYMBOL_TABLE(QvDbRegAppTable, kRegAppTable)
TARVO_GET_SYMBOL_TABLE(QvDbUCSTable, kUcsTable)
TARVO_GET_SYMBOL_TABLE(QvDbViewportTable, kViewportTable)
TARVO_GET_SYMBOL_TABLE(QvDbViewTable, kViewTable)
#undef TARVO_GET_SYMBOL_TABLE

Vexa::ErrorStatus QvDbDatabase::getNamedObjectsDictionary(QvDbDictionary*& dict,
                                                          QvDb::OpenMode mode) const {
  return qvdbOpenObject(dict, namedObjectsDictionaryId_, mode);
}

QvDbObjectId QvDbDatabase::findSymbolRecord(int kind, const QvString& name) const {
  const QvDbObjectStub* stub = tables_[kind].stub();
  const auto* table = stub ? QvDbSymbolTable::cast(stub->object) : nullptr;
  return table ? table->findLive(name) : QvDbObjectId();
}

// The names of the spaces as the block table keys them, made once: spaces are looked up often.
QvDbObjectId QvDbDatabase::modelSpaceId() const {
  static const QvString key = QvDbSymbolTable::keyOf(kQvDbModelSpace);
  return findSymbolRecord(kBlockTable, key);
}

QvDbObjectId QvDbDatabase::paperSpaceId() const {
  static const QvString key = QvDbSymbolTable::keyOf(kQvDbPaperSpace);
  return findSymbolRecord(kBlockTable, key);
}

QvDbObjectId QvDbDatabase::currentSpaceId() const {
  if (tilemode() || cvport() != 1) return modelSpaceId();
  return paperSpaceId();
}

// Objects.

QvDbObjectStub* QvDbDatabase::newStub(QvDbHandle handle) {
  QvDbObjectStub& stub = stubs_.emplace_back();
  stub.database = this;
  stub.handle = handle;
  stub.oldId = (static_cast<int64_t>(serial_) << kIndexBits) | static_cast<int64_t>(stubs_.size());
  byHandle_.set(handle.value(), &stub);
  if (!(handle < handseed_)) handseed_ = QvDbHandle(handle.value() + 1);
  return &stub;
}

Vexa::ErrorStatus QvDbDatabase::addQvDbObject(QvDbObjectId& id, QvDbObject* object,
                                              QvDbHandle handle) {
  id.setNull();
  if (!object) return Vexa::eNullPtr;
  if (object->isResident()) return Vexa::eAlreadyInDb;
  QvDbObjectStub* stub = nullptr;
  if (!handle.isNull()) {
    if (QvDbObjectStub* known = byHandle_.find(handle.value())) {
      if (known->object || known->removed) return Vexa::eDuplicateKey;
      stub = known;  // a forward reference made by getQvDbObjectId
    } else {
      stub = newStub(handle);
    }
  } else {
    while (byHandle_.contains(handseed_.value())) ++handseed_;
    stub = newStub(handseed_);
  }
  stub->object = object;
  object->stub_ = stub;
  QvDbOpenRules::open(stub, QvDb::kForWrite);
  transactionManager_->recordAddition(stub);
  id = QvDbObjectId(stub);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::getQvDbObjectId(QvDbObjectId& id, bool createIfNotFound,
                                                QvDbHandle handle) {
  id.setNull();
  if (handle.isNull()) return Vexa::eInvalidInput;
  if (QvDbObjectStub* known = byHandle_.find(handle.value())) {
    id = QvDbObjectId(known);
    return Vexa::eOk;
  }
  if (!createIfNotFound) return Vexa::eKeyNotFound;
  id = QvDbObjectId(newStub(handle));
  return Vexa::eOk;
}

QvDbObjectIdArray QvDbDatabase::objectIds(bool includeErased) const {
  QvDbObjectIdArray ids(static_cast<int>(stubs_.size()));
  for (const QvDbObjectStub& stub : stubs_) {
    if (!stub.object || stub.removed) continue;
    if (stub.erased && !includeErased) continue;
    ids.append(QvDbObjectId(const_cast<QvDbObjectStub*>(&stub)));
  }
  return ids;
}

int QvDbDatabase::numObjects() const {
  int count = 0;
  for (const QvDbObjectStub& stub : stubs_)
    if (stub.object && !stub.removed && !stub.erased) ++count;
  return count;
}

QvDbObject* QvDbDatabase::peek(QvDbObjectId id) const {
  const QvDbObjectStub* stub = id.stub();
  if (!stub || stub->database != this || stub->removed) return nullptr;
  return stub->object;
}

void QvDbDatabase::removeAddedObject(QvDbObjectStub* stub) {
  stub->removed = true;
  stub->erased = true;
  byHandle_.erase(stub->handle.value());
  if (!stub->object || stub->isOpen()) return;  // deleted at its last close
  QvDbObject* object = stub->object;
  stub->object = nullptr;
  object->stub_ = nullptr;
  delete object;
}

Vexa::ErrorStatus QvDbDatabase::addSymbolTable(QvDbObjectId& id, QvDbSymbolTable* table,
                                               QvDbHandle handle) {
  id.setNull();
  if (!table) return Vexa::eNullPtr;
  for (int kind = 0; kind < kTableCount; ++kind) {
    if (table->isA() != tableClass(kind)) continue;
    if (!tables_[kind].isNull()) return Vexa::eDuplicateKey;
    if (const Vexa::ErrorStatus es = addQvDbObject(id, table, handle); es != Vexa::eOk) return es;
    tables_[kind] = id;
    return Vexa::eOk;
  }
  return Vexa::eWrongObjectType;
}

Vexa::ErrorStatus QvDbDatabase::addNamedObjectsDictionary(QvDbObjectId& id, QvDbDictionary* dict,
                                                          QvDbHandle handle) {
  id.setNull();
  if (!dict) return Vexa::eNullPtr;
  if (!namedObjectsDictionaryId_.isNull()) return Vexa::eDuplicateKey;
  if (const Vexa::ErrorStatus es = addQvDbObject(id, dict, handle); es != Vexa::eOk) return es;
  namedObjectsDictionaryId_ = id;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::registerApplication(const wchar_t* name) {
  if (!name || !*name) return Vexa::eInvalidInput;
  if (!findSymbolRecord(kRegAppTable, name).isNull()) return Vexa::eOk;
  QvDbObjectPointer<QvDbRegAppTable> table(tables_[kRegAppTable], QvDb::kForWrite);
  if (table.openStatus() != Vexa::eOk) return table.openStatus();
  QvDbObjectPointer<QvDbRegAppTableRecord> record(new QvDbRegAppTableRecord());
  if (const Vexa::ErrorStatus es = record->setName(name); es != Vexa::eOk) return es;
  return table->add(record.object());
}

// Open accounting.

QvDbObjectIdArray QvDbDatabase::openObjectIds() const {
  QvDbObjectIdArray ids;
  for (const QvDbObjectStub& stub : stubs_)
    if (stub.isOpen()) ids.append(QvDbObjectId(const_cast<QvDbObjectStub*>(&stub)));
  return ids;
}

void QvDbDatabase::recordViolation(const QvDbObjectStub* stub, const char* what) const {
  ++accessViolations_;
  if (violationLog_.length() >= kMaxViolationLog) return;
  const QvRxClass* cls = stub && stub->object ? stub->object->isA() : nullptr;
  violationLog_.append(QvString::format(L"%hs: %ls, handle %ls", what,
                                        cls ? cls->name() : L"(no object)",
                                        stub ? stub->handle.ascii().c_str() : L"-"));
}

void QvDbDatabase::clearAccessViolations() {
  accessViolations_ = 0;
  violationLog_.removeAll();
}

bool QvDbDatabase::isIndispensable(QvDbObjectId id) const {
  if (id.isNull()) return false;
  const QvDbObject* object = peek(id);
  if (object && QvDbEntity::cast(object)) return false;  // no entity is indispensable
  if (id == namedObjectsDictionaryId_) return true;
  for (const QvDbObjectId& table : tables_)
    if (id == table) return true;
  if (id == state_.clayer || id == state_.textstyle || id == state_.dimstyle ||
      id == state_.celtype)
    return true;
  if (!object) return id == layoutDictionaryId();
  if (id == layoutDictionaryId()) return true;
  const QvString name = QvDbSymbolTableRecord::nameOf(id);
  const QvRxClass* cls = object->isA();
  if (cls == QvDbLayerTableRecord::desc()) return name == L"0";
  if (cls == QvDbLinetypeTableRecord::desc())
    return name.compareNoCase(L"ByBlock") == 0 || name.compareNoCase(L"ByLayer") == 0 ||
           name.compareNoCase(L"Continuous") == 0;
  if (cls == QvDbRegAppTableRecord::desc()) return name.compareNoCase(L"ACAD") == 0;
  if (cls == QvDbViewportTableRecord::desc()) return name.compareNoCase(L"*Active") == 0;
  if (cls == QvDbBlockTableRecord::desc()) {
    if (name.compareNoCase(kQvDbModelSpace) == 0 || name.compareNoCase(kQvDbPaperSpace) == 0)
      return true;
    // The record of a live layout goes only with its layout.
    const QvDbObjectId layout = static_cast<const QvDbBlockTableRecord*>(object)->layoutId_;
    return !layout.isNull() && !layout.isErased();
  }
  if (cls == QvDbLayout::desc())
    return static_cast<const QvDbLayout*>(object)->name_ == QvDbLayoutManager::kModelLayoutName;
  return false;
}

// Anonymous names.

QvString QvDbDatabase::newAnonymousName(const QvString& prefix,
                                        const QvDbSymbolTable* table) const {
  QvString upper = prefix;
  upper.makeUpper();
  int& counter = anonymousCounters_[upper];
  for (;;) {
    const QvString name = QvString::format(L"%ls%d", upper.c_str(), ++counter);
    if (!table || table->findAny(name).isNull()) return name;
  }
}
