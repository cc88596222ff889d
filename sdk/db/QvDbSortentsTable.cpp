#include "sdk/db/QvDbSortentsTable.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSortentsTable)

QvDbObjectId QvDbSortentsTable::blockId() const {
  assertReadEnabled();
  return block_;
}

Vexa::ErrorStatus QvDbSortentsTable::setBlockId(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = checkReference(blockId, QvDbBlockTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  block_ = blockId;
  order_.clear();
  return Vexa::eOk;
}

std::vector<QvDbObjectId> QvDbSortentsTable::blockEntities() const {
  const QvDbObjectStub* stub = block_.stub();
  const auto* block = stub ? QvDbBlockTableRecord::cast(stub->object) : nullptr;
  return block ? block->entities_ : std::vector<QvDbObjectId>();
}

std::vector<QvDbObjectId> QvDbSortentsTable::fullOrder() const {
  const std::vector<QvDbObjectId> entities = blockEntities();
  const std::unordered_set<QvDbObjectId> inBlock(entities.begin(), entities.end());
  std::unordered_set<QvDbObjectId> placed;
  std::vector<QvDbObjectId> order;
  order.reserve(entities.size());
  for (const QvDbObjectId& id : order_)
    if (inBlock.count(id) && placed.insert(id).second) order.push_back(id);
  for (const QvDbObjectId& id : entities)
    if (placed.insert(id).second) order.push_back(id);
  return order;
}

bool QvDbSortentsTable::allInBlock(const QvDbObjectIdArray& ids) const {
  const std::vector<QvDbObjectId> entities = blockEntities();
  const std::unordered_set<QvDbObjectId> inBlock(entities.begin(), entities.end());
  for (const QvDbObjectId& id : ids)
    if (!inBlock.count(id)) return false;
  return true;
}

Vexa::ErrorStatus QvDbSortentsTable::getFullDrawOrder(QvDbObjectIdArray& ids) const {
  ids.removeAll();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  for (const QvDbObjectId& id : fullOrder())
    if (!id.isErased()) ids.append(id);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSortentsTable::getRelativeDrawOrder(QvDbObjectIdArray& ids) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!allInBlock(ids)) return Vexa::eInvalidInput;
  std::unordered_map<QvDbObjectId, size_t> rank;
  const std::vector<QvDbObjectId> order = fullOrder();
  for (size_t i = 0; i < order.size(); ++i) rank[order[i]] = i;
  std::vector<QvDbObjectId> sorted(ids.begin(), ids.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [&](QvDbObjectId a, QvDbObjectId b) { return rank[a] < rank[b]; });
  ids.removeAll();
  for (const QvDbObjectId& id : sorted) ids.append(id);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSortentsTable::firstEntityIsDrawnBeforeSecond(QvDbObjectId first,
                                                                    QvDbObjectId second,
                                                                    bool& result) const {
  result = false;
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const std::vector<QvDbObjectId> order = fullOrder();
  const auto a = std::find(order.begin(), order.end(), first);
  const auto b = std::find(order.begin(), order.end(), second);
  if (a == order.end() || b == order.end()) return Vexa::eInvalidInput;
  result = a < b;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSortentsTable::place(const QvDbObjectIdArray& ids, QvDbObjectId target,
                                           bool above, bool toEnd) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (!allInBlock(ids)) return Vexa::eInvalidInput;
  const std::unordered_set<QvDbObjectId> moving(ids.begin(), ids.end());
  if (!toEnd) {
    if (moving.count(target)) return Vexa::eInvalidInput;
    QvDbObjectIdArray single{target};
    if (!allInBlock(single)) return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  std::vector<QvDbObjectId> moved;
  std::vector<QvDbObjectId> rest;
  for (const QvDbObjectId& id : fullOrder()) (moving.count(id) ? moved : rest).push_back(id);
  auto at = above ? rest.end() : rest.begin();
  if (!toEnd) {
    at = std::find(rest.begin(), rest.end(), target);
    if (above) ++at;
  }
  rest.insert(at, moved.begin(), moved.end());
  order_ = std::move(rest);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSortentsTable::moveToBottom(const QvDbObjectIdArray& ids) {
  return place(ids, QvDbObjectId(), false, true);
}

Vexa::ErrorStatus QvDbSortentsTable::moveToTop(const QvDbObjectIdArray& ids) {
  return place(ids, QvDbObjectId(), true, true);
}

Vexa::ErrorStatus QvDbSortentsTable::moveBelow(const QvDbObjectIdArray& ids, QvDbObjectId target) {
  return place(ids, target, false, false);
}

Vexa::ErrorStatus QvDbSortentsTable::moveAbove(const QvDbObjectIdArray& ids, QvDbObjectId target) {
  return place(ids, target, true, false);
}

Vexa::ErrorStatus QvDbSortentsTable::swapOrder(QvDbObjectId first, QvDbObjectId second) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (!allInBlock(QvDbObjectIdArray{first, second})) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  std::vector<QvDbObjectId> order = fullOrder();
  std::iter_swap(std::find(order.begin(), order.end(), first),
                 std::find(order.begin(), order.end(), second));
  order_ = std::move(order);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSortentsTable::setRelativeDrawOrder(const QvDbObjectIdArray& ids) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (!allInBlock(ids)) return Vexa::eInvalidInput;
  const std::unordered_set<QvDbObjectId> given(ids.begin(), ids.end());
  if (given.size() != static_cast<size_t>(ids.length())) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  std::vector<QvDbObjectId> order = fullOrder();
  int next = 0;
  for (QvDbObjectId& id : order)
    if (given.count(id)) id = ids[next++];
  order_ = std::move(order);
  return Vexa::eOk;
}

std::vector<std::pair<QvDbObjectId, QvDbHandle>> QvDbSortentsTable::sortHandles() const {
  assertReadEnabled();
  const std::vector<QvDbObjectId> order = fullOrder();
  std::vector<QvDbHandle> places;
  places.reserve(order.size());
  for (const QvDbObjectId& id : order) places.push_back(id.handle());
  std::sort(places.begin(), places.end());
  std::vector<std::pair<QvDbObjectId, QvDbHandle>> pairs;
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i].handle() != places[i]) pairs.emplace_back(order[i], places[i]);
  return pairs;
}

Vexa::ErrorStatus QvDbSortentsTable::setSortHandles(
    const std::vector<std::pair<QvDbObjectId, QvDbHandle>>& pairs) {
  if (!isWriteEnabled()) return assertWriteEnabled();
  std::unordered_map<QvDbObjectId, QvDbHandle> sortHandle;
  for (const auto& [id, handle] : pairs) sortHandle[id] = handle;
  std::vector<QvDbObjectId> entities = blockEntities();
  for (const auto& [id, handle] : pairs)
    if (std::find(entities.begin(), entities.end(), id) == entities.end())
      return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  auto keyOf = [&](QvDbObjectId id) {
    const auto it = sortHandle.find(id);
    return std::make_pair(it == sortHandle.end() ? id.handle() : it->second, id.handle());
  };
  std::stable_sort(entities.begin(), entities.end(),
                   [&](QvDbObjectId a, QvDbObjectId b) { return keyOf(a) < keyOf(b); });
  order_ = std::move(entities);
  return Vexa::eOk;
}

void QvDbSortentsTable::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  if (!block_.isNull()) visitor.visit(block_, QvDbIdVisitor::kSoftPointer);
  for (QvDbObjectId& id : order_) visitor.visit(id, QvDbIdVisitor::kSoftPointer);
}
