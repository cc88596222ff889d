// The intersection objects themselves: the work limit of the general method, and the copies of
// the curves they keep.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCurveCurveInt2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"
#include "sdk/ge/QvGeScopedWorkLimit.h"
#include "tests/support/IntersectionChecks.h"
#include "tests/support/WavePoints.h"

// Counting replacements of the global allocation functions (they pair malloc with free, which
// the compiler cannot see through).
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
long gAllocations = 0;
}  // namespace

void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// Interpolations of the two waves.
QvGeNurbCurve3d sineCurve() {
  return QvGeNurbCurve3d(wavePoints(false));
}
QvGeNurbCurve3d cosineCurve() {
  return QvGeNurbCurve3d(wavePoints(true));
}

QvGePoint2dArray flat(const QvGePoint3dArray& pts) {
  QvGePoint2dArray out;
  for (const QvGePoint3d& p : pts) out.append(QvGePoint2d(p.x, p.y));
  return out;
}

// Same points and parameters, in the same order.
void expectSameResults(const QvGeCurveCurveInt3d& x, const QvGeCurveCurveInt3d& y) {
  ASSERT_EQ(x.numIntPoints(), y.numIntPoints());
  for (int i = 0; i < x.numIntPoints(); ++i) {
    double x1, x2, y1, y2;
    x.getIntParams(i, x1, x2);
    y.getIntParams(i, y1, y2);
    EXPECT_NEAR(x1, y1, 1e-12);
    EXPECT_NEAR(x2, y2, 1e-12);
    EXPECT_LE(x.intPoint(i).distanceTo(y.intPoint(i)), 1e-12);
  }
}

TEST(QvGeCurveCurveInt3d, TheWorkLimitIsAReportedFailure) {
  const QvGeNurbCurve3d sine = sineCurve(), cosine = cosineCurve();
  const QvGeCurveCurveInt3d full(sine, cosine);
  ASSERT_EQ(full.status(), Vexa::eOk);
  ASSERT_EQ(full.numIntPoints(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(full.intPoint(i).x, QvGe::kPi / 4 + (i - 2) * QvGe::kPi, 1e-2);

  QvGeCurveCurveInt3d limited;
  EXPECT_EQ(limited.workLimit(), QvGeCurveCurveInt3d::kDefaultWorkLimit);
  EXPECT_FALSE(limited.setWorkLimit(0));
  EXPECT_FALSE(limited.setWorkLimit(-3));
  EXPECT_EQ(limited.workLimit(), QvGeCurveCurveInt3d::kDefaultWorkLimit);

  // The work the pair needs, by bisection on the limit: one piece pair less is a failure,
  // exactly enough gives the full answer.
  int enough = QvGeCurveCurveInt3d::kDefaultWorkLimit, tooFew = 0;
  while (enough - tooFew > 1) {
    const int middle = tooFew + (enough - tooFew) / 2;
    ASSERT_TRUE(limited.setWorkLimit(middle));
    (limited.set(sine, cosine) == Vexa::eOk ? enough : tooFew) = middle;
  }
  ASSERT_GT(tooFew, 4);  // more than the first pairs of spans: the limit cut real work
  limited.setWorkLimit(enough);
  EXPECT_EQ(limited.set(sine, cosine), Vexa::eOk);
  expectSameResults(limited, full);
  limited.setWorkLimit(tooFew);
  EXPECT_EQ(limited.set(sine, cosine), Vexa::eIncompleteResult);
  EXPECT_EQ(limited.status(), Vexa::eIncompleteResult);

  // Far too little work: a failure, and what was found is still real.
  limited.setWorkLimit(tooFew / 4);
  EXPECT_EQ(limited.set(sine, cosine), Vexa::eIncompleteResult);
  EXPECT_LT(limited.numIntPoints(), 4);
  intcheck::expectConsistent(limited, 1e-9);

  // Through the pieces of a polyline and through a projection the failure is passed on (each
  // segment against the spline has the limit to itself, so it is lowered further).
  QvGePoint3dArray samples;
  cosine.getSamplePoints(200, samples);
  limited.setWorkLimit(2);
  EXPECT_EQ(limited.set(sine, QvGePolyline3d(samples)), Vexa::eIncompleteResult);
  EXPECT_EQ(limited.set(sine, cosine, QvGePlane::kXYPlane), Vexa::eIncompleteResult);
  limited.setWorkLimit(QvGeCurveCurveInt3d::kDefaultWorkLimit);
  EXPECT_EQ(limited.set(sine, QvGePolyline3d(samples)), Vexa::eOk);
  EXPECT_EQ(limited.numIntPoints(), 4);

  // Closed forms examine no pieces: even a limit of one leaves them whole.
  limited.setWorkLimit(1);
  EXPECT_EQ(limited.set(QvGeLineSeg3d(QvGePoint3d(-5, 0, 0), QvGePoint3d(5, 0, 0)),
                        QvGeCircArc3d(QvGePoint3d(), QvGeVector3d::kZAxis, 3.0)),
            Vexa::eOk);
  EXPECT_EQ(limited.numIntPoints(), 2);

  EXPECT_STREQ(Vexa::errorStatusName(Vexa::eIncompleteResult), "eIncompleteResult");
}

TEST(QvGeCurveCurveInt3d, NewObjectsStartWithTheContextsLimit) {
  const QvGeNurbCurve3d sine = sineCurve(), cosine = cosineCurve();
  {
    const QvGeScopedWorkLimit tight(5);
    const QvGeCurveCurveInt3d ints(sine, cosine);
    EXPECT_EQ(ints.workLimit(), 5);
    EXPECT_EQ(ints.status(), Vexa::eIncompleteResult);
    EXPECT_EQ(QvGeCurveCurveInt2d().workLimit(), 5);
    const QvGeScopedWorkLimit none(0);
    EXPECT_EQ(QvGeCurveCurveInt3d().workLimit(), 1);
  }
  EXPECT_EQ(QvGeContext::gIntersectionWorkLimit, QvGeContext::kDefaultIntersectionWorkLimit);
  EXPECT_EQ(QvGeCurveCurveInt3d(sine, cosine).status(), Vexa::eOk);
}

TEST(QvGeCurveCurveInt2d, TheWorkLimitIsAReportedFailure) {
  const QvGeNurbCurve2d sine(flat(wavePoints(false))), cosine(flat(wavePoints(true)));
  QvGeCurveCurveInt2d ints(sine, cosine);
  ASSERT_EQ(ints.status(), Vexa::eOk);
  EXPECT_EQ(ints.numIntPoints(), 4);
  ASSERT_TRUE(ints.setWorkLimit(5));
  EXPECT_EQ(ints.set(sine, cosine), Vexa::eIncompleteResult);
  // The limit belongs to the object and lasts until it is changed.
  EXPECT_EQ(ints.set(cosine, sine), Vexa::eIncompleteResult);
  EXPECT_FALSE(ints.setWorkLimit(0));
  EXPECT_EQ(ints.workLimit(), 5);
  ints.setWorkLimit(QvGeCurveCurveInt3d::kDefaultWorkLimit);
  EXPECT_EQ(ints.set(sine, cosine), Vexa::eOk);
  EXPECT_EQ(ints.numIntPoints(), 4);
}

TEST(QvGeCurveCurveInt3d, KeepsItsOwnCopiesOfTemporaryCurves) {
  // Curves made for the call only: the accessors must not reach back to them (ASan).
  QvGeCurveCurveInt3d ints(QvGeLineSeg3d(QvGePoint3d(-5, 0, 0), QvGePoint3d(5, 0, 0)),
                           QvGeCircArc3d(QvGePoint3d(), QvGeVector3d::kZAxis, 3.0));
  ASSERT_EQ(ints.numIntPoints(), 2);
  ASSERT_EQ(ints.curve1()->type(), QvGe::kLineSeg3d);
  ASSERT_EQ(ints.curve2()->type(), QvGe::kCircArc3d);
  intcheck::expectConsistent(ints, 1e-12);
  EXPECT_NEAR(ints.curve2()->evalPoint(0.5 * QvGe::kPi).y, 3.0, 1e-15);

  // Heap curves deleted before the accessors are used.
  auto sine = std::make_unique<QvGeNurbCurve3d>(sineCurve());
  auto cosine = std::make_unique<QvGePolyline3d>(wavePoints(true));
  const QvGeNurbCurve3d sineKept = *sine;
  ints.set(*sine, *cosine);
  EXPECT_NE(ints.curve1(), sine.get());
  sine.reset();
  cosine.reset();
  ASSERT_EQ(ints.status(), Vexa::eOk);
  ASSERT_EQ(ints.numIntPoints(), 4);
  EXPECT_EQ(ints.curve1()->type(), QvGe::kNurbCurve3d);
  EXPECT_EQ(ints.curve2()->type(), QvGe::kPolyline3d);
  intcheck::expectConsistent(ints, 1e-12);
  for (double t : {0.0, 0.3, 0.77, 1.0}) {
    const double param = sineKept.startParam() + t * (sineKept.endParam() - sineKept.startParam());
    EXPECT_EQ(ints.curve1()->evalPoint(param).distanceTo(sineKept.evalPoint(param)), 0.0);
  }

  // A copy of the object has copies of its own and outlives the original.
  auto original = std::make_unique<QvGeCurveCurveInt3d>(
      sineKept, QvGeEllipArc3d(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 4, 1));
  const QvGeCurveCurveInt3d copy = *original;
  QvGeCurveCurveInt3d assigned;
  assigned = *original;
  EXPECT_NE(copy.curve1(), original->curve1());
  EXPECT_NE(assigned.curve2(), original->curve2());
  const int found = original->numIntPoints();
  ASSERT_GT(found, 0);
  original.reset();
  EXPECT_EQ(copy.numIntPoints(), found);
  intcheck::expectConsistent(copy, 1e-12);
  intcheck::expectConsistent(assigned, 1e-12);
  EXPECT_EQ(copy.curve2()->type(), QvGe::kEllipArc3d);
}

TEST(QvGeCurveCurveInt3d, TheCurvesGivenMayBeItsOwn) {
  // Exchanging the object's own curves: both copies are made before either is replaced.
  const QvGeNurbCurve3d sine = sineCurve();
  const QvGeCircArc3d arc(QvGePoint3d(0, 1, 0), QvGeVector3d::kZAxis, 2.5);
  QvGeCurveCurveInt3d ints(sine, arc);
  ints.set(*ints.curve2(), *ints.curve1());
  const QvGeCurveCurveInt3d fresh(arc, sine);
  ASSERT_GT(fresh.numIntPoints(), 0);
  expectSameResults(ints, fresh);
  EXPECT_EQ(ints.curve1()->type(), QvGe::kCircArc3d);
  // The same curve on both sides: one curve against itself overlaps everywhere.
  ints.set(*ints.curve1(), *ints.curve1());
  EXPECT_EQ(ints.status(), Vexa::eOk);
  EXPECT_EQ(ints.overlapCount(), 1);
}

TEST(QvGeCurveCurveInt2d, KeepsItsOwnCopiesOfTemporaryCurves) {
  QvGeCurveCurveInt2d ints(QvGeLineSeg2d(QvGePoint2d(0, -2), QvGePoint2d(0, 2)),
                           QvGeCircArc2d(QvGePoint2d(1, 0), QvGePoint2d(0, 1), QvGePoint2d(-1, 0)));
  ASSERT_EQ(ints.numIntPoints(), 1);
  EXPECT_TRUE(ints.intPoint(0).isEqualTo(QvGePoint2d(0, 1)));
  double p1, p2;
  ints.getIntParams(0, p1, p2);
  EXPECT_NEAR(p1, 0.75, 1e-15);
  EXPECT_NEAR(p2, QvGe::kPi / 2, 1e-15);
  EXPECT_TRUE(ints.curve1()->evalPoint(p1).isEqualTo(QvGePoint2d(0, 1)));
  EXPECT_TRUE(ints.curve2()->evalPoint(p2).isEqualTo(QvGePoint2d(0, 1)));

  auto spline = std::make_unique<QvGeNurbCurve2d>(flat(wavePoints(false)));
  ints.set(*spline, QvGeLineSeg2d(QvGePoint2d(-6, 0.5), QvGePoint2d(6, 0.5)));
  spline.reset();
  ASSERT_EQ(ints.status(), Vexa::eOk);
  ASSERT_GT(ints.numIntPoints(), 0);
  for (int i = 0; i < ints.numIntPoints(); ++i) {
    ints.getIntParams(i, p1, p2);
    EXPECT_NEAR(ints.curve1()->evalPoint(p1).y, 0.5, 1e-9);
    EXPECT_LE(ints.curve1()->evalPoint(p1).distanceTo(ints.intPoint(i)), 1e-9);
  }
  const QvGeCurveCurveInt2d copy = ints;
  ints.set(*copy.curve2(), *copy.curve1());
  EXPECT_EQ(ints.numIntPoints(), copy.numIntPoints());
}

TEST(QvGeCurveCurveInt3d, ClosedFormPairsAllocateNothing) {
  const QvGeLineSeg3d seg(QvGePoint3d(-5, 0, 0), QvGePoint3d(5, 1, 0));
  const QvGeLine3d line(QvGePoint3d(0, 0.5, 0), QvGeVector3d::kXAxis);
  const QvGeRay3d ray(QvGePoint3d(0, -3, 0), QvGeVector3d(0.1, 1, 0));
  const QvGeCircArc3d arc(QvGePoint3d(), QvGeVector3d::kZAxis, 3.0);
  const QvGeCircArc3d other(QvGePoint3d(2, 0, 0), QvGeVector3d::kZAxis, 2.0);
  const QvGeEllipArc3d ellipse(QvGePoint3d(), QvGeVector3d::kXAxis, QvGeVector3d::kYAxis, 4, 1);
  const QvGeLineSeg2d seg2(QvGePoint2d(0, -2), QvGePoint2d(0, 2));
  const QvGeCircArc2d arc2(QvGePoint2d(1, 0), QvGePoint2d(0, 1), QvGePoint2d(-1, 0));
  QvGeCurveCurveInt3d ints;
  QvGeCurveCurveInt2d ints2;
  const QvGeCurve3d* pairs[][2] = {{&seg, &arc}, {&line, &ellipse}, {&ray, &seg}, {&arc, &other}};
  int points = 0;
  const long before = gAllocations;
  for (const auto& pair : pairs) {
    ints.set(*pair[0], *pair[1]);
    points += ints.numIntPoints();
  }
  const QvGeCurveCurveInt3d copy = ints;
  points += copy.numIntPoints();
  ints2.set(seg2, arc2);
  points += ints2.numIntPoints();
  const long closedForms = gAllocations - before;
  EXPECT_EQ(closedForms, 0);
  EXPECT_EQ(points, 2 + 2 + 1 + 2 + 2 + 1);
  // A spline is copied to the heap: the count does see allocations.
  ints.set(sineCurve(), seg);
  EXPECT_GT(gAllocations - before, 0);
}

}  // namespace
