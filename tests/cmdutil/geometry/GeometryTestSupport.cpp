#include "tests/cmdutil/geometry/GeometryTestSupport.h"

#include "sdk/ge/QvGePolyline3d.h"

QvGePoint3dArray fitPointsOf(const QvGeCurve3d* curve) {
  QvGePoint3dArray points;
  if (!curve || curve->type() != QvGe::kPolyline3d) return points;
  const auto& polyline = static_cast<const QvGePolyline3d&>(*curve);
  for (int i = 0; i < polyline.numFitPoints(); ++i) points.append(polyline.fitPointAt(i));
  return points;
}

CurveEnds endsOf(const QvDbCurve& curve) {
  CurveEnds ends;
  EXPECT_EQ(curve.getStartPoint(ends.start), Vexa::eOk);
  EXPECT_EQ(curve.getEndPoint(ends.end), Vexa::eOk);
  EXPECT_EQ(curve.getStartParam(ends.startParam), Vexa::eOk);
  EXPECT_EQ(curve.getEndParam(ends.endParam), Vexa::eOk);
  return ends;
}

void PrintTo(const QvArray<double>& values, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < values.length(); ++i) *os << (i ? ", " : "") << values[i];
  *os << "}";
}
