#include <gtest/gtest.h>

#include <memory>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "sdk/ge/QvGeUtility.h"
#include "tests/support/CurveChecks.h"

namespace {

constexpr double kPi = QvGe::kPi;

// Line (0,0)-(10,0), counterclockwise quarter arc to (10,10) about (10,5)... built from parts
// whose lengths are known: 10 + 5 pi + 10.
QvGeCompositeCurve3d lineArcLine() {
  QvGeLineSeg3d a(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  QvGeCircArc3d b(QvGePoint3d(10, 5, 0), QvGeVector3d::kZAxis, QvGeVector3d(0, -1, 0), 5.0, 0.0,
                  kPi);
  QvGeLineSeg3d c(QvGePoint3d(10, 10, 0), QvGePoint3d(0, 10, 0));
  return QvGeCompositeCurve3d(QvArray<QvGeCurve3d*>{&a, &b, &c});
}

TEST(QvGePolyline3d, ParametersAreVertexIndices) {
  const QvGePolyline3d poly(
      QvGePoint3dArray{{0, 0, 0}, {3, 4, 0}, {3, 4, 12}, {3, 4, 12}, {0, 0, 0}});
  ASSERT_TRUE(poly.isValid());
  EXPECT_TRUE(poly.isClosed());
  EXPECT_NEAR(poly.length(), 5 + 12 + 0 + 13, 1e-13);
  EXPECT_NEAR(poly.length(0.5, 1.5), 2.5 + 6, 1e-13);
  EXPECT_TRUE(poly.evalPoint(1.5).isEqualTo(QvGePoint3d(3, 4, 6)));
  EXPECT_NEAR(poly.paramOf(QvGePoint3d(3, 4, 3)), 1.25, 1e-14);
  double t;
  ASSERT_TRUE(poly.getParamAtLength(0.0, 5 + 12 + 6.5, true, t));
  EXPECT_NEAR(t, 3.5, 1e-14);  // the zero-length segment is crossed
  ASSERT_TRUE(poly.getParamAtLength(4.0, 13.0 + 6, false, t));
  EXPECT_NEAR(t, 1.5, 1e-14);
  EXPECT_FALSE(poly.getParamAtLength(0.0, 31.0, true, t));
  QvGePoint3dArray pts;
  QvGeDoubleArray ts;
  poly.getSamplePoints(0.5, 2.5, 0.0, pts, ts);
  ASSERT_EQ(pts.length(), 4);  // ends and the two vertices between
  EXPECT_EQ(ts[1], 1.0);
  curvecheck::paramRoundTrip(QvGePolyline3d(QvGePoint3dArray{{0, 0, 0}, {1, 2, 0}, {4, 2, 1}}));
  curvecheck::splitCoversCurve(poly, QvGeDoubleArray{0.5, 2.5}, 2);  // closed: across the seam
  curvecheck::boxHoldsSamples(poly, QvGeInterval(0.5, 3.7));
  curvecheck::reverseKeepsPoints(poly);
  curvecheck::transformRoundTrip(poly, QvGeMatrix3d::rotation(1, {0, 1, 0}));

  QvGePolyline3d bad;
  EXPECT_FALSE(bad.isValid());
  EXPECT_EQ(bad.set(QvGePoint3dArray{{1, 1, 1}}), Vexa::eInvalidInput);
  EXPECT_TRUE(bad.evalPoint(3.0).isEqualTo(QvGePoint3d::kOrigin));
  EXPECT_EQ(bad.length(), 0.0);
}

TEST(QvGeCompositeCurve3d, PiecesLaidEndToEnd) {
  const QvGeCompositeCurve3d comp = lineArcLine();
  ASSERT_TRUE(comp.isValid());
  ASSERT_EQ(comp.numCurves(), 3);
  QvGeInterval i;
  comp.getInterval(i);
  EXPECT_DOUBLE_EQ(i.upperBound(), 1.0 + kPi + 1.0);
  EXPECT_DOUBLE_EQ(comp.offset(1), 1.0);
  EXPECT_NEAR(comp.length(), 20.0 + 5 * kPi, 1e-12);
  EXPECT_TRUE(comp.evalPoint(1.0 + kPi / 2).isEqualTo(QvGePoint3d(15, 5, 0)));
  double local;
  EXPECT_EQ(comp.pieceOf(1.0, local), 1);  // a joint belongs to the later piece
  EXPECT_EQ(local, 0.0);
  // Walking lengths across joints, both ways.
  double t;
  ASSERT_TRUE(comp.getParamAtLength(0.5, 5.0 + 5 * kPi + 2.0, true, t));
  EXPECT_TRUE(comp.evalPoint(t).isEqualTo(QvGePoint3d(8, 10, 0)));
  ASSERT_TRUE(comp.getParamAtLength(comp.offset(2), 5 * kPi / 2, false, t));
  EXPECT_TRUE(comp.evalPoint(t).isEqualTo(QvGePoint3d(15, 5, 0)));
  // Sample points carry no doubled joint.
  QvGePoint3dArray pts;
  comp.getSamplePoints(0.0, i.upperBound(), 0.0, pts);
  for (int k = 1; k < pts.length(); ++k) EXPECT_FALSE(pts[k].isEqualTo(pts[k - 1]));
  curvecheck::paramRoundTrip(comp);
  curvecheck::lengthMatchesChords(comp);
  curvecheck::boxHoldsSamples(comp, QvGeInterval(0.5, 3.0));
  curvecheck::reverseKeepsPoints(comp);
  curvecheck::splitCoversCurve(comp, QvGeDoubleArray{0.5, 1.0, 2.0, 3.5}, 5);
  curvecheck::transformRoundTrip(comp, QvGeMatrix3d::translation({1, 2, 3}));
  // A stretch cannot keep the arc circular: nothing changes.
  QvGeCompositeCurve3d stretched = comp;
  QvGeMatrix3d stretch = QvGeMatrix3d::kIdentity;
  stretch.entry[0][0] = 2.0;
  EXPECT_EQ(stretched.transformBy(stretch), Vexa::eNotApplicable);
  EXPECT_NEAR(stretched.length(), comp.length(), 1e-12);
}

TEST(QvGeCompositeCurve3d, GapsAndBadPiecesAreRefused) {
  QvGeLineSeg3d a(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  QvGeLineSeg3d gap(QvGePoint3d(1.001, 0, 0), QvGePoint3d(2, 0, 0));
  QvGeLineSeg3d near(QvGePoint3d(1 + 1e-7, 0, 0), QvGePoint3d(2, 0, 0));
  QvGeRay3d ray(QvGePoint3d(1, 0, 0), QvGeVector3d::kXAxis);
  QvGeCompositeCurve3d comp;
  EXPECT_FALSE(comp.isValid());
  EXPECT_EQ(comp.set(QvArray<QvGeCurve3d*>{&a, &gap}), Vexa::eInvalidInput);
  EXPECT_EQ(comp.set(QvArray<QvGeCurve3d*>{&a, &ray}), Vexa::eInvalidInput);
  EXPECT_EQ(comp.set(QvArray<QvGeCurve3d*>{&a, nullptr}), Vexa::eInvalidInput);
  EXPECT_EQ(comp.set(QvArray<QvGeCurve3d*>{}), Vexa::eInvalidInput);
  EXPECT_EQ(comp.set(QvArray<QvGeCurve3d*>{&a, &near}), Vexa::eOk);
  EXPECT_LE(comp.evalPoint(5.0).distanceTo(QvGePoint3d(5, 0, 0)), 1e-6);  // the end piece goes on
  QvGeCurve3d* none = nullptr;
  EXPECT_EQ(QvGeCompositeCurve3d().project(QvGePlane::kXYPlane, QvGeVector3d::kZAxis, none),
            Vexa::eInvalidInput);
}

TEST(QvGeCompositeCurve3d, ClosedChainsSplitAcrossTheSeamAndProject) {
  // A closed square with a vertical leg: the leg collapses when seen from above.
  QvGeLineSeg3d s1(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0));
  QvGeLineSeg3d s2(QvGePoint3d(4, 0, 0), QvGePoint3d(4, 0, 3));
  QvGeLineSeg3d s3(QvGePoint3d(4, 0, 3), QvGePoint3d(4, 4, 3));
  QvGeLineSeg3d s4(QvGePoint3d(4, 4, 3), QvGePoint3d(0, 4, 0));
  QvGeLineSeg3d s5(QvGePoint3d(0, 4, 0), QvGePoint3d(0, 0, 0));
  const QvGeCompositeCurve3d loop(QvArray<QvGeCurve3d*>{&s1, &s2, &s3, &s4, &s5});
  ASSERT_TRUE(loop.isClosed());
  curvecheck::splitCoversCurve(loop, QvGeDoubleArray{0.5, 3.5}, 2);
  QvGeCurve3d* raw = nullptr;
  ASSERT_EQ(loop.orthoProject(QvGePlane::kXYPlane, raw), Vexa::eOk);
  std::unique_ptr<QvGeCurve3d> flat(raw);
  EXPECT_EQ(static_cast<QvGeCompositeCurve3d&>(*flat).numCurves(), 4);
  EXPECT_NEAR(flat->length(), 16.0, 1e-12);
  EXPECT_TRUE(flat->isClosed());
}

// The complementary curves of one end, owned; none when refused with `expected`.
std::vector<std::unique_ptr<QvGeCurve3d>> complementary(const QvGeCurve3d& c, int side,
                                                        Vexa::ErrorStatus expected = Vexa::eOk) {
  QvArray<QvGeCurve3d*> curves;
  EXPECT_EQ(QvGeUtility::qvgeGetComplementaryCurves(c, side, curves), expected);
  if (expected != Vexa::eOk) {
    EXPECT_TRUE(curves.isEmpty());
  }
  return {curves.begin(), curves.end()};
}

TEST(QvGeUtility, ComplementaryCurvesContinueTheEnds) {
  // A straight end: a ray outward.
  const QvGeCompositeCurve3d comp = lineArcLine();
  for (auto [side, base] : {std::pair{QvGe::kEnd, QvGePoint3d(0, 10, 0)},
                            std::pair{QvGe::kStart, QvGePoint3d::kOrigin}}) {
    const auto curves = complementary(comp, side);
    ASSERT_EQ(curves.size(), 1u);
    ASSERT_EQ(curves[0]->type(), QvGe::kRay3d);
    const auto& ray = static_cast<const QvGeRay3d&>(*curves[0]);
    EXPECT_TRUE(ray.pointOnLine().isEqualTo(base));
    EXPECT_TRUE(ray.rayDirection().isEqualTo(-QvGeVector3d::kXAxis));
  }

  // An arc end: the rest of its circle, starting at the end and running on.
  const QvGeCircArc3d arc(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis, 2.0, 0.0,
                          kPi / 2);
  for (int side : {QvGe::kStart, QvGe::kEnd}) {
    const auto curves = complementary(arc, side);
    ASSERT_EQ(curves[0]->type(), QvGe::kCircArc3d);
    const auto& rest = static_cast<const QvGeCircArc3d&>(*curves[0]);
    EXPECT_NEAR(rest.length(), 2.0 * 1.5 * kPi, 1e-12);
    const QvGePoint3d end = side == QvGe::kEnd ? arc.endPoint() : arc.startPoint();
    EXPECT_TRUE(rest.startPoint().isEqualTo(end));
    // It leaves the end in the direction the arc was going (or against it at the start).
    EXPECT_FALSE(arc.isOn(rest.evalPoint(rest.startAng() + 0.1)));
  }
  complementary(QvGeCircArc3d(), QvGe::kEnd, Vexa::eNotApplicable);
  complementary(arc, 3, Vexa::eInvalidInput);
  complementary(QvGeRay3d(), QvGe::kEnd, Vexa::eNotApplicable);

  // A NURBS end: its outward extension, then a ray from its far end.
  const QvGeNurbCurve3d spline(QvGePoint3dArray{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}});
  const auto curves = complementary(spline, QvGe::kStart);
  ASSERT_EQ(curves.size(), 2u);
  QvGePoint3d s, e, rayBase;
  curves[0]->hasStartPoint(s);
  curves[0]->hasEndPoint(e);
  curves[1]->hasStartPoint(rayBase);
  EXPECT_TRUE(s.isEqualTo(QvGePoint3d(0, 0, 0), QvGeTol(1e-12, 1e-12)));
  EXPECT_TRUE(rayBase.isEqualTo(e));
}

}  // namespace
