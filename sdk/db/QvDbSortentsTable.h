#pragma once

#include <utility>
#include <vector>

#include "sdk/db/QvDbObject.h"

// The draw order of the entities of one block table record, kept in the record's extension
// dictionary under "ACAD_SORTENTS". Without a table, entities are drawn in the order they were
// appended; the table's moves change that order. Entities appended after the last move are
// drawn above everything it ordered, in their own order.
class QvDbSortentsTable : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbSortentsTable);

  QvDbSortentsTable() = default;

  QvDbObjectId blockId() const;
  Vexa::ErrorStatus setBlockId(QvDbObjectId blockId);

  // Every live entity of the block, bottom first.
  Vexa::ErrorStatus getFullDrawOrder(QvDbObjectIdArray& ids) const;
  // Sorts `ids` (entities of the block) into draw order, bottom first.
  Vexa::ErrorStatus getRelativeDrawOrder(QvDbObjectIdArray& ids) const;
  Vexa::ErrorStatus firstEntityIsDrawnBeforeSecond(QvDbObjectId first, QvDbObjectId second,
                                                   bool& result) const;

  // The moves. The entities moved keep their order among themselves. Every id must be an
  // entity of the block (eInvalidInput); the target of moveBelow and moveAbove must not be
  // among them.
  Vexa::ErrorStatus moveToBottom(const QvDbObjectIdArray& ids);
  Vexa::ErrorStatus moveToTop(const QvDbObjectIdArray& ids);
  Vexa::ErrorStatus moveBelow(const QvDbObjectIdArray& ids, QvDbObjectId target);
  Vexa::ErrorStatus moveAbove(const QvDbObjectIdArray& ids, QvDbObjectId target);
  Vexa::ErrorStatus swapOrder(QvDbObjectId first, QvDbObjectId second);
  // The places that `ids` hold now are given to them again in the order of the array.
  Vexa::ErrorStatus setRelativeDrawOrder(const QvDbObjectIdArray& ids);

  // The order as drawing files keep it: each entity drawn out of handle order with the handle
  // of the place it takes (the handles of the block's entities in ascending order give the
  // places). setSortHandles reads such pairs back.
  std::vector<std::pair<QvDbObjectId, QvDbHandle>> sortHandles() const;
  Vexa::ErrorStatus setSortHandles(const std::vector<std::pair<QvDbObjectId, QvDbHandle>>& pairs);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  // The block's entities, erased ones too, in draw order.
  std::vector<QvDbObjectId> fullOrder() const;
  std::vector<QvDbObjectId> blockEntities() const;
  bool allInBlock(const QvDbObjectIdArray& ids) const;
  Vexa::ErrorStatus place(const QvDbObjectIdArray& ids, QvDbObjectId target, bool above,
                          bool toEnd);

  QvDbObjectId block_;
  std::vector<QvDbObjectId> order_;
};
