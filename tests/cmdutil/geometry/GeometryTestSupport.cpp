#include "tests/cmdutil/geometry/GeometryTestSupport.h"

#include "sdk/ge/QvGePolyline3d.h"

QvGePoint3dArray fitPointsOf(const QvGeCurve3d* curve) {
  QvGePoint3dArray points;
  if (!curve || curve->type() != QvGe::kPolyline3d) return points;
  const auto& polyline = static_cast<const QvGePolyline3d&>(*curve);
  for (int i = 0; i < polyline.numFitPoints(); ++i) points.append(polyline.fitPointAt(i));
  return points;
}

void PrintTo(const QvArray<double>& values, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < values.length(); ++i) *os << (i ? ", " : "") << values[i];
  *os << "}";
}
