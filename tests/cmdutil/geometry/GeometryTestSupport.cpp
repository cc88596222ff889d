#include "tests/cmdutil/geometry/GeometryTestSupport.h"

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
