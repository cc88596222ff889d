// The three polyline kinds change length at the end nearer the pick through the internal
// extension: cut back, run on along a straight end, or round the circle of an end arc.
#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/cmdutil/geometry/GeometryTestSupport.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"
#include "tests/support/PolylineShapes.h"

namespace {

constexpr double kPi = std::numbers::pi;

QvGePoint3d vertex(const QvDbPolyline& pline, unsigned int index) {
  QvGePoint3d p;
  EXPECT_EQ(Vexa::eOk, pline.getPointAt(index, p));
  return p;
}

using InternalPEPolyline = InternalPEFixture;

TEST_F(InternalPEPolyline, AStraightEndRunsOnOrIsCutBack) {
  auto pline = lightweightPolyline({{0, 0}, {6, 0}, {6, 4}});
  EXPECT_DOUBLE_EQ(10.0, length(*pline));
  EXPECT_NEAR(12.0, area(*pline), 1e-12);  // with the closing chord
  angle(*pline, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotApplicable, setAngle(*pline, 1.0, QvGePoint3d(6, 4, 0)));

  // Longer by 2 near the end: the last vertex goes 2 further up.
  ASSERT_EQ(Vexa::eOk, setLength(*pline, 12.0, QvGePoint3d(6.2, 3.8, 0)));
  ASSERT_EQ(3u, pline->numVerts());
  EXPECT_POINT_NEAR(QvGePoint3d(6, 6, 0), vertex(*pline, 2));
  EXPECT_POINT_NEAR(QvGePoint3d(0, 0, 0), vertex(*pline, 0));

  // Shorter to 5 near the end: what is left of the first segment.
  ASSERT_EQ(Vexa::eOk, setLength(*pline, 5.0, QvGePoint3d(6, 5, 0)));
  ASSERT_EQ(2u, pline->numVerts());
  EXPECT_POINT_NEAR(QvGePoint3d(5, 0, 0), vertex(*pline, 1));

  // Near the start: the start runs back, then is cut back past the corner of another one.
  ASSERT_EQ(Vexa::eOk, setLength(*pline, 8.0, QvGePoint3d(0.5, 0.5, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(-3, 0, 0), vertex(*pline, 0));
  auto bent = lightweightPolyline({{0, 0}, {6, 0}, {6, 4}});
  ASSERT_EQ(Vexa::eOk, setLength(*bent, 3.0, QvGePoint3d(0, 0.2, 0)));
  ASSERT_EQ(2u, bent->numVerts());
  EXPECT_POINT_NEAR(QvGePoint3d(6, 1, 0), vertex(*bent, 0));
  EXPECT_POINT_NEAR(QvGePoint3d(6, 4, 0), vertex(*bent, 1));
  EXPECT_DOUBLE_EQ(3.0, length(*bent));
}

TEST_F(InternalPEPolyline, AnEndArcGrowsRoundItsCircleButNeverCloses) {
  // A half circle of radius 2 about (4, 2) after a straight run of 4.
  auto pline = lightweightPolyline({{0, 0}, {4, 0}, {4, 4}}, {0.0, 1.0, 0.0});
  const double full = 4 + 2 * kPi;
  EXPECT_NEAR(full, length(*pline), 1e-12);

  // A quarter turn more: the end goes round to (2, 2).
  ASSERT_EQ(Vexa::eOk, setLength(*pline, full + kPi, QvGePoint3d(4, 4.1, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(2, 2, 0), endsOf(*pline).end, 1e-9);
  EXPECT_NEAR(full + kPi, length(*pline), 1e-9);

  // What is left of the circle is a quarter turn (pi long): as long or longer is refused, as
  // are whole turns, and nothing changes.
  for (double more : {kPi, kPi + 0.5, 4 * kPi + 0.5}) {
    EXPECT_EQ(Vexa::eInvalidInput, setLength(*pline, full + kPi + more, QvGePoint3d(2, 2.1, 0)))
        << more;
    EXPECT_POINT_NEAR(QvGePoint3d(2, 2, 0), endsOf(*pline).end, 1e-9);
    EXPECT_NEAR(full + kPi, length(*pline), 1e-9);
  }
  // Cut back into the arc: the end lands on the circle at the length asked.
  ASSERT_EQ(Vexa::eOk, setLength(*pline, 4 + kPi, QvGePoint3d(2, 2, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(6, 2, 0), endsOf(*pline).end, 1e-9);
}

TEST_F(InternalPEPolyline, ClosedPolylinesAndBadLengthsAreRefused) {
  auto square = lightweightPolyline({{0, 0}, {5, 0}, {5, 5}, {0, 5}}, {}, true);
  EXPECT_DOUBLE_EQ(20.0, length(*square));
  EXPECT_DOUBLE_EQ(25.0, area(*square));
  for (double newLength : {10.0, 30.0}) {
    EXPECT_EQ(Vexa::eInvalidInput, setLength(*square, newLength, QvGePoint3d(5, 5, 0)));
    EXPECT_EQ(4u, square->numVerts());
  }
  auto open = lightweightPolyline({{0, 0}, {5, 0}});
  for (double bad : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(Vexa::eInvalidInput, setLength(*open, bad, QvGePoint3d(5, 0, 0))) << bad;
    EXPECT_POINT_NEAR(QvGePoint3d(5, 0, 0), vertex(*open, 1));
  }
  // One vertex: nothing to measure along.
  auto dot = lightweightPolyline({{1, 1}});
  EXPECT_EQ(Vexa::eInvalidInput, setLength(*dot, 3.0, QvGePoint3d(1, 1, 0)));
  EXPECT_EQ(1u, dot->numVerts());
  // Another class handed to a polyline's extension.
  QvDb3dPolyline other(k3dSimplePoly, QvGePoint3dArray());
  EXPECT_EQ(Vexa::eInvalidInput, pe(*open)->setEntityLength(&other, 1.0, QvGePoint3d()));
  EXPECT_EQ(Vexa::eInvalidInput, pe(*open)->setEntityLength(nullptr, 1.0, QvGePoint3d()));
}

TEST_F(InternalPEPolyline, APolylineInAnotherPlaneRunsOnInItsPlane) {
  // In the plane x = 3 (normal along world x), seen from the front.
  auto pline = lightweightPolyline({{0, 0}, {4, 0}, {4, 3}});
  pline->setNormal(QvGeVector3d::kXAxis);
  pline->setElevation(3.0);
  const QvGePoint3d last = vertex(*pline, 2), before = vertex(*pline, 1);
  const QvGeVector3d run = (last - before).normal();
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(QvGePoint3d::kOrigin, QvGeVector3d::kYAxis, QvGeVector3d::kZAxis,
                     QvGeVector3d::kXAxis);
  ASSERT_EQ(Vexa::eOk, qvedSetCurrentUCS(ucs));
  ASSERT_EQ(Vexa::eOk, setLength(*pline, 9.0, last));
  EXPECT_POINT_NEAR(last + run * 2.0, vertex(*pline, 2), 1e-9);
  EXPECT_POINT_NEAR(before, vertex(*pline, 1), 1e-9);
}

TEST_F(InternalPEPolyline, A2dPolylineInTheDrawingKeepsItsVerticesInOrder) {
  const QvDbObjectId id = appendToModelSpace(
      db(), new QvDb2dPolyline(k2dSimplePoly, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}}));
  {
    QvDbObjectPointer<QvDb2dPolyline> pline(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, pline.openStatus());
    EXPECT_DOUBLE_EQ(20.0, length(*pline.object()));
    // Cut back at the end to 15, then run the start back by 5.
    ASSERT_EQ(Vexa::eOk, setLength(*pline.object(), 15.0, QvGePoint3d(10, 9, 0)));
    ASSERT_EQ(Vexa::eOk, setLength(*pline.object(), 20.0, QvGePoint3d(1, 0, 0)));
  }
  QvDbObjectPointer<QvDb2dPolyline> pline(id, QvDb::kForRead);
  ASSERT_EQ(Vexa::eOk, pline.openStatus());
  EXPECT_EQ(3, pline->numVertices());
  EXPECT_POINT_NEAR(QvGePoint3d(-5, 0, 0), endsOf(*pline.object()).start);
  EXPECT_POINT_NEAR(QvGePoint3d(10, 5, 0), endsOf(*pline.object()).end);
  EXPECT_DOUBLE_EQ(20.0, length(*pline.object()));
}

TEST_F(InternalPEPolyline, A3dPolylineIsCutInSpaceAndRunsOnAlongItsFirstSegment) {
  const QvDbObjectId id = appendToModelSpace(
      db(), new QvDb3dPolyline(k3dSimplePoly, {{0, 0, 0}, {3, 4, 0}, {3, 16, 5}}));
  QvDbObjectPointer<QvDb3dPolyline> pline(id, QvDb::kForWrite);
  ASSERT_EQ(Vexa::eOk, pline.openStatus());
  EXPECT_DOUBLE_EQ(18.0, length(*pline.object()));

  // Cut to 10 from the end: 5 along the rising segment.
  ASSERT_EQ(Vexa::eOk, setLength(*pline.object(), 10.0, QvGePoint3d(3, 15.9, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(3, 4 + 60.0 / 13, 25.0 / 13), endsOf(*pline.object()).end, 1e-9);
  // 5 more at the start, back along the first segment.
  ASSERT_EQ(Vexa::eOk, setLength(*pline.object(), 15.0, QvGePoint3d(0.1, 0.2, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(-3, -4, 0), endsOf(*pline.object()).start, 1e-9);
  EXPECT_EQ(3, pline->numVertices());
  // Closed: refused.
  ASSERT_EQ(Vexa::eOk, pline->setClosed(true));
  EXPECT_EQ(Vexa::eInvalidInput, setLength(*pline.object(), 40.0, QvGePoint3d(0, 0, 0)));
}

}  // namespace
