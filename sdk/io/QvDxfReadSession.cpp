#include "sdk/io/QvDxfReadSession.h"

#include <algorithm>
#include <memory>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfNumber.h"

namespace {

// Handles beyond this would leave the database no room to give out new ones.
constexpr uint64_t kMaxHandle = (uint64_t{1} << 60) - 1;

std::string hex(uint64_t handle) {
  char buf[16];
  return std::string(buf, static_cast<size_t>(QvDxfNumber::formatHandle(handle, buf)));
}

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
    qvDxfFail(line, "\"" + std::string(acadver.substr(0, 16)) + "\" is not a drawing version");
  if (number > 1032)
    qvDxfFail(line, "the drawing version " + std::string(acadver) +
                        " is newer than the newest this reader knows (AC1032, R2018)");
  version_ = static_cast<int>(number);
  if (version_ >= 1021) encoding_ = QvDxfText::kUtf8;
}

uint64_t QvDxfReadSession::parseHandle(std::string_view text, uint32_t line, bool allowNull) const {
  uint64_t handle = 0;
  if (!QvDxfNumber::parseHandle(text, handle))
    qvDxfFail(line, "\"" + std::string(text.substr(0, 24)) + "\" is not a handle");
  if (handle == 0 && !allowNull) qvDxfFail(line, "an object cannot have the handle 0");
  if (handle > kMaxHandle) qvDxfFail(line, "the handle " + hex(handle) + " is out of range");
  return handle;
}

void QvDxfReadSession::checkNotPhantom(uint64_t handle, uint32_t line) const {
  if (handle != 0 && phantoms_.count(handle) != 0)
    qvDxfFail(line, "the handle " + hex(handle) + " is used twice");
}

QvDbObjectId QvDxfReadSession::noteAdded(QvDbObjectId id) {
  handseed_ = std::max(handseed_, id.handle().value() + 1);
  return id;
}

QvDbObjectId QvDxfReadSession::add(QvDbObject* object, uint64_t handle, uint32_t line) {
  std::unique_ptr<QvDbObject> owned(object);
  checkNotPhantom(handle, line);
  QvDbObjectId id;
  const Vexa::ErrorStatus es = db_.addQvDbObject(id, object, QvDbHandle(handle));
  if (es == Vexa::eDuplicateKey) qvDxfFail(line, "the handle " + hex(handle) + " is used twice");
  if (es != Vexa::eOk) throw QvDxfError(es, line, "the object cannot be added to the drawing");
  owned.release();
  return noteAdded(id);
}

QvDbObjectId QvDxfReadSession::addTable(QvDbSymbolTable* table, uint64_t handle, uint32_t line) {
  std::unique_ptr<QvDbSymbolTable> owned(table);
  checkNotPhantom(handle, line);
  QvDbObjectId id;
  const Vexa::ErrorStatus es = db_.addSymbolTable(id, table, QvDbHandle(handle));
  if (es != Vexa::eOk)
    qvDxfFail(line, "the table appears twice in the file, or its handle is used twice");
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
    qvDxfFail(line, "the root dictionary appears twice in the file, or its handle is used twice");
  owned.release();
  return noteAdded(id);
}

QvDbObjectId QvDxfReadSession::reference(uint64_t handle, uint32_t line) {
  if (handle == 0) return QvDbObjectId();
  QvDbObjectId id;
  if (db_.getQvDbObjectId(id, true, QvDbHandle(handle)) != Vexa::eOk) return QvDbObjectId();
  if (!id.objectClass()) forwardReferences_.emplace_back(id, line);
  handseed_ = std::max(handseed_, handle + 1);
  return id;
}

void QvDxfReadSession::reservePhantom(uint64_t handle, uint32_t line) {
  QvDbObjectId existing;
  if (db_.getQvDbObjectId(existing, false, QvDbHandle(handle)) == Vexa::eOk ||
      !phantoms_.insert(handle).second)
    qvDxfFail(line, "the handle " + hex(handle) + " is used twice");
  handseed_ = std::max(handseed_, handle + 1);
}

void QvDxfReadSession::checkReferences() const {
  for (const auto& [id, line] : forwardReferences_) {
    if (id.objectClass()) continue;
    qvDxfFail(line, "the handle " + hex(id.handle().value()) + " refers to no object of the file");
  }
}

void QvDxfReadSession::noteRecord(Table table, const QvString& name, QvDbObjectId id) {
  records_[table][upper(name)] = id;
}

QvDbObjectId QvDxfReadSession::findRecord(Table table, const QvString& name) const {
  const auto it = records_[table].find(upper(name));
  return it == records_[table].end() ? QvDbObjectId() : it->second;
}

QvDbObjectId QvDxfReadSession::layer(std::string_view rawName, uint32_t line) {
  if (!lastLayer_.isNull() && rawName == lastLayerName_) return lastLayer_;
  QvString name = decode(rawName);
  if (name.isEmpty()) {
    repair(line, "an entity without a layer name is put on layer \"0\"");
    name = L"0";
  }
  QvDbObjectId id = findRecord(kLayer, name);
  if (id.isNull()) {
    QvDbLayerTable* table = nullptr;
    if (db_.getLayerTable(table, QvDb::kForWrite) != Vexa::eOk)
      qvDxfFail(line, "the drawing has no layer table for the layer \"" + name.utf8() + "\"");
    auto* record = new QvDbLayerTableRecord();
    Vexa::ErrorStatus es = record->setName(name.c_str());
    if (es == Vexa::eOk) es = table->add(id, record);
    table->close();
    if (es != Vexa::eOk) {
      delete record;
      qvDxfFail(line, "\"" + name.utf8() + "\" is not a valid layer name");
    }
    record->close();
    noteRecord(kLayer, name, id);
    repair(line, "the layer \"" + name.utf8() + "\" was not defined and has been added");
  }
  lastLayerName_.assign(rawName);
  lastLayer_ = id;
  return id;
}

void QvDxfReadSession::repair(uint32_t line, const std::string& what) {
  if (repairs_.size() < 100) repairs_.push_back("line " + std::to_string(line) + ": " + what);
}

QvDxfReadSession::Scratch& QvDxfReadSession::acquireScratch() {
  if (scratchDepth_ == scratch_.size()) scratch_.push_back(std::make_unique<Scratch>());
  return *scratch_[scratchDepth_++];
}
