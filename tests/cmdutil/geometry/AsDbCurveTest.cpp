// Geometry curves as database curves: each kind, the arc's frame, and round trips through
// asQvGeCurve.
#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;

using DbCurvePtr = std::unique_ptr<QvDbCurve>;

DbCurvePtr convert(const QvGeCurve3d& curve) {
  return DbCurvePtr(XqDbUtil::asDbCurve(&curve));
}

// The curve's points at n + 1 even steps of its parameter.
QvGePoint3dArray samples(const QvDbCurve& curve, int n = 8) {
  double start = 0, end = 0;
  QvGePoint3dArray points;
  if (curve.getStartParam(start) != eOk || curve.getEndParam(end) != eOk) return points;
  for (int i = 0; i <= n; ++i) {
    QvGePoint3d p;
    curve.getPointAtParam(start + (end - start) * i / n, p);
    points.append(p);
  }
  return points;
}

class AsDbCurveTest : public HostFixture {};

TEST_F(AsDbCurveTest, CircularArcsBecomeCirclesOrArcs) {
  const QvGeCircArc3d circle(QvGePoint3d(1, 2, 3), QvGeVector3d(0, 1, 1), 2.0);
  const DbCurvePtr dbCircle = convert(circle);
  ASSERT_TRUE(dbCircle);
  ASSERT_EQ(dbCircle->isA(), QvDbCircle::desc());
  const auto& c = static_cast<const QvDbCircle&>(*dbCircle);
  EXPECT_POINT_NEAR(c.center(), circle.center());
  EXPECT_NEAR(c.radius(), 2.0, 1e-12);
  EXPECT_NEAR(c.normal().dotProduct(QvGeVector3d(0, 1, 1).normal()), 1.0, 1e-12);

  // Open arcs whose reference vector is not the plane's default axis: the same angles are
  // measured from it, so the ends and the middle stay where they were.
  const QvGeCircArc3d arcs[] = {
      QvGeCircArc3d(QvGePoint3d(1, 2, 3), QvGeVector3d::kZAxis, QvGeVector3d(0, 1, 0), 2.0, 0.5,
                    2.0),
      QvGeCircArc3d(QvGePoint3d(-1, 0, 2), QvGeVector3d(1, 1, 1).normal(),
                    QvGeVector3d(1, -1, 0).normal(), 3.0, -1.0, 3.5),
  };
  for (const QvGeCircArc3d& arc : arcs) {
    const DbCurvePtr dbArc = convert(arc);
    ASSERT_TRUE(dbArc);
    ASSERT_EQ(dbArc->isA(), QvDbArc::desc());
    QvGePoint3d start, end;
    ASSERT_EQ(dbArc->getStartPoint(start), eOk);
    ASSERT_EQ(dbArc->getEndPoint(end), eOk);
    EXPECT_POINT_NEAR(start, arc.startPoint());
    EXPECT_POINT_NEAR(end, arc.endPoint());
    EXPECT_NEAR(static_cast<const QvDbArc&>(*dbArc).totalAngle(), arc.endAng() - arc.startAng(),
                1e-12);
    EXPECT_TRUE(arc.isOn(samples(*dbArc)[4]));

    // And back: the geometry of the new arc is the arc again.
    const CurvePtr back(XqDbUtil::asQvGeCurve(dbArc.get(), false, true));
    ASSERT_TRUE(back);
    EXPECT_POINT_NEAR(back->evalPoint(static_cast<const QvGeCircArc3d&>(*back).startAng()),
                      arc.startPoint());
    EXPECT_NEAR(back->length(), arc.length(), 1e-9);
  }
}

TEST_F(AsDbCurveTest, EllipticalArcs) {
  const QvGePoint3d center(1, 1, 1);
  const QvGeEllipArc3d whole(center, QvGeVector3d(1, 1, 0).normal(),
                             QvGeVector3d(-1, 1, 0).normal(), 4.0, 1.0);
  const DbCurvePtr dbWhole = convert(whole);
  ASSERT_TRUE(dbWhole);
  ASSERT_EQ(dbWhole->isA(), QvDbEllipse::desc());
  const auto& ellipse = static_cast<const QvDbEllipse&>(*dbWhole);
  EXPECT_TRUE(ellipse.isClosed());
  EXPECT_NEAR(ellipse.majorRadius(), 4.0, 1e-12);
  EXPECT_NEAR(ellipse.radiusRatio(), 0.25, 1e-12);
  EXPECT_POINT_NEAR(ellipse.center(), center);

  // Open arcs, also through parameter 0 (2 pi) and from a negative start.
  QvGePoint3d start, end;
  const double ranges[][2] = {{0.3, 4.0}, {5.0, 7.0}, {-1.0, 1.0}};
  for (const auto& [from, to] : ranges) {
    const QvGeEllipArc3d part(center, QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 3.0, 2.0, from,
                              to);
    const DbCurvePtr dbPart = convert(part);
    ASSERT_TRUE(dbPart);
    ASSERT_EQ(dbPart->getStartPoint(start), eOk);
    ASSERT_EQ(dbPart->getEndPoint(end), eOk);
    EXPECT_POINT_NEAR(start, part.startPoint());
    EXPECT_POINT_NEAR(end, part.endPoint());
    for (const QvGePoint3d& p : samples(*dbPart)) EXPECT_TRUE(part.isOn(p)) << from;
    double endParam = 0, length = 0;
    ASSERT_EQ(dbPart->getEndParam(endParam), eOk);
    ASSERT_EQ(dbPart->getDistAtParam(endParam, length), eOk);
    EXPECT_NEAR(length, part.length(), 1e-9) << from;
  }

  // A minor radius larger than the major one: the ellipse takes the axes the other way round
  // and keeps the points.
  const QvGeEllipArc3d tall(center, QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 1.0, 3.0, 0.2, 2.5);
  const DbCurvePtr dbTall = convert(tall);
  ASSERT_TRUE(dbTall);
  EXPECT_NEAR(static_cast<const QvDbEllipse&>(*dbTall).majorRadius(), 3.0, 1e-12);
  ASSERT_EQ(dbTall->getStartPoint(start), eOk);
  EXPECT_POINT_NEAR(start, tall.startPoint());
  for (const QvGePoint3d& p : samples(*dbTall)) EXPECT_TRUE(tall.isOn(p));
}

TEST_F(AsDbCurveTest, LinearKindsPolylinesAndSplines) {
  const QvGePoint3d a(1, 2, 3), b(4, 6, 3);
  const DbCurvePtr line = convert(QvGeLineSeg3d(a, b));
  ASSERT_EQ(line->isA(), QvDbLine::desc());
  EXPECT_POINT_NEAR(static_cast<const QvDbLine&>(*line).startPoint(), a);
  EXPECT_POINT_NEAR(static_cast<const QvDbLine&>(*line).endPoint(), b);

  const DbCurvePtr xline = convert(QvGeLine3d(a, b));
  ASSERT_EQ(xline->isA(), QvDbXline::desc());
  EXPECT_POINT_NEAR(static_cast<const QvDbXline&>(*xline).basePoint(), a);
  EXPECT_NEAR(static_cast<const QvDbXline&>(*xline).unitDir().dotProduct((b - a).normal()), 1.0,
              1e-12);

  const DbCurvePtr ray = convert(QvGeRay3d(a, QvGeVector3d(0, 0, -2)));
  ASSERT_EQ(ray->isA(), QvDbRay::desc());
  EXPECT_POINT_NEAR(static_cast<const QvDbRay&>(*ray).basePoint(), a);
  EXPECT_POINT_NEAR(static_cast<const QvDbRay&>(*ray).secondPoint(), a - QvGeVector3d(0, 0, 1));

  // A polyline whose last point is its first is still not marked closed.
  const QvGePoint3dArray points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 0, 0}};
  const DbCurvePtr polyline = convert(QvGePolyline3d(points));
  ASSERT_EQ(polyline->isA(), QvDb3dPolyline::desc());
  EXPECT_FALSE(polyline->isClosed());
  EXPECT_EQ(static_cast<const QvDb3dPolyline&>(*polyline).numVertices(), 4);
  EXPECT_POINTS_NEAR(fitPointsOf(CurvePtr(XqDbUtil::asQvGeCurve(polyline.get())).get()), points);

  const DbCurvePtr empty = convert(QvGePolyline3d());
  ASSERT_TRUE(empty);
  EXPECT_EQ(static_cast<const QvDb3dPolyline&>(*empty).numVertices(), 0);

  const QvDbSpline model({{0, 0, 0}, {1, 2, 0}, {3, 1, 1}, {5, 4, 0}});
  const DbCurvePtr spline = convert(model.nurbCurve());
  ASSERT_EQ(spline->isA(), QvDbSpline::desc());
  EXPECT_POINTS_NEAR(samples(*spline), samples(model));
}

TEST_F(AsDbCurveTest, OtherKindsGiveNothing) {
  QvGeLineSeg3d first(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  QvGeLineSeg3d second(QvGePoint3d(1, 0, 0), QvGePoint3d(1, 1, 0));
  const QvGeCompositeCurve3d composite(QvArray<QvGeCurve3d*>{&first, &second});
  ASSERT_TRUE(composite.isValid());
  EXPECT_EQ(XqDbUtil::asDbCurve(&composite), nullptr);
  EXPECT_EQ(XqDbUtil::asDbCurve(nullptr), nullptr);
  const QvGeCircArc3d invalid(QvGePoint3d(), QvGeVector3d(), 1.0);  // no normal
  ASSERT_FALSE(invalid.isValid());
  EXPECT_EQ(XqDbUtil::asDbCurve(&invalid), nullptr);
}

}  // namespace
