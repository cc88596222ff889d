// Splines measure and shorten through the internal extension; lengths and cut points are
// checked against Open CASCADE on the same NURBS data.
#include <gtest/gtest.h>

#include <GCPnts_AbscissaPoint.hxx>
#include <GeomAdaptor_Curve.hxx>
#include <Geom_BSplineCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbSpline.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "tests/support/PointChecks.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The same curve in Open CASCADE (knots given with their multiplicities).
Handle(Geom_BSplineCurve) occtCurve(const QvDbSpline& spline) {
  int degree = 0;
  bool rational = false, closed = false, periodic = false;
  QvGePoint3dArray points;
  QvGeDoubleArray knots, weights;
  EXPECT_EQ(Vexa::eOk,
            spline.getNurbsData(degree, rational, closed, periodic, points, knots, weights));
  TColgp_Array1OfPnt poles(1, points.length());
  TColStd_Array1OfReal poleWeights(1, points.length());
  for (int i = 0; i < points.length(); ++i) {
    poles.SetValue(i + 1, gp_Pnt(points[i].x, points[i].y, points[i].z));
    poleWeights.SetValue(i + 1, rational ? weights[i] : 1.0);
  }
  std::vector<double> distinct;
  std::vector<int> mults;
  for (double k : knots) {
    if (!distinct.empty() && k == distinct.back()) {
      ++mults.back();
    } else {
      distinct.push_back(k);
      mults.push_back(1);
    }
  }
  TColStd_Array1OfReal occtKnots(1, static_cast<int>(distinct.size()));
  TColStd_Array1OfInteger occtMults(1, static_cast<int>(distinct.size()));
  for (size_t i = 0; i < distinct.size(); ++i) {
    occtKnots.SetValue(static_cast<int>(i) + 1, distinct[i]);
    occtMults.SetValue(static_cast<int>(i) + 1, mults[i]);
  }
  return new Geom_BSplineCurve(poles, poleWeights, occtKnots, occtMults, degree);
}

double occtLength(const QvDbSpline& spline) {
  GeomAdaptor_Curve adaptor(occtCurve(spline));
  return GCPnts_AbscissaPoint::Length(adaptor, 1e-12);
}

// The point at arc length `dist` from the start (or, negative, back from the end).
QvGePoint3d occtPointAtLength(const QvDbSpline& spline, double dist) {
  Handle(Geom_BSplineCurve) curve = occtCurve(spline);
  GeomAdaptor_Curve adaptor(curve);
  const double from = dist >= 0 ? curve->FirstParameter() : curve->LastParameter();
  GCPnts_AbscissaPoint at(1e-12, adaptor, dist, from);
  EXPECT_TRUE(at.IsDone());
  const gp_Pnt p = curve->Value(at.Parameter());
  return QvGePoint3d(p.X(), p.Y(), p.Z());
}

// A cubic in space with uneven knots over [0, 1]: about 25 long, so that its parameter is
// always far below half its length.
QvDbSpline wavyCubic() {
  const QvGePoint3dArray points = {{0, 0, 0},   {3, 4, 1},  {6, -2, 2}, {9, 5, 0},
                                   {13, 1, -2}, {16, 3, 1}, {20, 0, 0}};
  const QvGeDoubleArray knots = {0.0, 0.0, 0.0, 0.0, 0.1, 0.45, 0.6, 1.0, 1.0, 1.0, 1.0};
  QvDbSpline spline;
  EXPECT_EQ(Vexa::eOk,
            spline.setNurbsData(3, false, false, false, points, knots, QvGeDoubleArray()));
  return spline;
}

using InternalPESpline = InternalPEFixture;

TEST_F(InternalPESpline, LengthsAgreeWithOpenCascadeAndWithCircles) {
  const QvDbSpline wavy = wavyCubic();
  const double expected = occtLength(wavy);
  EXPECT_NEAR(expected, length(wavy), 1e-9 * expected);

  // A quarter circle of radius 4 as a rational quadratic.
  QvDbSpline quarter(2, true, false, false, {{4, 0, 0}, {4, 4, 0}, {0, 4, 0}},
                     {0.0, 0.0, 0.0, 1.0, 1.0, 1.0}, {1.0, std::sqrt(0.5), 1.0});
  EXPECT_NEAR(2 * kPi, length(quarter), 1e-10);
  // The area between the quarter circle and its chord.
  EXPECT_NEAR(4 * kPi - 8, area(quarter), 1e-9);
  angle(quarter, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotApplicable, setAngle(quarter, 1.0, QvGePoint3d(4, 0, 0)));
}

TEST_F(InternalPESpline, ShorteningKeepsTheEndAwayFromThePick) {
  QvDbSpline spline = wavyCubic();
  const QvDbSpline original = wavyCubic();
  const double full = length(spline);
  const double target = 0.6 * full;
  const CurveEnds before = endsOf(spline);

  // A pick near the end: the start stays, the end comes back along the curve. The parameter
  // there (near 1) is far below half the length (about 12), so only a comparison of
  // distances names the end.
  ASSERT_EQ(Vexa::eOk, setLength(spline, target, QvGePoint3d(19.5, 0.5, 0)));
  EXPECT_NEAR(target, length(spline), 1e-9 * full);
  EXPECT_POINT_NEAR(before.start, endsOf(spline).start, 1e-9);
  EXPECT_POINT_NEAR(occtPointAtLength(original, target), endsOf(spline).end, 1e-7);

  // A pick near the start of a fresh copy: the end stays.
  QvDbSpline other = wavyCubic();
  ASSERT_EQ(Vexa::eOk, setLength(other, target, QvGePoint3d(0.5, 0.5, 0)));
  EXPECT_POINT_NEAR(before.end, endsOf(other).end, 1e-9);
  EXPECT_POINT_NEAR(occtPointAtLength(original, -target), endsOf(other).start, 1e-7);
  EXPECT_NEAR(target, length(other), 1e-9 * full);
}

TEST_F(InternalPESpline, SplinesDoNotGrowAndBadLengthsChangeNothing) {
  QvDbSpline spline = wavyCubic();
  const double full = length(spline);
  for (double bad : {full * 1.01, 0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(Vexa::eInvalidInput, setLength(spline, bad, QvGePoint3d(20, 0, 0))) << bad;
    EXPECT_DOUBLE_EQ(full, length(spline));
  }
  // The same length changes nothing.
  EXPECT_EQ(Vexa::eOk, setLength(spline, full, QvGePoint3d(20, 0, 0)));
  EXPECT_EQ(7, spline.numControlPoints());

  // A closed spline has no end to cut back.
  QvDbSpline closed(QvGePoint3dArray({{0, 0, 0}, {5, 0, 0}, {5, 5, 0}, {0, 5, 0}, {0, 0, 0}}));
  ASSERT_TRUE(closed.isClosed());
  const double closedLength = length(closed);
  EXPECT_EQ(Vexa::eInvalidInput, setLength(closed, closedLength / 2, QvGePoint3d(5, 0, 0)));
  EXPECT_DOUBLE_EQ(closedLength, length(closed));
}

TEST_F(InternalPESpline, ASplineOfOneSpanIsCutLikeAnyOther) {
  const QvGePoint3dArray points = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
  const QvGeDoubleArray knots = {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0};
  QvDbSpline arch(3, false, false, false, points, knots, QvGeDoubleArray());
  const QvDbSpline original(3, false, false, false, points, knots, QvGeDoubleArray());
  const double full = occtLength(original);
  EXPECT_NEAR(full, length(arch), 1e-9 * full);
  ASSERT_EQ(Vexa::eOk, setLength(arch, full / 4, QvGePoint3d(0.1, 0.1, 0)));
  EXPECT_POINT_NEAR(occtPointAtLength(original, -full / 4), endsOf(arch).start, 1e-7);
}

}  // namespace
