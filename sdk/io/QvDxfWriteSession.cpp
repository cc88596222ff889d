#include "sdk/io/QvDxfWriteSession.h"

#include <algorithm>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfText.h"

QvDxfWriteSession::QvDxfWriteSession(QvDbDatabase& db) : db_(db), next_(db.handseed().value()) {}

bool QvDxfWriteSession::isTaken(uint64_t handle) {
  QvDbObjectId id;
  return db_.getQvDbObjectId(id, false, QvDbHandle(handle)) == Vexa::eOk ||
         markers_.count(handle) != 0;
}

QvDbHandle QvDxfWriteSession::markerHandle(std::string_view kept) {
  uint64_t handle = 0;
  if (!kept.empty() && QvDxfNumber::parseHandle(kept, handle) && handle != 0 && !isTaken(handle)) {
    markers_.insert(handle);
    return QvDbHandle(handle);
  }
  while (isTaken(next_)) ++next_;
  markers_.insert(next_);
  return QvDbHandle(next_++);
}

QvDbHandle QvDxfWriteSession::handseed() const {
  uint64_t seed = std::max(db_.handseed().value(), next_);
  for (const uint64_t h : markers_) seed = std::max(seed, h + 1);
  return QvDbHandle(seed);
}

bool QvDxfWriteSession::isWritten(QvDbObjectId id) const {
  return id.isValid() && id.database() == &db_ && !id.isErased();
}

std::string_view QvDxfWriteSession::recordName(QvDbObjectId recordId) {
  auto [it, added] = recordNames_.try_emplace(recordId);
  if (added) QvDxfText::appendEncoded(it->second, QvDbSymbolTableRecord::nameOf(recordId));
  return it->second;
}

void QvDxfWriteSession::noteClass(const QvDxfClassRecord& record) {
  const std::string key(record.dxfName);
  auto [it, added] = classes_.try_emplace(key);
  ClassUse& use = it->second;
  if (added) {
    use.dxfName = std::string(record.dxfName);
    use.className = std::string(record.className);
    use.appName = std::string(record.appName);
    use.record = record;
    use.record.dxfName = use.dxfName;
    use.record.className = use.className;
    use.record.appName = use.appName;
  }
  ++use.count;
}

bool QvDxfWriteSession::isPaperSpaceBlock(QvDbObjectId blockId) {
  if (blockId == lastBlock_) return lastBlockIsPaper_;
  if (blockId == lastOther_) return false;
  QvDbBlockTableRecord* block = nullptr;
  if (qvdbOpenObject(block, blockId, QvDb::kForRead) != Vexa::eOk) {
    lastOther_ = blockId;
    return false;
  }
  const bool paper = block->isLayout() && block->name().compareNoCase(kQvDbModelSpace) != 0;
  block->close();
  lastBlock_ = blockId;
  lastBlockIsPaper_ = paper;
  return paper;
}
