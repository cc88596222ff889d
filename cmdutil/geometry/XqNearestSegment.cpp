#include "cmdutil/geometry/XqNearestSegment.h"

#include <algorithm>

#include "sdk/ge/QvGeInterval.h"

namespace {

constexpr double kArcParamTol = 1e-12;

}  // namespace

bool XqNearestSegment::take(double distance) {
  if (found_ && !(distance < distance_)) return false;
  found_ = true;
  distance_ = distance;
  return true;
}

void XqNearestSegment::offerLine(const QvGePoint3d& start, const QvGePoint3d& end) {
  const QvGeVector3d along = end - start;
  const double lengthSqrd = along.lengthSqrd();
  if (!(lengthSqrd > 0.0)) return;
  const double t = std::clamp((point_ - start).dotProduct(along) / lengthSqrd, 0.0, 1.0);
  if (!take((start + along * t).distanceTo(point_))) return;
  origin_ = t <= 0.5 ? start : end;
  xAxis_ = t <= 0.5 ? along : -along;
}

void XqNearestSegment::offerArc(const QvGeCircArc3d& arc) {
  QvGeInterval interval;
  arc.getInterval(interval);
  const double lower = interval.lowerBound();
  const double upper = interval.upperBound();
  if (!(upper - lower > kArcParamTol)) return;
  double param = 0.0;
  const QvGePoint3d nearest = static_cast<const QvGeCurve3d&>(arc).closestPointTo(point_, param);
  if (!take(nearest.distanceTo(point_))) return;
  const double clamped = std::clamp(param, lower - kArcParamTol, upper + kArcParamTol);
  const double normalized = std::clamp((clamped - lower) / (upper - lower), 0.0, 1.0);
  origin_ = arc.center();
  xAxis_ = (normalized <= 0.5 ? arc.startPoint() : arc.endPoint()) - arc.center();
}
