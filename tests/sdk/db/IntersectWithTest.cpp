// Intersections between entities: known answers for each kind, the extension modes, the
// projected form, every pair of curve kinds through two common points, and the geometry work
// limit, reached, failing instead of giving a partial answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScopedWorkLimit.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PolylineShapes.h"
#include "tests/support/WavePoints.h"

namespace {

using Vexa::eOk;

// The points, sorted by x then y, for comparison with expected lists.
QvGePoint3dArray intersections(const QvDbEntity& a, const QvDbEntity& b,
                               QvDb::Intersect mode = QvDb::kOnBothOperands,
                               const QvGePlane* plane = nullptr) {
  QvGePoint3dArray points;
  const Vexa::ErrorStatus es =
      plane ? a.intersectWith(&b, mode, *plane, points) : a.intersectWith(&b, mode, points);
  EXPECT_EQ(es, eOk);
  std::sort(points.begin(), points.end(), [](const QvGePoint3d& p, const QvGePoint3d& q) {
    return p.x < q.x - 1e-9 || (std::fabs(p.x - q.x) <= 1e-9 && p.y < q.y);
  });
  return points;
}

TEST(IntersectWithTest, KnownAnswersOfLinesAndConics) {
  const QvDbLine chord(QvGePoint3d(-10, 3, 0), QvGePoint3d(10, 3, 0));
  const QvDbCircle circle(QvGePoint3d(), QvGeVector3d::kZAxis, 5.0);
  EXPECT_TRUE(
      pointListsNear(intersections(circle, chord), {QvGePoint3d(-4, 3, 0), QvGePoint3d(4, 3, 0)}));
  EXPECT_TRUE(
      pointListsNear(intersections(chord, circle), {QvGePoint3d(-4, 3, 0), QvGePoint3d(4, 3, 0)}));

  const QvDbArc upper(QvGePoint3d(), 5.0, 0.0, QvGe::kPi);
  const QvDbArc lower(QvGePoint3d(), 5.0, QvGe::kPi, 0.0);
  EXPECT_EQ(intersections(upper, chord).length(), 2);
  EXPECT_EQ(intersections(lower, chord).length(), 0);
  EXPECT_EQ(intersections(lower, chord, QvDb::kExtendThis).length(), 2);  // round its circle
  EXPECT_EQ(intersections(lower, chord, QvDb::kExtendArg).length(), 0);

  const QvDbCircle other(QvGePoint3d(6, 0, 0), QvGeVector3d::kZAxis, 5.0);
  EXPECT_TRUE(
      pointListsNear(intersections(circle, other), {QvGePoint3d(3, -4, 0), QvGePoint3d(3, 4, 0)}));

  const QvDbEllipse ellipse(QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d(5, 0, 0), 0.6);
  const QvDbLine vertical(QvGePoint3d(3, -10, 0), QvGePoint3d(3, 10, 0));
  EXPECT_TRUE(pointListsNear(intersections(ellipse, vertical),
                             {QvGePoint3d(3, -2.4, 0), QvGePoint3d(3, 2.4, 0)}));
}

TEST(IntersectWithTest, ExtensionModesExtendTheRightOperand) {
  const QvDbLine a(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  const QvDbLine b(QvGePoint3d(2, -1, 0), QvGePoint3d(2, 1, 0));
  EXPECT_EQ(intersections(a, b).length(), 0);
  EXPECT_TRUE(pointListsNear(intersections(a, b, QvDb::kExtendThis), {QvGePoint3d(2, 0, 0)}));
  EXPECT_EQ(intersections(a, b, QvDb::kExtendArg).length(), 0);
  EXPECT_EQ(intersections(b, a, QvDb::kExtendArg).length(), 1);
  EXPECT_EQ(intersections(a, b, QvDb::kExtendBoth).length(), 1);

  // A ray runs on backwards only when extended.
  const QvDbRay ray(QvGePoint3d(10, 0, 0), QvGeVector3d(1, 0, 0));
  const QvDbCircle circle(QvGePoint3d(5, 0, 0), QvGeVector3d::kZAxis, 2.0);
  EXPECT_EQ(intersections(ray, circle).length(), 0);
  EXPECT_TRUE(pointListsNear(intersections(ray, circle, QvDb::kExtendThis),
                             {QvGePoint3d(3, 0, 0), QvGePoint3d(7, 0, 0)}));
  // An open polyline runs on along its end segments.
  const auto hook = lightweightPolyline({{0, 0}, {0, 1}, {1, 1}});
  const QvDbLine across(QvGePoint3d(-1, -3, 0), QvGePoint3d(5, -3, 0));
  EXPECT_EQ(intersections(*hook, across).length(), 0);
  EXPECT_TRUE(
      pointListsNear(intersections(*hook, across, QvDb::kExtendThis), {QvGePoint3d(0, -3, 0)}));
}

TEST(IntersectWithTest, PolylinesSplinesTextsAndSolids) {
  const auto square = lightweightPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {}, true);
  const QvDbCircle circle(QvGePoint3d(10, 10, 0), QvGeVector3d::kZAxis, 5.0);
  EXPECT_TRUE(pointListsNear(intersections(*square, circle),
                             {QvGePoint3d(5, 10, 0), QvGePoint3d(10, 5, 0)}));

  const std::unique_ptr<QvDbSpline> spline(unitCircleSpline(QvGePoint3d()));
  const QvDbLine line(QvGePoint3d(-2, 0.6, 0), QvGePoint3d(2, 0.6, 0));
  EXPECT_TRUE(pointListsNear(intersections(*spline, line),
                             {QvGePoint3d(-0.8, 0.6, 0), QvGePoint3d(0.8, 0.6, 0)}, 1e-8));

  // A text's box: "ABCD" 2 high is 4.8 wide.
  const QvDbText text(QvGePoint3d(0, 0, 0), L"ABCD", QvDbObjectId(), 2.0);
  const QvDbLine up(QvGePoint3d(1, -1, 0), QvGePoint3d(1, 3, 0));
  EXPECT_TRUE(
      pointListsNear(intersections(text, up), {QvGePoint3d(1, 0, 0), QvGePoint3d(1, 2, 0)}));

  const QvDbSolid solid(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0), QvGePoint3d(0, 4, 0),
                        QvGePoint3d(4, 4, 0));
  const QvDbLine diagonal(QvGePoint3d(-1, -1, 0), QvGePoint3d(5, 5, 0));
  EXPECT_TRUE(
      pointListsNear(intersections(solid, diagonal), {QvGePoint3d(0, 0, 0), QvGePoint3d(4, 4, 0)}));

  // Entities without an outline meet nothing; a null argument is refused.
  const QvDbPoint point(QvGePoint3d(0, 0.6, 0));
  EXPECT_EQ(intersections(point, line).length(), 0);
  QvGePoint3dArray none;
  EXPECT_EQ(line.intersectWith(nullptr, QvDb::kOnBothOperands, none), Vexa::eNullPtr);
}

TEST(IntersectWithTest, ProjectedOntoAPlaneGivesThisEntitysPoints) {
  const QvDbLine high(QvGePoint3d(0, 0, 5), QvGePoint3d(10, 10, 5));
  const QvDbLine low(QvGePoint3d(0, 10, 0), QvGePoint3d(10, 0, 0));
  EXPECT_EQ(intersections(high, low).length(), 0);
  EXPECT_TRUE(pointListsNear(intersections(high, low, QvDb::kOnBothOperands, &QvGePlane::kXYPlane),
                             {QvGePoint3d(5, 5, 5)}));
  EXPECT_TRUE(pointListsNear(intersections(low, high, QvDb::kOnBothOperands, &QvGePlane::kXYPlane),
                             {QvGePoint3d(5, 5, 0)}));
}

class IntersectWithDbTest : public HostFixture {};

TEST_F(IntersectWithDbTest, BlockReferencesMeetWithTheirBlocksGeometry) {
  const QvDbObjectId block = addBlock(db(), L"RING");
  ASSERT_FALSE(
      appendEntity(block, new QvDbCircle(QvGePoint3d(), QvGeVector3d::kZAxis, 1.0)).isNull());
  QvDbBlockReference reference(QvGePoint3d(10, 0, 0), block);
  reference.setScaleFactors(QvGeScale3d(2.0));
  const QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(20, 0, 0));
  EXPECT_TRUE(pointListsNear(intersections(reference, line),
                             {QvGePoint3d(8, 0, 0), QvGePoint3d(12, 0, 0)}));
}

// Every curve kind drawn through P1 = (5, 0) and P2 = (0, 5), or one of them.
struct Kind {
  const char* name;
  std::function<QvDbCurve*()> make;
  bool throughP1;
  bool throughP2;
};

std::vector<Kind> kindsThroughTwoPoints() {
  return {
      {"line", [] { return new QvDbLine(QvGePoint3d(10, -5, 0), QvGePoint3d(-5, 10, 0)); }, true,
       true},
      {"circle", [] { return new QvDbCircle(QvGePoint3d(), QvGeVector3d::kZAxis, 5.0); }, true,
       true},
      {"arc", [] { return new QvDbArc(QvGePoint3d(5, 5, 0), 5.0, QvGe::kPi, 1.5 * QvGe::kPi); },
       true, true},
      {"ellipse",
       [] {
         return new QvDbEllipse(QvGePoint3d(2.5, 2.5, 0), QvGeVector3d::kZAxis,
                                QvGeVector3d(2.5, -2.5, 0), 1.5 / std::sqrt(12.5));
       },
       true, true},
      {"spline",
       [] {
         return new QvDbSpline(QvGePoint3dArray{QvGePoint3d(-2, 8, 0), QvGePoint3d(0, 5, 0),
                                                QvGePoint3d(5, 0, 0), QvGePoint3d(8, -2, 0)});
       },
       true, true},
      {"polyline",
       [] {
         return lightweightPolyline({{5, -3}, {5, 0}, {0, 5}, {-3, 5}}, {0, 0.5}).release();
       },
       true, true},
      {"2d polyline",
       [] {
         QvGeDoubleArray bulges{0.0, -0.3, 0.0, 0.0};
         return new QvDb2dPolyline(k2dSimplePoly,
                                   QvGePoint3dArray{QvGePoint3d(2, -4, 0), QvGePoint3d(5, 0, 0),
                                                    QvGePoint3d(0, 5, 0), QvGePoint3d(-4, 2, 0)},
                                   0.0, false, 0.0, 0.0, &bulges);
       },
       true, true},
      {"3d polyline",
       [] {
         return new QvDb3dPolyline(
             k3dSimplePoly,
             QvGePoint3dArray{QvGePoint3d(5, 0, 0), QvGePoint3d(1, 1, 0), QvGePoint3d(0, 5, 0)});
       },
       true, true},
      {"ray", [] { return new QvDbRay(QvGePoint3d(5, -5, 0), QvGeVector3d(0, 1, 0)); }, true,
       false},
      {"xline", [] { return new QvDbXline(QvGePoint3d(0, 5, 0), QvGeVector3d(1, 0, 0)); }, false,
       true},
  };
}

bool isOn(const QvDbCurve& curve, const QvGePoint3d& p) {
  QvGePoint3d closest;
  return curve.getClosestPointTo(p, closest) == eOk && closest.distanceTo(p) <= 1e-7;
}

TEST(IntersectWithTest, EveryPairOfCurveKindsFindsItsCommonPoints) {
  const std::vector<Kind> kinds = kindsThroughTwoPoints();
  const QvGePoint3d p1(5, 0, 0), p2(0, 5, 0);
  for (size_t i = 0; i < kinds.size(); ++i) {
    for (size_t j = 0; j < kinds.size(); ++j) {
      if (i == j) continue;
      SCOPED_TRACE(std::string(kinds[i].name) + " with " + kinds[j].name);
      std::unique_ptr<QvDbCurve> a(kinds[i].make()), b(kinds[j].make());
      const QvGePoint3dArray points = intersections(*a, *b);
      for (int k = 0; k < points.length(); ++k) {
        EXPECT_TRUE(isOn(*a, points[k]) && isOn(*b, points[k]))
            << points[k].x << ", " << points[k].y;
      }
      auto found = [&](const QvGePoint3d& p) {
        for (int k = 0; k < points.length(); ++k)
          if (points[k].distanceTo(p) <= 1e-7) return true;
        return false;
      };
      if (kinds[i].throughP1 && kinds[j].throughP1) {
        EXPECT_TRUE(found(p1));
      }
      if (kinds[i].throughP2 && kinds[j].throughP2) {
        EXPECT_TRUE(found(p2));
      }
      EXPECT_EQ(points.length(), intersections(*b, *a).length());
    }
  }
}

TEST(IntersectWithWorkLimit, APartialAnswerIsAFailureAndAddsNothing) {
  const QvDbSpline sine(wavePoints(false)), cosine(wavePoints(true));
  EXPECT_EQ(intersections(sine, cosine).length(), 4);

  const QvGePoint3d sentinel(99, 99, 99);
  QvGePoint3dArray kept{sentinel};
  {
    const QvGeScopedWorkLimit tight(3);
    EXPECT_EQ(sine.intersectWith(&cosine, QvDb::kOnBothOperands, kept), Vexa::eIncompleteResult);
    EXPECT_EQ(cosine.intersectWith(&sine, QvDb::kExtendBoth, QvGePlane::kXYPlane, kept),
              Vexa::eIncompleteResult);
    ASSERT_EQ(kept.length(), 1);
    EXPECT_EQ(kept[0].distanceTo(sentinel), 0.0);
    // Closed forms do no piece work: a line and a spline still fail, a line and a line not.
    const QvDbLine across(QvGePoint3d(0, -3, 0), QvGePoint3d(0, 3, 0));
    const QvDbLine level(QvGePoint3d(-3, 0, 0), QvGePoint3d(3, 0, 0));
    EXPECT_EQ(across.intersectWith(&sine, QvDb::kOnBothOperands, kept), Vexa::eIncompleteResult);
    EXPECT_EQ(across.intersectWith(&level, QvDb::kOnBothOperands, kept), Vexa::eOk);
    EXPECT_EQ(kept.length(), 2);
  }
  // The limit is back: the whole answer again.
  EXPECT_EQ(intersections(sine, cosine).length(), 4);
}

}  // namespace
