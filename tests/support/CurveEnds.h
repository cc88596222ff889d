#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbCurve.h"

// The ends of a bounded database curve and their parameters.
struct CurveEnds {
  QvGePoint3d start, end;
  double startParam = 0, endParam = 0;
};

// The curve's own answers; a refusal fails the test.
inline CurveEnds endsOf(const QvDbCurve& curve) {
  CurveEnds ends;
  EXPECT_EQ(curve.getStartPoint(ends.start), Vexa::eOk);
  EXPECT_EQ(curve.getEndPoint(ends.end), Vexa::eOk);
  EXPECT_EQ(curve.getStartParam(ends.startParam), Vexa::eOk);
  EXPECT_EQ(curve.getEndParam(ends.endParam), Vexa::eOk);
  return ends;
}
