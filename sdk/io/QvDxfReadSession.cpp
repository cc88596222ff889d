#include "sdk/io/QvDxfReadSession.h"

#include <algorithm>
#include <memory>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfNumber.h"

namespace {

// Handles beyond this would leave the database no room to give out new ones.
constexpr uint64_t kMaxHandle = (uint64_t{1} << 60) - 1;

QvString upper(const QvString& name) {
  QvString key = name;
  key.makeUpper();
  return key;
}

}  // namespace

QvDxfReadSession::QvDxfReadSession(const QvDxfTokens& tokens, QvDbDatabase& db)
    : tokens_(tokens), db_(db) {}

QvDxfReadSession::~QvDxfReadSession() {
  for (PendingXData& p : pendingXData_) qvutRelRb(p.data);
}

void QvDxfReadSession::setVersion(std::string_view acadver, uint32_t line) {
  int64_t number = 0;
  if (acadver.size() < 3 || acadver.substr(0, 2) != "AC" ||
      !QvDxfNumber::parseInteger(acadver.substr(2), number) || number < 1000 || number > 9999)
    qvDxfFail(line, QvDxfDiagnostic::kBadVersion,
              qvDxfQuoted(qvDxfExcerpt(acadver)) + " is not a drawing version");
  if (number > 1032)
    qvDxfFail(line, QvDxfDiagnostic::kBadVersion,
              "the drawing version " + std::string(acadver) +
                  " is newer than the newest this reader knows (AC1032, R2018)");
  version_ = static_cast<int>(number);
  if (version_ >= 1021) encoding_ = QvDxfText::kUtf8;
}

uint64_t QvDxfReadSession::parseHandle(std::string_view text, uint32_t line, bool allowNull) const {
  uint64_t handle = 0;
  if (!QvDxfNumber::parseHandle(text, handle))
    qvDxfFail(line, QvDxfDiagnostic::kBadHandle,
              qvDxfQuoted(qvDxfExcerpt(text)) + " is not a handle");
  if (handle == 0 && !allowNull)
    qvDxfFail(line, QvDxfDiagnostic::kBadHandle, "an object cannot have the handle 0");
  if (handle > kMaxHandle)
    qvDxfFail(line, QvDxfDiagnostic::kBadHandle,
              "the handle " + QvDxfNumber::handleText(handle) + " is out of range");
  return handle;
}

void QvDxfReadSession::checkNotPhantom(uint64_t handle, uint32_t line) const {
  if (handle != 0 && phantoms_.contains(handle))
    qvDxfFail(line, QvDxfDiagnostic::kHandleUsedTwice,
              "the handle " + QvDxfNumber::handleText(handle) + " is used twice");
}

QvDbObjectId QvDxfReadSession::noteAdded(QvDbObjectId id) {
  handseed_ = std::max(handseed_, id.handle().value() + 1);
  return id;
}

QvDbObjectId QvDxfReadSession::add(QvDbObject* object, uint64_t handle, uint32_t line) {
  std::unique_ptr<QvDbObject> owned(object);
  QvDbObjectId id;
  const bool phantom = handle != 0 && phantoms_.contains(handle);
  Vexa::ErrorStatus es =
      phantom ? Vexa::eDuplicateKey : db_.addQvDbObject(id, object, QvDbHandle(handle));
  if (es == Vexa::eDuplicateKey && handle != 0) {
    // References to the handle go to the object that had it first.
    repair(line, QvDxfDiagnostic::kHandleReplaced,
           "the handle " + QvDxfNumber::handleText(handle) +
               " is used twice; this object gets a new handle");
    handle = 0;
    es = db_.addQvDbObject(id, object, QvDbHandle());
  }
  if (es == Vexa::eDuplicateKey)
    qvDxfFail(line, QvDxfDiagnostic::kHandleUsedTwice,
              "the handle " + QvDxfNumber::handleText(handle) + " is used twice");
  if (es != Vexa::eOk)
    throw QvDxfError(es, QvDxfDiagnostic::kDrawingRefused, line,
                     "the object cannot be added to the drawing");
  owned.release();
  return noteAdded(id);
}

QvDbObjectId QvDxfReadSession::addTable(QvDbSymbolTable* table, uint64_t handle, uint32_t line) {
  std::unique_ptr<QvDbSymbolTable> owned(table);
  checkNotPhantom(handle, line);
  QvDbObjectId id;
  const Vexa::ErrorStatus es = db_.addSymbolTable(id, table, QvDbHandle(handle));
  if (es != Vexa::eOk)
    qvDxfFail(line, QvDxfDiagnostic::kHandleUsedTwice,
              "the table appears twice in the file, or its handle is used twice");
  owned.release();
  return noteAdded(id);
}

QvDbObjectId QvDxfReadSession::addRootDictionary(QvDbDictionary* dict, uint64_t handle,
                                                 uint32_t line) {
  std::unique_ptr<QvDbDictionary> owned(dict);
  checkNotPhantom(handle, line);
  QvDbObjectId id;
  const Vexa::ErrorStatus es = db_.addNamedObjectsDictionary(id, dict, QvDbHandle(handle));
  if (es != Vexa::eOk)
    qvDxfFail(line, QvDxfDiagnostic::kHandleUsedTwice,
              "the root dictionary appears twice in the file, or its handle is used twice");
  owned.release();
  return noteAdded(id);
}

void QvDxfReadSession::setFileHandles(std::vector<uint64_t> handles) {
  std::sort(handles.begin(), handles.end());
  fileHandles_ = std::move(handles);
  phantoms_ = QvDxfHandleSet(fileHandles_.empty() ? 0 : fileHandles_.back() + 1);
}

QvDbObjectId QvDxfReadSession::reference(uint64_t handle, uint32_t line) {
  if (handle == 0) return QvDbObjectId();
  QvDbObjectId id;
  if (db_.getQvDbObjectId(id, false, QvDbHandle(handle)) == Vexa::eOk) {
    if (!id.objectClass()) forwardReferences_.emplace_back(id, line);
    return id;
  }
  if (!std::binary_search(fileHandles_.begin(), fileHandles_.end(), handle)) {
    repair(line, QvDxfDiagnostic::kReferenceDropped,
           "the handle " + QvDxfNumber::handleText(handle) +
               " refers to no object of the file; the link is dropped");
    return QvDbObjectId();
  }
  if (db_.getQvDbObjectId(id, true, QvDbHandle(handle)) != Vexa::eOk) return QvDbObjectId();
  if (!id.objectClass()) forwardReferences_.emplace_back(id, line);
  handseed_ = std::max(handseed_, handle + 1);
  return id;
}

void QvDxfReadSession::reservePhantom(uint64_t handle, uint32_t line) {
  QvDbObjectId existing;
  if (db_.getQvDbObjectId(existing, false, QvDbHandle(handle)) == Vexa::eOk ||
      !phantoms_.insert(handle))
    qvDxfFail(line, QvDxfDiagnostic::kHandleUsedTwice,
              "the handle " + QvDxfNumber::handleText(handle) + " is used twice");
  handseed_ = std::max(handseed_, handle + 1);
}

void QvDxfReadSession::checkReferences() const {
  for (const auto& [id, line] : forwardReferences_) {
    if (id.objectClass()) continue;
    qvDxfFail(line, QvDxfDiagnostic::kUnresolvedHandle,
              "the handle " + QvDxfNumber::handleText(id.handle().value()) +
                  " refers to no object of the file");
  }
}

void QvDxfReadSession::noteRecord(Table table, const QvString& name, QvDbObjectId id) {
  records_[table][upper(name)] = id;
}

QvDbObjectId QvDxfReadSession::findRecord(Table table, const QvString& name) const {
  const auto it = records_[table].find(upper(name));
  return it == records_[table].end() ? QvDbObjectId() : it->second;
}

template <class Table>
Table* QvDxfReadSession::tableForWrite(uint32_t line, const char* what) {
  Table* table = nullptr;
  if (db_.getSymbolTable(table, QvDb::kForWrite) == Vexa::eOk) return table;
  table = new Table();
  addTable(table, 0, line);
  repair(line, QvDxfDiagnostic::kTableAdded,
         std::string("the file has no ") + what + " table; one has been added");
  return table;
}

QvDbObjectId QvDxfReadSession::layer(std::string_view rawName, uint32_t line) {
  if (const auto it = layersByRawName_.find(rawName); it != layersByRawName_.end())
    return it->second;
  QvString name = decode(rawName);
  if (name.isEmpty()) {
    repair(line, QvDxfDiagnostic::kEntityLayerMissing,
           "an entity without a layer name is put on layer \"0\"");
    name = L"0";
  }
  QvDbObjectId id = findRecord(kLayer, name);
  if (id.isNull()) {
    QvDbLayerTable* table = tableForWrite<QvDbLayerTable>(line, "layer");
    auto* record = new QvDbLayerTableRecord();
    Vexa::ErrorStatus es = record->setName(name.c_str());
    if (es == Vexa::eOk) es = table->add(id, record);
    table->close();
    if (es != Vexa::eOk) {
      delete record;
      qvDxfFail(line, QvDxfDiagnostic::kRefusedValue,
                qvDxfQuoted(name.utf8()) + " is not a valid layer name");
    }
    record->close();
    noteRecord(kLayer, name, id);
    repair(line, QvDxfDiagnostic::kLayerAdded,
           "the layer \"" + name.utf8() + "\" was not defined and has been added");
  }
  // An entity without a layer name is reported each time.
  if (!rawName.empty()) layersByRawName_.emplace(rawName, id);
  return id;
}

template <class Table, class Record>
QvDbObjectId QvDxfReadSession::recordOrNew(QvDxfReadSession::Table kind, std::string_view rawName,
                                           uint32_t line, const char* what,
                                           QvDxfDiagnostic::Code added) {
  const QvString name = decode(rawName);
  QvDbObjectId id = findRecord(kind, name);
  if (!id.isNull()) return id;
  Table* table = tableForWrite<Table>(line, what);
  auto* record = new Record();
  Vexa::ErrorStatus es = record->setName(name.c_str());
  if (es == Vexa::eOk) es = table->add(id, record);
  table->close();
  if (es != Vexa::eOk) {
    delete record;
    qvDxfFail(line, QvDxfDiagnostic::kRefusedValue,
              qvDxfQuoted(name.utf8()) + " is not a valid " + what + " name");
  }
  record->close();
  noteRecord(kind, name, id);
  repair(line, added,
         std::string("the ") + what + " " + qvDxfQuoted(name.utf8()) +
             " was not defined and has been added with standard settings");
  return id;
}

QvDbObjectId QvDxfReadSession::linetype(std::string_view rawName, uint32_t line) {
  return recordOrNew<QvDbLinetypeTable, QvDbLinetypeTableRecord>(
      kLinetype, rawName, line, "linetype", QvDxfDiagnostic::kLinetypeAdded);
}

QvDbObjectId QvDxfReadSession::textStyle(std::string_view rawName, uint32_t line) {
  return recordOrNew<QvDbTextStyleTable, QvDbTextStyleTableRecord>(
      kTextStyle, rawName, line, "text style", QvDxfDiagnostic::kTextStyleAdded);
}

void QvDxfReadSession::repair(uint32_t line, QvDxfDiagnostic::Code code, std::string what) {
  ++repairCount_;
  if (repairs_.size() < 100) repairs_.push_back({code, line, std::move(what)});
}

QvDxfReadSession::Scratch& QvDxfReadSession::acquireScratch() {
  if (scratchDepth_ == scratch_.size()) scratch_.push_back(std::make_unique<Scratch>());
  return *scratch_[scratchDepth_++];
}
