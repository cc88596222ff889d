#pragma once

#include "sdk/ge/QvGeExtents3d.h"

// The geometric extents of an entity: an axis-aligned box that starts empty and grows with
// addPoint and addExt (see QvGeExtents3d).
class QvDbExtents : public QvGeExtents3d {
 public:
  QvDbExtents() = default;
  QvDbExtents(const QvGePoint3d& a, const QvGePoint3d& b) : QvGeExtents3d(a, b) {}
  explicit QvDbExtents(const QvGeExtents3d& box) : QvGeExtents3d(box) {}
};
