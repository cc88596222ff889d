#pragma once

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// The segment of a polyline nearest a point, among the segments offered in order (a later one
// must be strictly nearer to win), and the frame it gives an aligned UCS: on a line, the end of
// the half the point is nearer (the start up to the middle) with x toward the other end; on an
// arc, the centre with x toward the end of the half the point is nearer.
class XqNearestSegment {
 public:
  explicit XqNearestSegment(const QvGePoint3d& point) : point_(point) {}

  void offerLine(const QvGePoint3d& start, const QvGePoint3d& end);
  void offerArc(const QvGeCircArc3d& arc);

  bool found() const { return found_; }
  const QvGePoint3d& origin() const { return origin_; }
  const QvGeVector3d& xAxis() const { return xAxis_; }

 private:
  bool take(double distance);

  QvGePoint3d point_;
  bool found_ = false;
  double distance_ = 0.0;
  QvGePoint3d origin_;
  QvGeVector3d xAxis_;
};
