// Entities as geometry curves (the geometry of every kind of the list, both flags, the class
// matching and entities read from the drawing), and geometry curves as database curves (each
// kind, the arc's frame, and round trips).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/QvDbWipeout.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;

// A line of a class of its own, registered under the line.
class DerivedLine : public QvDbLine {
  QVDB_DECLARE_MEMBERS(DerivedLine);

  DerivedLine(const QvGePoint3d& start, const QvGePoint3d& end) : QvDbLine(start, end) {}
};

QvRxClass* DerivedLine::desc() {
  static QvRxClass* const cls = newQvRxClass(L"XqTestDerivedLine", L"QvDbLine");
  return cls;
}

QvRxClass* DerivedLine::isA() const {
  return desc();
}

CurvePtr convert(const QvDbEntity& entity, bool unbounded = false, bool exactClass = false) {
  return CurvePtr(XqDbUtil::asQvGeCurve(&entity, unbounded, exactClass));
}

// The fit points of the geometry polyline an entity converts to (empty for any other curve).
QvGePoint3dArray outlineOf(const QvDbEntity& entity, bool exactClass = false) {
  const CurvePtr curve = convert(entity, false, exactClass);
  QvGePoint3dArray points;
  if (!curve || curve->type() != QvGe::kPolyline3d) return points;
  const auto& polyline = static_cast<const QvGePolyline3d&>(*curve);
  for (int i = 0; i < polyline.numFitPoints(); ++i) points.append(polyline.fitPointAt(i));
  return points;
}

class AsQvGeCurveTest : public HostFixture {};

TEST_F(AsQvGeCurveTest, LinesRaysAndXlines) {
  const QvGePoint3d a(1, 2, 3), b(4, 6, 3);
  const QvDbLine line(a, b);
  const CurvePtr segment = convert(line);
  ASSERT_TRUE(segment);
  ASSERT_EQ(segment->type(), QvGe::kLineSeg3d);
  EXPECT_POINT_NEAR(static_cast<QvGeLineSeg3d&>(*segment).startPoint(), a);
  EXPECT_POINT_NEAR(static_cast<QvGeLineSeg3d&>(*segment).endPoint(), b);
  const CurvePtr carrier = convert(line, true);
  ASSERT_TRUE(carrier);
  ASSERT_EQ(carrier->type(), QvGe::kLine3d);
  EXPECT_TRUE(carrier->isOn(a) && carrier->isOn(b));
  EXPECT_TRUE(carrier->isOn(a + (b - a) * 7.0));  // far beyond the end

  // A line of no length has no carrier.
  EXPECT_FALSE(convert(QvDbLine(a, a), true));

  const QvDbRay ray(a, QvGeVector3d(0, 0, 2));
  const CurvePtr rayCurve = convert(ray);
  ASSERT_TRUE(rayCurve);
  ASSERT_EQ(rayCurve->type(), QvGe::kRay3d);
  EXPECT_TRUE(rayCurve->isOn(a + QvGeVector3d(0, 0, 100)));
  EXPECT_FALSE(rayCurve->isOn(a - QvGeVector3d(0, 0, 1)));
  const CurvePtr rayCarrier = convert(ray, true);
  ASSERT_EQ(rayCarrier->type(), QvGe::kLine3d);
  EXPECT_TRUE(rayCarrier->isOn(a - QvGeVector3d(0, 0, 1)));

  const QvDbXline xline(a, QvGeVector3d(1, 1, 0));
  for (bool unbounded : {false, true}) {
    const CurvePtr curve = convert(xline, unbounded);
    ASSERT_EQ(curve->type(), QvGe::kLine3d);
    EXPECT_TRUE(curve->isOn(a + QvGeVector3d(-50, -50, 0)));
  }
}

TEST_F(AsQvGeCurveTest, CirclesArcsAndEllipses) {
  const QvDbCircle circle(QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, 2.0);
  for (bool unbounded : {false, true}) {
    const CurvePtr curve = convert(circle, unbounded);
    ASSERT_EQ(curve->type(), QvGe::kCircArc3d);
    const auto& arc = static_cast<const QvGeCircArc3d&>(*curve);
    EXPECT_TRUE(arc.isClosed());
    EXPECT_DOUBLE_EQ(arc.radius(), 2.0);
    EXPECT_POINT_NEAR(arc.center(), QvGePoint3d(1, 1, 0));
  }

  // Arcs in a tilted plane and upside down: the geometry runs between the same end points,
  // its angles are the arc's parameters.
  const QvGeVector3d normals[] = {QvGeVector3d::kZAxis, -QvGeVector3d::kZAxis,
                                  QvGeVector3d(1, 1, 1).normal()};
  for (const QvGeVector3d& normal : normals) {
    const QvDbArc arc(QvGePoint3d(2, -1, 4), normal, 3.0, kPi / 6, kPi);
    const CurvePtr curve = convert(arc);
    ASSERT_EQ(curve->type(), QvGe::kCircArc3d);
    const auto& geArc = static_cast<const QvGeCircArc3d&>(*curve);
    const CurveEnds ends = endsOf(arc);
    EXPECT_POINT_NEAR(geArc.startPoint(), ends.start);
    EXPECT_POINT_NEAR(geArc.endPoint(), ends.end);
    EXPECT_NEAR(geArc.startAng(), ends.startParam, 1e-12);
    EXPECT_NEAR(geArc.endAng(), ends.endParam, 1e-12);
    QvGePoint3d middle;
    ASSERT_EQ(arc.getPointAtParam((ends.startParam + ends.endParam) / 2, middle), eOk);
    EXPECT_POINT_NEAR(geArc.evalPoint((geArc.startAng() + geArc.endAng()) / 2), middle);

    const CurvePtr full = convert(arc, true);
    ASSERT_EQ(full->type(), QvGe::kCircArc3d);
    EXPECT_TRUE(full->isClosed());
    EXPECT_TRUE(full->isOn(arc.center() - (middle - arc.center())));  // the missing side
  }

  // A quarter of an ellipse 3 by 1.5, from the major axis to the minor one.
  const QvDbEllipse ellipse(QvGePoint3d(0, 0, 1), QvGeVector3d::kZAxis, QvGeVector3d(3, 0, 0), 0.5,
                            0.0, kPi / 2);
  const CurvePtr quarter = convert(ellipse);
  ASSERT_EQ(quarter->type(), QvGe::kEllipArc3d);
  const auto& geEllipse = static_cast<const QvGeEllipArc3d&>(*quarter);
  EXPECT_DOUBLE_EQ(geEllipse.majorRadius(), 3.0);
  EXPECT_DOUBLE_EQ(geEllipse.minorRadius(), 1.5);
  EXPECT_POINT_NEAR(geEllipse.startPoint(), QvGePoint3d(3, 0, 1));
  EXPECT_POINT_NEAR(geEllipse.endPoint(), QvGePoint3d(0, 1.5, 1));
  EXPECT_FALSE(geEllipse.isOn(QvGePoint3d(-3, 0, 1)));
  const CurvePtr whole = convert(ellipse, true);
  EXPECT_TRUE(whole->isClosed());
  EXPECT_TRUE(whole->isOn(QvGePoint3d(-3, 0, 1)));
  const QvDbEllipse closedEllipse(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(0, 2, 0), 0.25);
  EXPECT_TRUE(convert(closedEllipse)->isClosed());
  // A whole ellipse that starts away from its major axis: the full turn, from its start.
  const QvDbEllipse turned(QvGePoint3d(1, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d(2, 0, 0), 0.5,
                           1.0, 1.0 + 2 * kPi);
  ASSERT_TRUE(turned.isClosed());
  const CurvePtr turnedCurve = convert(turned);
  ASSERT_TRUE(turnedCurve);
  EXPECT_TRUE(turnedCurve->isClosed());
  EXPECT_POINT_NEAR(static_cast<const QvGeEllipArc3d&>(*turnedCurve).startPoint(),
                    endsOf(turned).start);
  EXPECT_NEAR(turnedCurve->length(), CurvePtr(convert(turned, true))->length(), 1e-9);
}

// Elliptical arcs whose angles are not their parameters (start and end away from the axes),
// one running through angle 0, in planes of every side: the geometry starts and ends where
// the ellipse does and covers the same part of it.
TEST_F(AsQvGeCurveTest, EllipticalArcsStartAndEndWhereTheEllipseDoes) {
  struct Plane {
    QvGeVector3d normal;
    QvGeVector3d majorAxis;
  };
  const Plane planes[] = {{QvGeVector3d::kZAxis, QvGeVector3d(3, 0, 0)},
                          {-QvGeVector3d::kZAxis, QvGeVector3d(0, 3, 0)},
                          {QvGeVector3d(1, 1, 1).normal(), QvGeVector3d(3, -3, 0)}};
  const double angles[][2] = {{kPi / 5, 2.0}, {5 * kPi / 3, kPi / 4}};
  for (const Plane& plane : planes) {
    for (const auto& [startAngle, endAngle] : angles) {
      const QvDbEllipse ellipse(QvGePoint3d(1, 2, -1), plane.normal, plane.majorAxis, 0.4,
                                startAngle, endAngle);
      const CurvePtr curve = convert(ellipse);
      ASSERT_TRUE(curve);
      ASSERT_EQ(curve->type(), QvGe::kEllipArc3d);
      const CurveEnds ends = endsOf(ellipse);
      const double half = (ends.startParam + ends.endParam) / 2;
      QvGePoint3d middle;
      ASSERT_EQ(ellipse.getPointAtParam(half, middle), eOk);
      // The middle of the part left out, from the ellipse's own axes.
      const QvGePoint3d opposite = ellipse.center() + ellipse.majorAxis() * std::cos(half + kPi) +
                                   ellipse.minorAxis() * std::sin(half + kPi);
      const auto& arc = static_cast<const QvGeEllipArc3d&>(*curve);
      EXPECT_POINT_NEAR(arc.startPoint(), ends.start);
      EXPECT_POINT_NEAR(arc.endPoint(), ends.end);
      EXPECT_TRUE(arc.isOn(middle));
      EXPECT_FALSE(arc.isOn(opposite));
      EXPECT_NEAR(arc.endAng() - arc.startAng(), ends.endParam - ends.startParam, 1e-12);
    }
  }
}

TEST_F(AsQvGeCurveTest, SplinesFollowTheirNurbsCurve) {
  const QvDbSpline spline({{0, 0, 0}, {1, 2, 0}, {3, 1, 1}, {5, 4, 0}});
  const CurvePtr curve = convert(spline);
  ASSERT_EQ(curve->type(), QvGe::kNurbCurve3d);
  const CurveEnds ends = endsOf(spline);
  for (int i = 0; i <= 8; ++i) {
    const double t = ends.startParam + (ends.endParam - ends.startParam) * i / 8;
    QvGePoint3d expected;
    ASSERT_EQ(spline.getPointAtParam(t, expected), eOk);
    EXPECT_POINT_NEAR(curve->evalPoint(t), expected);
  }
}

TEST_F(AsQvGeCurveTest, PolylinesOfEveryKind) {
  // 3D: control vertices are skipped; a closed one ends at its first point again, once.
  QvDb3dPolyline open3d(k3dSimplePoly, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}});
  EXPECT_POINTS_NEAR(outlineOf(open3d), QvGePoint3dArray({{0, 0, 0}, {1, 0, 1}, {1, 1, 2}}));
  QvDb3dPolyline closed3d(k3dSimplePoly, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}}, true);
  EXPECT_POINTS_NEAR(outlineOf(closed3d),
                     QvGePoint3dArray({{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 0, 0}}));
  QvDb3dPolyline alreadyClosed(k3dSimplePoly, {{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {0, 0, 0}}, true);
  EXPECT_EQ(outlineOf(alreadyClosed).length(), 4);
  auto* control = new QvDb3dPolylineVertex(QvGePoint3d(9, 9, 9));
  ASSERT_EQ(control->setVertexType(k3dControlVertex), eOk);
  ASSERT_EQ(open3d.appendVertex(control), eOk);
  EXPECT_EQ(outlineOf(open3d).length(), 3);
  // A vertex made by fitting (type 2) is kept in its place.
  auto* fit = new QvDb3dPolylineVertex(QvGePoint3d(2, 2, 2));
  ASSERT_EQ(fit->setVertexType(k3dFitVertex), eOk);
  ASSERT_EQ(open3d.appendVertex(fit), eOk);
  EXPECT_POINTS_NEAR(outlineOf(open3d),
                     QvGePoint3dArray({{0, 0, 0}, {1, 0, 1}, {1, 1, 2}, {2, 2, 2}}));

  // 2D and lightweight: a straight segment and a half circle (bulge 1) of radius 2.
  const QvGeDoubleArray bulges = {0.0, 1.0, 0.0};
  QvDb2dPolyline polyline2d(k2dSimplePoly, {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}}, 0.0, false, 0.0, 0.0,
                            &bulges);
  const auto lightweight = lightweightPolyline({{0, 0}, {4, 0}, {4, 4}}, {0.0, 1.0});
  for (const QvDbEntity* entity :
       std::initializer_list<const QvDbEntity*>{&polyline2d, lightweight.get()}) {
    const CurvePtr curve = convert(*entity);
    ASSERT_TRUE(curve);
    ASSERT_EQ(curve->type(), QvGe::kCompositeCrv3d);
    const auto& composite = static_cast<const QvGeCompositeCurve3d&>(*curve);
    EXPECT_EQ(composite.numCurves(), 2);
    EXPECT_NEAR(composite.length(), 4.0 + 2.0 * kPi, 1e-9);
    EXPECT_TRUE(composite.isOn(QvGePoint3d(6, 2, 0)));  // the far side of the half circle
  }
}

// A closed 2D polyline in a tilted plane, raised and with a bulge on its closing segment: the
// curve goes through the polyline's own points, in its own direction, and closes.
TEST_F(AsQvGeCurveTest, TiltedClosed2dPolylines) {
  const QvGeDoubleArray bulges = {0.0, 0.0, 0.5};
  QvDb2dPolyline polyline(k2dSimplePoly, {{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}, 1.5, true, 0.0, 0.0,
                          &bulges);
  ASSERT_EQ(polyline.setNormal(QvGeVector3d(0, -1, 1).normal()), eOk);
  const CurvePtr curve = convert(polyline);
  ASSERT_TRUE(curve);
  ASSERT_EQ(curve->type(), QvGe::kCompositeCrv3d);
  EXPECT_EQ(static_cast<const QvGeCompositeCurve3d&>(*curve).numCurves(), 3);
  EXPECT_TRUE(curve->isClosed());
  const QvGePoint3d start = endsOf(polyline).start;
  EXPECT_POINT_NEAR(curve->evalPoint(curve->paramOf(start)), start);
  double previous = -1.0;
  for (double param : {0.0, 0.5, 1.25, 2.5, 2.9}) {
    QvGePoint3d point;
    ASSERT_EQ(polyline.getPointAtParam(param, point), eOk);
    EXPECT_TRUE(curve->isOn(point)) << param;
    const double along = curve->paramOf(point);
    EXPECT_GT(along, previous) << param;  // the same direction
    previous = along;
  }
}

TEST_F(AsQvGeCurveTest, OutlinesOfAreasAndTexts) {
  // Corners stored 1, 2, 3, 4 go round as 1, 2, 4, 3.
  const QvGePoint3d c1(0, 0, 0), c2(4, 0, 0), c3(0, 3, 0), c4(4, 3, 0);
  const QvGePoint3dArray round = {c1, c2, c4, c3, c1};
  EXPECT_POINTS_NEAR(outlineOf(QvDbSolid(c1, c2, c3, c4)), round);
  EXPECT_POINTS_NEAR(outlineOf(QvDbTrace(c1, c2, c3, c4)), round);
  EXPECT_NEAR(convert(QvDbSolid(c1, c2, c3, c4))->length(), 14.0, 1e-12);  // no bow tie

  // A face goes round in its own order.
  EXPECT_POINTS_NEAR(outlineOf(QvDbFace(c1, c2, c4, c3)), round);

  // Texts: the box from the baseline to the height, 0.6 x height per character.
  const QvDbText text(QvGePoint3d(1, 2, 0), L"AB", QvDbObjectId(), 2.0);
  EXPECT_POINTS_NEAR(outlineOf(text),
                     QvGePoint3dArray({{1, 4, 0}, {3.4, 4, 0}, {3.4, 2, 0}, {1, 2, 0}, {1, 4, 0}}));
  QvDbMText mtext;
  ASSERT_EQ(mtext.setContents(L"ABCD"), eOk);
  ASSERT_EQ(mtext.setTextHeight(1.0), eOk);
  EXPECT_POINTS_NEAR(
      outlineOf(mtext),
      QvGePoint3dArray({{0, 0, 0}, {2.4, 0, 0}, {2.4, -1, 0}, {0, -1, 0}, {0, 0, 0}}));

  // A frame of two rows: "AB | CD" (2 x (1.2 + 1) wide) and "E"; each row 2 high.
  QvDbFcf frame(L"AB%%vCD\nE", QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis);
  ASSERT_EQ(frame.setTextHeight(1.0), eOk);
  EXPECT_POINTS_NEAR(
      outlineOf(frame),
      QvGePoint3dArray({{0, 1, 0}, {4.4, 1, 0}, {4.4, -3, 0}, {0, -3, 0}, {0, 1, 0}}));
}

TEST_F(AsQvGeCurveTest, LeadersDimensionsAndImages) {
  QvDbLeader leader;
  for (const QvGePoint3d& p : {QvGePoint3d(0, 0, 0), QvGePoint3d(2, 2, 0), QvGePoint3d(5, 2, 0)})
    ASSERT_EQ(leader.appendVertex(p), eOk);
  EXPECT_POINTS_NEAR(outlineOf(leader), QvGePoint3dArray({{0, 0, 0}, {2, 2, 0}, {5, 2, 0}}));

  const QvGePoint3d x1(1, 1, 0), x2(5, 4, 0);
  const QvDbAlignedDimension aligned(x1, x2, QvGePoint3d(0, 6, 0));
  const QvDbRotatedDimension rotated(0.0, x1, x2, QvGePoint3d(0, 6, 0));
  for (const QvDbEntity* dimension : std::initializer_list<const QvDbEntity*>{&aligned, &rotated}) {
    const CurvePtr segment = convert(*dimension);
    ASSERT_EQ(segment->type(), QvGe::kLineSeg3d);
    EXPECT_POINT_NEAR(static_cast<QvGeLineSeg3d&>(*segment).startPoint(), x1);
    EXPECT_POINT_NEAR(static_cast<QvGeLineSeg3d&>(*segment).endPoint(), x2);
    const CurvePtr line = convert(*dimension, true);
    ASSERT_EQ(line->type(), QvGe::kLine3d);
    EXPECT_TRUE(line->isOn(x1 + (x2 - x1) * 3.0));
  }

  // An image clipped to a rectangle, and a wipeout: their boundaries, closed.
  QvDbRasterImage image;
  ASSERT_EQ(
      image.setOrientation(QvGePoint3d(1, 1, 0), QvGeVector3d(10, 0, 0), QvGeVector3d(0, 5, 0)),
      eOk);
  ASSERT_EQ(image.setImageSize(100, 50), eOk);
  ASSERT_EQ(image.setClipBoundary(QvDbRasterImage::kRect, {{20, 10}, {60, 40}}), eOk);
  EXPECT_POINTS_NEAR(outlineOf(image),
                     QvGePoint3dArray({{3, 2, 0}, {7, 2, 0}, {7, 5, 0}, {3, 5, 0}, {3, 2, 0}}));
  QvDbWipeout wipeout;
  ASSERT_EQ(wipeout.setFrom({{0, 0}, {4, 0}, {2, 3}}, QvGeVector3d::kZAxis), eOk);
  for (bool exact : {false, true})
    EXPECT_POINTS_NEAR(outlineOf(wipeout, exact),
                       QvGePoint3dArray({{0, 0, 0}, {4, 0, 0}, {2, 3, 0}, {0, 0, 0}}));
}

// A derived class converts as its listed base unless the class must match exactly.
TEST_F(AsQvGeCurveTest, ExactClassRefusesDerivedClasses) {
  const DerivedLine derived(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 0));
  ASSERT_TRUE(derived.isA()->isDerivedFrom(QvDbLine::desc()));
  const CurvePtr asLine = convert(derived);
  ASSERT_TRUE(asLine);
  EXPECT_EQ(asLine->type(), QvGe::kLineSeg3d);
  EXPECT_FALSE(convert(derived, false, true));
  EXPECT_FALSE(convert(derived, true, true));
  EXPECT_TRUE(convert(QvDbLine(QvGePoint3d(), QvGePoint3d(1, 0, 0)), false, true));

  // An attribute definition is a text, but not exactly.
  const QvDbAttributeDefinition definition(QvGePoint3d(), L"value", L"TAG", L"Prompt");
  EXPECT_EQ(outlineOf(definition).length(), 5);
  EXPECT_FALSE(convert(definition, false, true));

  // Outside the list, and nothing at all.
  EXPECT_FALSE(convert(QvDbPoint()));
  EXPECT_EQ(XqDbUtil::asQvGeCurve(nullptr, false, false), nullptr);
}

// Entities of the drawing, read through an open; their vertices are opened and closed again.
TEST_F(AsQvGeCurveTest, ResidentEntitiesLeaveNothingOpen) {
  const QvDbObjectId polylineId = appendToModelSpace(
      db(), new QvDb3dPolyline(k3dSimplePoly, {{0, 0, 0}, {3, 0, 0}, {3, 4, 0}}, true));
  const QvDbObjectId textId =
      appendToModelSpace(db(), new QvDbText(QvGePoint3d(), L"X", QvDbObjectId(), 1.0));
  const QvGeDoubleArray bulges = {0.5, 0.0};
  const QvDbObjectId polyline2dId = appendToModelSpace(
      db(),
      new QvDb2dPolyline(k2dSimplePoly, {{0, 0, 0}, {4, 0, 0}}, 0.0, false, 0.0, 0.0, &bulges));
  ASSERT_FALSE(polylineId.isNull() || textId.isNull() || polyline2dId.isNull());
  {
    QvDbObjectPointer<QvDb3dPolyline> polyline(polylineId, QvDb::kForRead);
    EXPECT_POINTS_NEAR(outlineOf(*polyline),
                       QvGePoint3dArray({{0, 0, 0}, {3, 0, 0}, {3, 4, 0}, {0, 0, 0}}));
    QvDbObjectPointer<QvDbText> text(textId, QvDb::kForRead);
    EXPECT_EQ(outlineOf(*text).length(), 5);
    QvDbObjectPointer<QvDb2dPolyline> polyline2d(polyline2dId, QvDb::kForRead);
    const CurvePtr arc = convert(*polyline2d);
    ASSERT_TRUE(arc);
    EXPECT_POINT_NEAR(arc->evalPoint(0.0), QvGePoint3d(0, 0, 0));
    EXPECT_EQ(db()->numOpenObjects(), 3);  // only the three opened here
  }
  EXPECT_EQ(db()->numOpenObjects(), 0);
}

using DbCurvePtr = std::unique_ptr<QvDbCurve>;

DbCurvePtr convert(const QvGeCurve3d& curve) {
  return DbCurvePtr(XqDbUtil::asDbCurve(&curve));
}

// The curve's points at n + 1 even steps of its parameter.
QvGePoint3dArray samples(const QvDbCurve& curve, int n = 8) {
  const CurveEnds ends = endsOf(curve);
  QvGePoint3dArray points;
  for (int i = 0; i <= n; ++i) {
    QvGePoint3d p;
    curve.getPointAtParam(ends.startParam + (ends.endParam - ends.startParam) * i / n, p);
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
    EXPECT_POINT_NEAR(endsOf(*dbArc).start, arc.startPoint());
    EXPECT_POINT_NEAR(endsOf(*dbArc).end, arc.endPoint());
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
  const double ranges[][2] = {{0.3, 4.0}, {5.0, 7.0}, {-1.0, 1.0}};
  for (const auto& [from, to] : ranges) {
    const QvGeEllipArc3d part(center, QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 3.0, 2.0, from,
                              to);
    const DbCurvePtr dbPart = convert(part);
    ASSERT_TRUE(dbPart);
    const CurveEnds ends = endsOf(*dbPart);
    EXPECT_POINT_NEAR(ends.start, part.startPoint());
    EXPECT_POINT_NEAR(ends.end, part.endPoint());
    for (const QvGePoint3d& p : samples(*dbPart)) EXPECT_TRUE(part.isOn(p)) << from;
    double length = 0;
    ASSERT_EQ(dbPart->getDistAtParam(ends.endParam, length), eOk);
    EXPECT_NEAR(length, part.length(), 1e-9) << from;
  }

  // A minor radius larger than the major one: the ellipse takes the axes the other way round
  // and keeps the points.
  const QvGeEllipArc3d tall(center, QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 1.0, 3.0, 0.2, 2.5);
  const DbCurvePtr dbTall = convert(tall);
  ASSERT_TRUE(dbTall);
  EXPECT_NEAR(static_cast<const QvDbEllipse&>(*dbTall).majorRadius(), 3.0, 1e-12);
  EXPECT_POINT_NEAR(endsOf(*dbTall).start, tall.startPoint());
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
  EXPECT_POINTS_NEAR(outlineOf(*polyline), points);

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
