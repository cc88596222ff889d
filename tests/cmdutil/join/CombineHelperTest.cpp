// Joining curves into polylines: the cases that matter, with values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSpline.h"
#include "tests/cmdutil/join/JoinTestCurves.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/CombineHelper.h"

namespace {

using P = QvGePoint3d;

struct Vertex {
  double x, y, bulge;
};

::testing::AssertionResult hasVertices(const QvDbPolyline* pl, std::vector<Vertex> expected,
                                       double tol = 1e-9) {
  if (!pl) return ::testing::AssertionFailure() << "not a polyline";
  if (pl->numVerts() != expected.size())
    return ::testing::AssertionFailure() << pl->numVerts() << " vertices, not " << expected.size();
  for (unsigned int i = 0; i < pl->numVerts(); ++i) {
    QvGePoint2d p;
    double b = 0;
    pl->getPointAt(i, p);
    pl->getBulgeAt(i, b);
    const Vertex& e = expected[i];
    if (std::fabs(p.x - e.x) > tol || std::fabs(p.y - e.y) > tol || std::fabs(b - e.bulge) > tol)
      return ::testing::AssertionFailure()
             << "vertex " << i << " is (" << p.x << "," << p.y << ") bulge " << b << ", not ("
             << e.x << "," << e.y << ") bulge " << e.bulge;
  }
  return ::testing::AssertionSuccess();
}

// The world point halfway along segment `i` of a polyline.
P segmentMiddle(const QvDbPolyline& pl, unsigned int i) {
  P middle;
  EXPECT_EQ(pl.getPointAtParam(i + 0.5, middle), Vexa::eOk);
  return middle;
}

double lengthOf(const QvDbCurve& curve) {
  double end = 0, length = 0;
  EXPECT_EQ(curve.getEndParam(end), Vexa::eOk);
  EXPECT_EQ(curve.getDistAtParam(end, length), Vexa::eOk);
  return length;
}

void join(const JoinTestCurves& in, JoinOutputs& out) {
  ASSERT_TRUE(CombineHelper::ChangeToPolyLine(in.view(), out.array()));
}

// A line to (10,0), then a counterclockwise half turn to (10,10) through (15,5): bulge 1. With
// the line reversed the walk runs back from the line's start over the arc, whose bulge turns
// over: the same path the other way round. The same arc drawn mirrored (normal -Z, from (10,10)
// to (10,0)) still bulges to (15,5).
TEST(CombineHelper, LineAndArcJoinEitherWayWithTheArcOnItsSide) {
  const struct {
    P lineStart, lineEnd;
    bool mirrored;
    std::vector<Vertex> vertices;
    unsigned int arcSegment;
  } cases[] = {{P(0, 0, 0), P(10, 0, 0), false, {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}}, 1},
               {P(10, 0, 0), P(0, 0, 0), false, {{10, 10, -1}, {10, 0, 0}, {0, 0, 0}}, 0},
               {P(0, 0, 0), P(10, 0, 0), true, {{0, 0, 0}, {10, 0, 1}, {10, 10, 0}}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    JoinTestCurves in;
    in.add(new QvDbLine(c.lineStart, c.lineEnd));
    if (c.mirrored)
      in.add(arcThrough(P(10, 10, 0), P(10, 0, 0), 1.0, -QvGeVector3d::kZAxis));
    else
      in.add(new QvDbArc(P(10, 5, 0), 5.0, -M_PI / 2, M_PI / 2));
    JoinOutputs out;
    join(in, out);
    ASSERT_EQ(out.length(), 1);
    EXPECT_TRUE(out.polyline(0)->normal().isEqualTo(QvGeVector3d::kZAxis));
    EXPECT_FALSE(out.polyline(0)->isClosed());
    EXPECT_TRUE(hasVertices(out.polyline(0), c.vertices));
    EXPECT_POINT_NEAR(segmentMiddle(*out.polyline(0), c.arcSegment), P(15, 5, 0));
  }
}

TEST(CombineHelper, CirclesAndWholeTurnArcsComeFirstAsCopies) {
  JoinTestCurves in;
  in.add(new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  auto* circle = in.add(new QvDbCircle(P(5, 5, 2), QvGeVector3d(0, 1, 0), 3.0));
  in.add(new QvDbLine(P(1, 0, 0), P(1, 1, 0)));
  auto* wholeTurn = in.add(new QvDbArc(P(-5, 0, 0), 2.0, 1.0, 1.0));
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 3);
  const QvDbCircle* copy = QvDbCircle::cast(out[0]);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy, circle);
  EXPECT_TRUE(copy->center().isEqualTo(circle->center()));
  EXPECT_EQ(copy->radius(), 3.0);
  EXPECT_TRUE(copy->normal().isEqualTo(QvGeVector3d(0, 1, 0)));
  const QvDbArc* arcCopy = QvDbArc::cast(out[1]);
  ASSERT_TRUE(arcCopy);
  EXPECT_NE(arcCopy, wholeTurn);
  EXPECT_DOUBLE_EQ(lengthOf(*arcCopy), 2.0 * 2.0 * M_PI);
  EXPECT_TRUE(hasVertices(out.polyline(2), {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}));
}

TEST(CombineHelper, SquareOfLinesClosesOnItsFirstVertexWithoutBeingClosed) {
  // Shuffled and partly reversed: still one polyline round the square.
  JoinTestCurves in;
  in.add(new QvDbLine(P(4, 4, 0), P(4, 0, 0)));
  in.add(new QvDbLine(P(0, 0, 0), P(4, 0, 0)));
  in.add(new QvDbLine(P(0, 4, 0), P(0, 0, 0)));
  in.add(new QvDbLine(P(0, 4, 0), P(4, 4, 0)));
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 1);
  const QvDbPolyline* pl = out.polyline(0);
  ASSERT_TRUE(pl);
  EXPECT_TRUE(hasVertices(pl, {{4, 4, 0}, {4, 0, 0}, {0, 0, 0}, {0, 4, 0}, {4, 4, 0}}));
  EXPECT_FALSE(pl->isClosed());
  EXPECT_DOUBLE_EQ(lengthOf(*pl), 16.0);
}

TEST(CombineHelper, ThreeSegmentsAtOnePointLeaveItByAStartFirst) {
  // In list order: P -> (1,0), (0,1) -> P, P -> (-1,0). From P the walk takes the first
  // segment starting there, and backwards the next one starting there; the segment ending at
  // P is left for a polyline of its own.
  JoinTestCurves in;
  in.add(new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  in.add(new QvDbLine(P(0, 1, 0), P(0, 0, 0)));
  in.add(new QvDbLine(P(0, 0, 0), P(-1, 0, 0)));
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 2);
  EXPECT_TRUE(hasVertices(out.polyline(0), {{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}}));
  EXPECT_TRUE(hasVertices(out.polyline(1), {{0, 1, 0}, {0, 0, 0}}));
}

TEST(CombineHelper, ClosedPolylineKeepsItsClosingSegmentWithTheLastBulge) {
  // A closed outline whose closing segment is a half turn: nothing of it may be lost.
  JoinTestCurves in;
  auto* outline = in.add(new QvDbPolyline());
  outline->addVertexAt(0, QvGePoint2d(0, 0));
  outline->addVertexAt(1, QvGePoint2d(4, 0));
  outline->addVertexAt(2, QvGePoint2d(4, 4), 0.0);
  outline->addVertexAt(3, QvGePoint2d(0, 4), 1.0);
  outline->setClosed(true);
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 1);
  EXPECT_TRUE(
      hasVertices(out.polyline(0), {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 1}, {0, 0, 0}}));
  EXPECT_NEAR(lengthOf(*out.polyline(0)), lengthOf(*outline), 1e-9);
  EXPECT_POINT_NEAR(segmentMiddle(*out.polyline(0), 3), P(-2, 2, 0));
}

TEST(CombineHelper, ApproximatedSplineStartsWithADoubledVertexAndStaysOnTheCurve) {
  const QvDbSpline spline(QvGePoint3dArray({{0, 0, 3}, {4, 3, 3}, {9, -1, 3}, {12, 2, 3}}));
  std::unique_ptr<QvDbPolyline> pl(CombineHelper::approximateByPolyline(&spline));
  ASSERT_TRUE(pl);
  ASSERT_GE(pl->numVerts(), 22u);
  P first, second, last, end;
  pl->getPointAt(0, first);
  pl->getPointAt(1, second);
  pl->getPointAt(pl->numVerts() - 1, last);
  spline.getEndPoint(end);
  EXPECT_TRUE(first.isEqualTo(second));
  EXPECT_TRUE(first.isEqualTo(P(0, 0, 3)));
  EXPECT_TRUE(last.isEqualTo(end));
  // At the spline's height (not dropped to 0), every vertex on the curve, and the samples
  // spaced evenly along it.
  EXPECT_EQ(pl->elevation(), 3.0);
  double previous = -1;
  double step = -1;
  for (unsigned int i = 1; i + 1 < pl->numVerts(); ++i) {
    P vertex, onCurve;
    pl->getPointAt(i, vertex);
    ASSERT_EQ(spline.getClosestPointTo(vertex, onCurve), Vexa::eOk);
    EXPECT_LT(vertex.distanceTo(onCurve), 1e-7) << "vertex " << i;
    double dist = 0;
    ASSERT_EQ(spline.getDistAtPoint(onCurve, dist), Vexa::eOk);
    if (i == 2) step = dist - previous;
    if (i > 2) {
      EXPECT_NEAR(dist - previous, step, 1e-6) << "vertex " << i;
    }
    previous = dist;
  }
  EXPECT_GT(step, 0);
  EXPECT_LE(lengthOf(spline) - previous, step + 1e-6);

  // Other kinds give nothing; so does a spline that does not lie in a plane.
  const QvDbLine line(P(0, 0, 0), P(1, 0, 0));
  EXPECT_EQ(CombineHelper::approximateByPolyline(&line), nullptr);
  const QvDbSpline spatial(QvGePoint3dArray({{0, 0, 0}, {1, 0, 1}, {1, 1, 0}, {0, 1, 2}}));
  EXPECT_EQ(CombineHelper::approximateByPolyline(&spatial), nullptr);
  EXPECT_FALSE(CombineHelper::takesCurve(&spatial));
}

TEST(CombineHelper, WholeEllipseClosesOnItsStartInItsOwnPlane) {
  const QvGeVector3d normal = QvGeVector3d(1, 0, 1).normal();
  const QvDbEllipse ellipse(P(2, 2, 2), normal, QvGeVector3d(0, 3, 0), 0.5);
  JoinTestCurves in;
  in.add(static_cast<QvDbCurve*>(ellipse.clone()));
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 1);
  const QvDbPolyline* pl = out.polyline(0);
  ASSERT_TRUE(pl);
  EXPECT_TRUE(pl->normal().isEqualTo(normal));
  P first, last;
  pl->getPointAt(0, first);
  pl->getPointAt(pl->numVerts() - 1, last);
  EXPECT_TRUE(first.isEqualTo(last));
  for (unsigned int i = 0; i < pl->numVerts(); ++i) {
    P vertex, onCurve;
    pl->getPointAt(i, vertex);
    ASSERT_EQ(ellipse.getClosestPointTo(vertex, onCurve), Vexa::eOk);
    EXPECT_LT(vertex.distanceTo(onCurve), 1e-9) << "vertex " << i;
  }
}

TEST(CombineHelper, OnlyCurvesOfOnePlaneChainAndKeepThatPlane) {
  const QvGeVector3d tilted = QvGeVector3d(0, 1, 1).normal();
  const QvGeMatrix3d toWorld = QvGeMatrix3d::planeToWorld(tilted);
  auto world = [&](double x, double y, double z) { return P(x, y, z).transformBy(toWorld); };
  JoinTestCurves in;
  // Two lines raised to 5 above the XY plane, two in a tilted plane at elevation 2, an arc of
  // the tilted plane seen from below, and a line of the XY plane through a shared point.
  in.add(new QvDbLine(P(0, 0, 5), P(3, 0, 5)));
  in.add(new QvDbLine(P(3, 0, 5), P(3, 3, 5)));
  auto* a = in.add(new QvDbLine(world(0, 0, 2), world(4, 0, 2)));
  a->setNormal(tilted);
  auto* b = in.add(new QvDbLine(world(4, 0, 2), world(4, 4, 2)));
  b->setNormal(tilted);
  const QvDbArc* arc = in.add(arcThrough(world(4, 4, 2), world(0, 4, 2), 0.5, -tilted));
  in.add(new QvDbLine(P(3, 0, 5), P(3, 0, 0)));  // sloped in its plane: left out
  const P shared = world(0, 0, 2);
  in.add(new QvDbLine(shared, P(shared.x - 7, shared.y - 7, shared.z)));  // level
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), 3);

  const QvDbPolyline* raised = out.polyline(0);
  EXPECT_TRUE(raised->normal().isEqualTo(QvGeVector3d::kZAxis));
  EXPECT_EQ(raised->elevation(), 5.0);
  EXPECT_TRUE(hasVertices(raised, {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}}));

  const QvDbPolyline* inclined = out.polyline(1);
  EXPECT_TRUE(inclined->normal().isEqualTo(tilted));
  EXPECT_NEAR(inclined->elevation(), 2.0, 1e-12);
  ASSERT_EQ(inclined->numVerts(), 4u);
  const P expected[] = {world(0, 0, 2), world(4, 0, 2), world(4, 4, 2), world(0, 4, 2)};
  for (unsigned int i = 0; i < 4; ++i) {
    P p;
    inclined->getPointAt(i, p);
    EXPECT_POINT_NEAR(p, expected[i]) << "vertex " << i;
  }
  // The arc turns counterclockwise about its own normal -tilted, so clockwise in the
  // polyline's plane, and its middle stays where it was.
  double bulge = 0;
  inclined->getBulgeAt(2, bulge);
  EXPECT_NEAR(bulge, -0.5, 1e-12);
  double startParam = 0, endParam = 0;
  arc->getStartParam(startParam);
  arc->getEndParam(endParam);
  P arcMiddle;
  ASSERT_EQ(arc->getPointAtParam((startParam + endParam) / 2, arcMiddle), Vexa::eOk);
  EXPECT_POINT_NEAR(segmentMiddle(*inclined, 2), arcMiddle);

  const QvDbPolyline* level = out.polyline(2);
  EXPECT_EQ(level->numVerts(), 2u);
  EXPECT_FALSE(CombineHelper::takesCurve(in.view()[5]));
}

TEST(CombineHelper, BadInputGivesThePlainOutcomeAndLeavesTheRestAlone) {
  // Nothing in, nothing out.
  {
    JoinOutputs out;
    ASSERT_TRUE(CombineHelper::ChangeToPolyLine(QvArray<QvDbCurve*>(), out.array()));
    EXPECT_EQ(out.length(), 0);
  }
  // One point repeated: every zero-length line joins the one chain at that point.
  {
    JoinTestCurves in;
    for (int i = 0; i < 1000; ++i) in.add(new QvDbLine(P(2, 2, 0), P(2, 2, 0)));
    JoinOutputs out;
    join(in, out);
    ASSERT_EQ(out.length(), 1);
    EXPECT_EQ(out.polyline(0)->numVerts(), 1001u);
    EXPECT_EQ(lengthOf(*out.polyline(0)), 0.0);
  }
  // Kinds that are not joined, a polyline of one vertex, a line with a NaN end and one far
  // out of range: left alone, and said so.
  {
    JoinTestCurves in;
    in.add(new QvDbRay());
    in.add(new QvDb2dPolyline());
    auto* single = in.add(new QvDbPolyline());
    single->addVertexAt(0, QvGePoint2d(1, 1));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    in.add(new QvDbLine(P(nan, 0, 0), P(1, 0, 0)));
    in.add(new QvDbLine(P(0, 0, 0), P(std::numeric_limits<double>::infinity(), 0, 0)));
    JoinOutputs out;
    join(in, out);
    EXPECT_EQ(out.length(), 0);
    for (int i = 0; i < in.view().length(); ++i)
      EXPECT_FALSE(CombineHelper::takesCurve(in.view()[i])) << "input " << i;
  }
  // Huge and tiny coordinates: far from the origin a shared end is still shared; ends closer
  // than the tolerance are one point.
  {
    JoinTestCurves in;
    in.add(new QvDbLine(P(1e15, 5e14, 0), P(1e15 + 1, 5e14, 0)));
    in.add(new QvDbLine(P(1e15 + 1, 5e14, 0), P(1e15 + 1, 5e14 + 1, 0)));
    in.add(new QvDbLine(P(1e300, 1e300, 0), P(-1e300, 1e300, 0)));
    in.add(new QvDbLine(P(-1e300, 1e300, 0), P(-1e300, -1e300, 0)));
    in.add(new QvDbLine(P(0, 0, 0), P(1e-12, 0, 0)));
    in.add(new QvDbLine(P(3e-11, 0, 0), P(7, 0, 0)));
    JoinOutputs out;
    join(in, out);
    ASSERT_EQ(out.length(), 3);
    EXPECT_EQ(out.polyline(0)->numVerts(), 3u);
    EXPECT_EQ(out.polyline(1)->numVerts(), 3u);
    // Every end within the tolerance of (0,0) is that first point.
    EXPECT_TRUE(hasVertices(out.polyline(2), {{0, 0, 0}, {0, 0, 0}, {7, 0, 0}}, 0));
  }
}

TEST(CombineHelper, ManySegmentsAtOnePointPairUpAroundIt) {
  // A star: each chain leaves the centre by one spoke and comes back in by the next.
  JoinTestCurves in;
  constexpr int kSpokes = 20000;
  for (int i = 0; i < kSpokes; ++i) {
    const double a = 2 * M_PI * i / kSpokes;
    in.add(new QvDbLine(P(0, 0, 0), P(std::cos(a), std::sin(a), 0)));
  }
  JoinOutputs out;
  join(in, out);
  ASSERT_EQ(out.length(), kSpokes / 2);
  for (int i = 0; i < out.length(); ++i) {
    ASSERT_EQ(out.polyline(i)->numVerts(), 3u);
    P middle;
    out.polyline(i)->getPointAt(1, middle);
    ASSERT_TRUE(middle.isEqualTo(P(0, 0, 0)));
  }
}

TEST(CombineHelper, ListStepsNumberPointsAndWalkSegmentsInListOrder) {
  std::vector<CombineHelper::PointNum> points;
  std::vector<CombineHelper::NumMap> segments;
  int next = 0;
  CombineHelper::GetDrawInfo(points, segments, next, P(0, 0, 0), P(1, 0, 0), 0.0);
  CombineHelper::GetDrawInfo(points, segments, next, P(2, 0, 0), P(1, 0, 5e-11), 0.5);
  CombineHelper::GetDrawInfo(points, segments, next, P(1, 0, 0), P(1, 1, 0), -0.25);
  ASSERT_EQ(next, 4);  // (1,0,5e-11) is (1,0,0)
  ASSERT_EQ(segments.size(), 3u);
  EXPECT_EQ(segments[1].endNum, 1);
  P point;
  ASSERT_TRUE(CombineHelper::NumToPoint(points, 2, point));
  EXPECT_TRUE(point.isEqualTo(P(2, 0, 0)));
  EXPECT_FALSE(CombineHelper::NumToPoint(points, 4, point));

  double bulge = 9;
  int to = 9;
  // From point 1: the segment starting there before the two ending there.
  ASSERT_TRUE(CombineHelper::FindNextPointNum(segments, 1, bulge, to));
  EXPECT_EQ(to, 3);
  EXPECT_EQ(bulge, -0.25);
  // Then the first of those ending there, walked backwards with its bulge turned over.
  ASSERT_TRUE(CombineHelper::FindNextPointNum(segments, 1, bulge, to));
  EXPECT_EQ(to, 0);
  EXPECT_EQ(bulge, -0.0);
  ASSERT_TRUE(CombineHelper::FindNextPointNum(segments, 1, bulge, to));
  EXPECT_EQ(to, 2);
  EXPECT_EQ(bulge, -0.5);
  EXPECT_TRUE(segments.empty());
  EXPECT_FALSE(CombineHelper::FindNextPointNum(segments, 1, bulge, to));
  EXPECT_EQ(to, -1);
  EXPECT_EQ(bulge, 0.0);

  QvDbArc* arc = new QvDbArc(P(0, 0, 0), 1.0, 3 * M_PI / 2, M_PI / 2);  // through angle 0
  EXPECT_NEAR(CombineHelper::GetBulge(arc), std::tan(M_PI / 4), 1e-15);
  delete arc;
}

}  // namespace
