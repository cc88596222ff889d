#pragma once

#include "sdk/ge/QvGeExtents3d.h"

// The extents of an entity or a set of entities: an axis-aligned box in world coordinates that
// starts empty and grows with addPoint and addExt.
class QvDbExtents : public QvGeExtents3d {
 public:
  QvDbExtents() = default;
  QvDbExtents(const QvGePoint3d& a, const QvGePoint3d& b) : QvGeExtents3d(a, b) {}
  QvDbExtents(const QvGeExtents3d& other) : QvGeExtents3d(other) {}  // NOLINT: same box
};
