// Parameters of polylines at points: straight and arc segments, joints, closing segments,
// large coordinates, and the classes that have none.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using Vexa::eOk;

constexpr double kPi = std::numbers::pi;

QvArray<double> paramsAt(const QvDbCurve& curve, const QvGePoint3d& point,
                         Vexa::ErrorStatus expected = eOk) {
  QvArray<double> params;
  EXPECT_EQ(XqDbUtil::getParamsAtPoint(&curve, point, params), expected);
  return params;
}

// The one parameter the curve has at `point` (NaN, failing the test, unless there is one).
double oneParamAt(const QvDbCurve& curve, const QvGePoint3d& point) {
  const QvArray<double> params = paramsAt(curve, point);
  EXPECT_EQ(params.length(), 1) << ::testing::PrintToString(params);
  return params.length() == 1 ? params[0] : std::nan("");
}

class ParamsAtPointTest : public HostFixture {};

TEST_F(ParamsAtPointTest, StraightSegmentsAndTheirJoints) {
  const QvDbPolyline square = *lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(paramsAt(square, QvGePoint3d(10, 5, 0)), QvArray<double>({1.5}));
  EXPECT_EQ(paramsAt(square, QvGePoint3d(2.5, 0, 0)), QvArray<double>({0.25}));
  // A vertex between two segments: one parameter, exactly the vertex's.
  EXPECT_EQ(paramsAt(square, QvGePoint3d(10, 0, 0)), QvArray<double>({1.0}));
  EXPECT_EQ(paramsAt(square, QvGePoint3d(10, 10, 0)), QvArray<double>({2.0}));
  // A hair from the vertex still snaps to it.
  EXPECT_EQ(paramsAt(square, QvGePoint3d(10, 1e-7, 0)), QvArray<double>({1.0}));

  // Off the polyline: status 3 and nothing appended to what was there.
  QvArray<double> params = {7.0};
  EXPECT_EQ(XqDbUtil::getParamsAtPoint(&square, QvGePoint3d(5, 5, 0), params), Vexa::eInvalidInput);
  EXPECT_EQ(params, QvArray<double>({7.0}));
  // On it: appended after them.
  EXPECT_EQ(XqDbUtil::getParamsAtPoint(&square, QvGePoint3d(0, 10, 0), params), eOk);
  EXPECT_EQ(params, QvArray<double>({7.0, 3.0}));

  // Closed: the closing segment runs back to the first vertex, which both ends share.
  const QvDbPolyline closed = *lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true);
  EXPECT_EQ(paramsAt(closed, QvGePoint3d(0, 5, 0)), QvArray<double>({3.5}));
  EXPECT_EQ(paramsAt(closed, QvGePoint3d(0, 0, 0)), QvArray<double>({0.0, 4.0}));
}

TEST_F(ParamsAtPointTest, ArcSegments) {
  // A half circle from (0, 0) to (10, 0) below the x axis (bulge 1), then a line up.
  const QvDbPolyline polyline = *lightweightPolyline({{0, 0}, {10, 0}, {10, 10}}, {1.0});
  EXPECT_NEAR(oneParamAt(polyline, QvGePoint3d(5, -5, 0)), 0.5, 1e-12);
  const double s = std::sqrt(0.5) * 5.0;  // 45 degrees after the start
  EXPECT_NEAR(oneParamAt(polyline, QvGePoint3d(5 - s, -s, 0)), 0.25, 1e-12);
  // The joint of the arc and the line, also a hair inside the arc's end: one parameter.
  EXPECT_EQ(paramsAt(polyline, QvGePoint3d(10, 0, 0)), QvArray<double>({1.0}));
  EXPECT_EQ(paramsAt(polyline, QvGePoint3d(10, -1e-8, 0)), QvArray<double>({1.0}));
  // The chord is not on it.
  paramsAt(polyline, QvGePoint3d(5, 0, 0), Vexa::eInvalidInput);
}

// Clockwise arcs (negative bulges) and arcs that pass through angle 0 count from their start
// vertex as well: the parameter grows along the polyline, whichever way the arc turns.
TEST_F(ParamsAtPointTest, ClockwiseArcsAndArcsThroughAngleZero) {
  // Clockwise half circle from (0, 0) to (10, 0), above the x axis.
  const QvDbPolyline clockwise = *lightweightPolyline({{0, 0}, {10, 0}}, {-1.0});
  const double s = std::sqrt(0.5) * 5.0;
  EXPECT_NEAR(oneParamAt(clockwise, QvGePoint3d(5, 5, 0)), 0.5, 1e-12);
  EXPECT_NEAR(oneParamAt(clockwise, QvGePoint3d(5 - s, s, 0)), 0.25, 1e-12);
  paramsAt(clockwise, QvGePoint3d(5, -5, 0), Vexa::eInvalidInput);  // the other half

  // A third of a circle of radius 10 about the origin from -60 to +60 degrees (through angle
  // 0), counterclockwise, and the same run back clockwise.
  const double r = 10.0;
  const double bulge = std::tan(kPi / 6.0);  // a quarter of the included 120 degrees
  const QvGePoint3d low(r * std::cos(-kPi / 3), r * std::sin(-kPi / 3), 0);
  const QvGePoint3d high(r * std::cos(kPi / 3), r * std::sin(kPi / 3), 0);
  const QvDbPolyline through = *lightweightPolyline({{low.x, low.y}, {high.x, high.y}}, {bulge});
  const QvDbPolyline back = *lightweightPolyline({{high.x, high.y}, {low.x, low.y}}, {-bulge});
  const struct {
    double degrees;
    double forward;  // the parameter on `through`; on `back` it is 1 - forward
  } rows[] = {{-30, 0.25}, {0, 0.5}, {30, 0.75}, {-60, 0.0}, {60, 1.0}};
  for (const auto& row : rows) {
    const double a = row.degrees * kPi / 180.0;
    const QvGePoint3d p(r * std::cos(a), r * std::sin(a), 0);
    EXPECT_NEAR(oneParamAt(through, p), row.forward, 1e-9) << row.degrees;
    EXPECT_NEAR(oneParamAt(back, p), 1.0 - row.forward, 1e-9) << row.degrees;
  }
  // The rest of the circle, opposite the arc, is not on it.
  paramsAt(through, QvGePoint3d(-r, 0, 0), Vexa::eInvalidInput);
  paramsAt(back, QvGePoint3d(-r, 0, 0), Vexa::eInvalidInput);
}

// A segment shorter than the tolerance: a point within the tolerance of it, but beyond one of
// its ends, gets the parameter of that end, never one outside the segment.
TEST_F(ParamsAtPointTest, SegmentsShorterThanTheTolerance) {
  const QvDbPolyline polyline = *lightweightPolyline({{0, 0}, {1e-8, 0}, {10, 0}});
  // Past its end: the next vertex, which the following segment gives as well.
  EXPECT_EQ(paramsAt(polyline, QvGePoint3d(5e-7, 0, 0)), QvArray<double>({1.0}));
  // Before its start: its start; the following segment starts within the tolerance too.
  EXPECT_EQ(paramsAt(polyline, QvGePoint3d(-5e-7, 0, 0)), QvArray<double>({0.0, 1.0}));
}

// The tolerance grows with the coordinates: a point 1e-4 off a polyline ten million units
// away counts as on it; 0.1 off does not.
TEST_F(ParamsAtPointTest, LargeCoordinates) {
  const QvDbPolyline far = *lightweightPolyline({{1e7, 0}, {1e7 + 10, 0}});
  EXPECT_NEAR(oneParamAt(far, QvGePoint3d(1e7 + 5, 1e-4, 0)), 0.5, 1e-9);
  paramsAt(far, QvGePoint3d(1e7 + 5, 0.1, 0), Vexa::eInvalidInput);
}

TEST_F(ParamsAtPointTest, ThreeDimensionalPolylinesAndOtherClasses) {
  const QvDbObjectId id = appendToModelSpace(
      db(), new QvDb3dPolyline(k3dSimplePoly, {{0, 0, 0}, {4, 0, 0}, {4, 0, 4}}));
  {
    QvDbObjectPointer<QvDb3dPolyline> polyline(id, QvDb::kForRead);
    EXPECT_NEAR(oneParamAt(*polyline, QvGePoint3d(4, 0, 1)), 1.25, 1e-12);
    paramsAt(*polyline, QvGePoint3d(1, 1, 1), Vexa::eInvalidInput);
  }

  // Polylines without segments, and classes other than the two polylines.
  paramsAt(*lightweightPolyline({}), QvGePoint3d(), Vexa::eInvalidInput);
  paramsAt(*lightweightPolyline({{1, 1}}), QvGePoint3d(1, 1, 0), Vexa::eInvalidInput);
  const QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  paramsAt(line, QvGePoint3d(5, 0, 0), Vexa::eInvalidInput);
  const QvDb2dPolyline polyline2d(k2dSimplePoly, {{0, 0, 0}, {10, 0, 0}});
  paramsAt(polyline2d, QvGePoint3d(5, 0, 0), Vexa::eInvalidInput);
  QvArray<double> params;
  EXPECT_EQ(XqDbUtil::getParamsAtPoint(nullptr, QvGePoint3d(), params), Vexa::eInvalidInput);
}

}  // namespace
