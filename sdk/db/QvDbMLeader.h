#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

// A multileader: a leader line that points from its content to an arrow point. The stand-in
// keeps the content of block kind only: the block it shows (a block table record of its
// database) with the block's position, and one leader line.
class QvDbMLeader : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbMLeader);

  QvDbMLeader() = default;

  // The block of the content; null when the content is no block.
  QvDbObjectId blockContentId() const;
  Vexa::ErrorStatus setBlockContentId(QvDbObjectId blockId);
  QvGePoint3d blockPosition() const;
  Vexa::ErrorStatus setBlockPosition(const QvGePoint3d& position);
  // The leader line, from the arrow point to the content.
  QvGePoint3dArray leaderLine() const;
  Vexa::ErrorStatus setLeaderLine(const QvGePoint3dArray& points);

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvDbObjectId blockContent_;
  QvGePoint3d blockPosition_;
  QvGePoint3dArray leader_;
};
