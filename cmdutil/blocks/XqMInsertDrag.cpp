// The array cell drag, and the exported placement functions of block references.
#include "cmdutil/blocks/XqInsertScaling.h"
#include "sdk/db/QvDbLine.h"
#include "xqcmdutil/XqInsertDrag.h"

MInsertDragRowColDistance::MInsertDragRowColDistance(const QvGePoint3d& firstCorner,
                                                     const QvGeMatrix3d& fromCell,
                                                     const QvGeMatrix3d& toCell)
    : first_(firstCorner), current_(firstCorner), fromCell_(fromCell), toCell_(toCell) {}

MInsertDragRowColDistance::~MInsertDragRowColDistance() = default;

void MInsertDragRowColDistance::setup() {
  if (!ortho_) ortho_ = std::make_unique<XqOrthoModeOff>();
  lines_.clear();
  for (int i = 0; i < 4; ++i) lines_.push_back(std::make_unique<QvDbLine>(first_, first_));
}

QvEdDrag::DragStatus MInsertDragRowColDistance::sampler() {
  QvGePoint3d corner;
  const DragStatus status = acquirePoint(corner, current_);
  if (status == kNormal) current_ = corner;
  return status;
}

bool MInsertDragRowColDistance::update() {
  if (lines_.size() != 4) return false;
  QvGePoint3d p = current_, q = first_;
  p.transformBy(toCell_);
  q.transformBy(toCell_);
  QvGePoint3d a(p.x, q.y, p.z), b(q.x, p.y, p.z);
  a.transformBy(fromCell_);
  b.transformBy(fromCell_);
  const QvGePoint3d ends[4][2] = {{first_, a}, {b, current_}, {first_, b}, {current_, a}};
  for (int i = 0; i < 4; ++i) {
    lines_[i]->setStartPoint(ends[i][0]);
    lines_[i]->setEndPoint(ends[i][1]);
  }
  return true;
}

QvArray<QvDbEntity*> MInsertDragRowColDistance::drawnEntities() {
  QvArray<QvDbEntity*> drawn(0, 8);
  for (const auto& line : lines_) drawn.append(line.get());
  return drawn;
}

void BlockReference_Insert::setRotationWithUCS(double angle) {
  XqInsertScaling::setRotationWithUCS(this, angle);
}

void BlockReference_Insert::setScaleFactorsWithCheck(const QvGeScale3d& scale) {
  XqInsertScaling::setScaleFactorsWithCheck(this, scale);
}

void BlockReference_Insert::setRotationWithUCS(QvDbBlockReference* reference, double angle) {
  XqInsertScaling::setRotationWithUCS(reference, angle);
}

void BlockReference_Insert::setScaleFactorsWithCheck(QvDbBlockReference* reference,
                                                     const QvGeScale3d& scale) {
  XqInsertScaling::setScaleFactorsWithCheck(reference, scale);
}
