#include "sdk/gi/QvGiGeometry.h"

#include "sdk/ge/QvGeNurbCurve3d.h"

void QvGiGeometry::nurbs(const QvGeNurbCurve3d& curve) {
  QvGeInterval interval;
  curve.getInterval(interval);
  QvGePoint3dArray points;
  curve.getSamplePoints(interval.lowerBound(), interval.upperBound(), 0.0, points);
  if (points.length() > 0) polyline(points.length(), points.asArrayPtr());
}
