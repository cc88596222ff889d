// Circles and arcs: the normal's frame, closed forms, splits, extension and transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using QvGe::k2Pi;
using QvGe::kHalfPi;
using QvGe::kPi;
using Vexa::eInvalidInput;
using Vexa::eOk;

constexpr double kTol = 1e-12;

TEST(CircleArcTest, AnglesRunFromTheArbitraryAxisOfTheNormal) {
  // The x axis of the frame: Wz x N, unless N is within 1/64 of the world z axis (then Wy x N).
  struct Case {
    QvGeVector3d normal;
    QvGeVector3d xAxis;
  };
  const Case cases[] = {
      {{0, 0, 1}, {1, 0, 0}},
      {{0, 0, -1}, {-1, 0, 0}},
      {{1, 0, 0}, {0, 1, 0}},
      {{0, 1, 0}, {-1, 0, 0}},
      {{0.01, 0, 1}, QvGeVector3d(0, 1, 0).crossProduct(QvGeVector3d(0.01, 0, 1)).normal()},
  };
  for (const Case& c : cases) {
    const QvGeVector3d n = c.normal.normal();
    const QvGeVector3d y = n.crossProduct(c.xAxis);
    const QvDbArc arc(QvGePoint3d(1, 2, 3), n, 2.0, 0.0, kHalfPi);
    const CurveEnds ends = endsOf(arc);
    EXPECT_POINT_NEAR(ends.start, QvGePoint3d(1, 2, 3) + c.xAxis * 2.0, 1e-12);
    EXPECT_POINT_NEAR(ends.end, QvGePoint3d(1, 2, 3) + y * 2.0, 1e-12);
    const QvDbCircle circle(QvGePoint3d(), n, 1.0);
    EXPECT_POINT_NEAR(at(circle, 0.0), QvGePoint3d() + c.xAxis, 1e-12);
  }
}

TEST(CircleArcTest, ArcParametersLengthAndArea) {
  // From 300 to 60 degrees: the end parameter passes 2 pi.
  const QvDbArc arc(QvGePoint3d(0, 0, 0), 3.0, 5 * kPi / 3, kPi / 3);
  const CurveEnds ends = endsOf(arc);
  EXPECT_NEAR(ends.startParam, 5 * kPi / 3, kTol);
  EXPECT_NEAR(ends.endParam, kPi / 3 + k2Pi, kTol);
  EXPECT_NEAR(arc.totalAngle(), 2 * kPi / 3, kTol);
  EXPECT_POINT_NEAR(at(arc, k2Pi), QvGePoint3d(3, 0, 0), kTol);

  double dist = 0, param = 0, area = 0;
  EXPECT_EQ(arc.getDistAtParam(ends.endParam, dist), eOk);
  EXPECT_NEAR(dist, 2 * kPi, 1e-12);  // r * sweep
  EXPECT_EQ(arc.getParamAtPoint(QvGePoint3d(1.5, 1.5 * std::sqrt(3.0), 0), param), eOk);
  EXPECT_NEAR(param, kPi / 3 + k2Pi, 1e-12);
  EXPECT_EQ(arc.getParamAtPoint(QvGePoint3d(-3, 0, 0), param), eInvalidInput);  // on the circle
  // The circular segment under the chord.
  EXPECT_EQ(arc.getArea(area), eOk);
  const double sweep = 2 * kPi / 3;
  EXPECT_NEAR(area, 0.5 * 9 * (sweep - std::sin(sweep)), 1e-12);
}

TEST(CircleArcTest, CircleIsClosedAndPeriodic) {
  QvDbCircle circle(QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, 2.0);
  EXPECT_TRUE(circle.isClosed());
  EXPECT_TRUE(circle.isPeriodic());
  double end = 0, dist = 0, area = 0, param = 0;
  EXPECT_EQ(circle.getEndParam(end), eOk);
  EXPECT_NEAR(end, k2Pi, kTol);
  EXPECT_EQ(circle.getDistAtParam(end, dist), eOk);
  EXPECT_NEAR(dist, 4 * kPi, 1e-12);
  EXPECT_NEAR(circle.circumference(), 4 * kPi, 1e-12);
  EXPECT_EQ(circle.getArea(area), eOk);
  EXPECT_NEAR(area, 4 * kPi, 1e-12);
  EXPECT_EQ(circle.getParamAtPoint(QvGePoint3d(1, -1, 0), param), eOk);
  EXPECT_NEAR(param, 3 * kHalfPi, 1e-12);
  EXPECT_EQ(circle.setRadius(0.0), eInvalidInput);
  EXPECT_EQ(circle.radius(), 2.0);
}

TEST(CircleArcTest, SplitsKeepEndsAndLength) {
  const QvDbCircle circle(QvGePoint3d(), QvGeVector3d::kZAxis, 1.0);
  EntityList pieces = splitInto<QvDbArc>(circle, QvGeDoubleArray{kHalfPi, kPi}, 2);
  ASSERT_EQ(pieces.size(), 2);
  EXPECT_NEAR(pieces.as<QvDbArc>(0)->length(), kHalfPi, 1e-12);
  // The start is a cut like any other: two halves.
  pieces = splitInto<QvDbArc>(circle, QvGeDoubleArray{0.0, kPi}, 2);
  ASSERT_EQ(pieces.size(), 2);
  EXPECT_NEAR(pieces.as<QvDbArc>(0)->endAngle(), kPi, 1e-12);

  const QvDbArc arc(QvGePoint3d(), 1.0, 0.0, kPi);
  pieces = splitInto<QvDbArc>(arc, QvGeDoubleArray{2.0, 1.0}, 3);
  ASSERT_EQ(pieces.size(), 3);
  EXPECT_NEAR(pieces.as<QvDbArc>(1)->startAngle(), 1.0, 1e-12);
  EXPECT_NEAR(pieces.as<QvDbArc>(1)->endAngle(), 2.0, 1e-12);
  QvArray<QvDbEntity*> out;
  EXPECT_EQ(arc.getSplitCurves(QvGeDoubleArray{4.0}, out), eInvalidInput);
}

TEST(CircleArcTest, ArcsExtendRoundTheirCircleAndNoFurther) {
  QvDbArc arc(QvGePoint3d(), 2.0, 0.0, kHalfPi);
  EXPECT_EQ(arc.extend(-kHalfPi), eOk);
  EXPECT_NEAR(arc.startAngle(), 3 * kHalfPi, kTol);
  EXPECT_EQ(arc.extend(false, QvGePoint3d(-2, 0, 0)), eOk);
  EXPECT_NEAR(arc.endAngle(), kPi, 1e-12);
  EXPECT_NEAR(arc.totalAngle(), 3 * kHalfPi, 1e-12);
  // A whole turn, a point off the circle or inside the arc: refused, unchanged.
  EXPECT_EQ(arc.extend(5 * kHalfPi), eInvalidInput);
  EXPECT_EQ(arc.extend(false, QvGePoint3d(-2, 0.5, 0)), eInvalidInput);
  EXPECT_EQ(arc.extend(true, QvGePoint3d(2, 0, 0)), eInvalidInput);
  EXPECT_NEAR(arc.totalAngle(), 3 * kHalfPi, 1e-12);
  QvDbCircle circle;
  EXPECT_EQ(circle.extend(1.0), Vexa::eNotApplicable);
}

// Every curve keeps its points under uniform maps (CurveConsistencyTest); an arc's mirror image
// also runs the other way round, its ends changing places, and a mirror in a line of its plane
// keeps the normal.
TEST(CircleArcTest, MirrorsSwapTheEndsAndKeepTheNormal) {
  const QvDbArc original(QvGePoint3d(1, 2, 0), QvGeVector3d(0, 1, 1), 2.0, 0.3, 2.2);
  const QvGeMatrix3d mirror =
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(0, 0, 0), QvGeVector3d(1, 0, 0)));
  QvDbArc arc(original);
  ASSERT_EQ(arc.transformBy(mirror), eOk);
  const CurveEnds before = endsOf(original), after = endsOf(arc);
  EXPECT_POINT_NEAR(after.end, mapped(mirror, before.start), 1e-9);
  EXPECT_POINT_NEAR(after.start, mapped(mirror, before.end), 1e-9);

  QvDbArc flat(QvGePoint3d(), 1.0, 0.0, kHalfPi);
  ASSERT_EQ(flat.transformBy(mirror), eOk);
  EXPECT_VECTOR_NEAR(flat.normal(), QvGeVector3d::kZAxis, 0);
  EXPECT_NEAR(flat.startAngle(), kHalfPi, 1e-12);
  EXPECT_NEAR(flat.endAngle(), kPi, 1e-12);
}

TEST(CircleArcTest, NonUniformScalingMakesEllipses) {
  QvGeMatrix3d stretch;
  stretch.entry[0][0] = 3.0;  // x by 3, y by 2
  stretch.entry[1][1] = 2.0;
  QvDbArc arc(QvGePoint3d(1, 0, 0), 1.0, 0.0, kPi);
  EXPECT_EQ(arc.transformBy(stretch), Vexa::eNotApplicable);
  EXPECT_POINT_NEAR(arc.center(), QvGePoint3d(1, 0, 0), 0);  // unchanged

  QvDbEntity* copy = nullptr;
  ASSERT_EQ(arc.getTransformedCopy(stretch, copy), eOk);
  std::unique_ptr<QvDbEntity> owned(copy);
  const QvDbEllipse* ellipse = QvDbEllipse::cast(copy);
  ASSERT_NE(ellipse, nullptr);
  EXPECT_POINT_NEAR(ellipse->center(), QvGePoint3d(3, 0, 0), 1e-12);
  EXPECT_NEAR(ellipse->majorRadius(), 3.0, 1e-12);
  EXPECT_NEAR(ellipse->radiusRatio(), 2.0 / 3.0, 1e-12);
  EXPECT_POINT_NEAR(endsOf(*ellipse).start, QvGePoint3d(6, 0, 0), 1e-12);
  EXPECT_POINT_NEAR(endsOf(*ellipse).end, QvGePoint3d(0, 0, 0), 1e-12);
  double param = 0, area = 0;
  EXPECT_EQ(ellipse->getParamAtPoint(mapped(stretch, at(arc, 1.0)), param), eOk);
  // Areas scale by the determinant: half the unit disc becomes 3 * pi.
  EXPECT_EQ(ellipse->getArea(area), eOk);
  EXPECT_NEAR(area, 6.0 * kPi / 2, 1e-12);

  const QvDbCircle circle(QvGePoint3d(), QvGeVector3d::kZAxis, 1.0);
  ASSERT_EQ(circle.getTransformedCopy(stretch, copy), eOk);
  owned.reset(copy);
  ASSERT_NE(QvDbEllipse::cast(copy), nullptr);
  EXPECT_TRUE(QvDbEllipse::cast(copy)->isClosed());
  EXPECT_EQ(QvDbEllipse::cast(copy)->getArea(area), eOk);
  EXPECT_NEAR(area, 6 * kPi, 1e-12);
}

}  // namespace
