// Every kind of bounded curve entity keeps its queries consistent with each other.
#include <gtest/gtest.h>

#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "tests/support/DbCurveChecks.h"
#include "tests/support/PolylineShapes.h"

namespace {

const QvGeVector3d kTilted = QvGeVector3d(1, -2, 4).normal();

TEST(CurveConsistencyTest, LinesCirclesArcsAndEllipses) {
  dbcurvecheck::consistent(QvDbLine(QvGePoint3d(1, 2, 3), QvGePoint3d(-4, 6, 0.5)));
  dbcurvecheck::consistent(QvDbCircle(QvGePoint3d(1.25, -2.5, 0.75), kTilted, 1.5));
  // Across the zero angle, and far from the origin.
  dbcurvecheck::consistent(QvDbArc(QvGePoint3d(2, 3, -1), QvGeVector3d(0, 0, -1), 2.0, 5.5, 1.0));
  dbcurvecheck::consistent(QvDbArc(QvGePoint3d(1e5, -2e5, 30), kTilted, 40.0, 0.1, 5.9));
  dbcurvecheck::consistent(
      QvDbEllipse(QvGePoint3d(5, 5, 0), kTilted, kTilted.perpVector() * 3.0, 0.4, 0.5, 4.0));
  dbcurvecheck::consistent(
      QvDbEllipse(QvGePoint3d(-1, 0, 2), QvGeVector3d::kZAxis, QvGeVector3d(0, 2, 0), 0.25));
}

TEST(CurveConsistencyTest, FittedAndRationalSplines) {
  const QvGePoint3dArray fit{QvGePoint3d(0, 0, 0), QvGePoint3d(1, 2, 0), QvGePoint3d(3, 1, 0),
                             QvGePoint3d(4, 4, 1)};
  dbcurvecheck::consistent(QvDbSpline(fit, 3, 0.0, QvGeVector3d(1, 0, 0), QvGeVector3d(0, 1, 0)));

  const QvGePoint3dArray control{QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 0),
                                 QvGePoint3d(2, -1, 0.5), QvGePoint3d(3, 0, 0),
                                 QvGePoint3d(5, 2, 1)};
  const QvGeDoubleArray knots{0, 0, 0, 0, 0.4, 1, 1, 1, 1}, weights{1, 0.5, 2, 1, 0.8};
  dbcurvecheck::consistent(QvDbSpline(3, true, false, false, control, knots, weights));
}

TEST(CurveConsistencyTest, PolylinesOfEveryKind) {
  // Arcs both ways round, a straight segment, closed through a bulged closing segment, in a
  // tilted plane above the origin.
  const auto closed =
      lightweightPolyline({{0, 0}, {2, 0}, {2, 2}, {-1, 3}}, {0.5, 0.0, -1.0, 0.3}, true);
  closed->setElevation(1.5);
  closed->setNormal(kTilted);
  dbcurvecheck::consistent(*closed);

  QvDbPolyline open;
  for (unsigned int i = 0; i < 5; ++i)
    open.addVertexAt(i, QvGePoint2d(i * 1.5, i % 2), i == 2 ? 0.7 : 0.0);
  dbcurvecheck::consistent(open);

  QvGePoint3dArray vertices{QvGePoint3d(0, 0, 0), QvGePoint3d(3, 0, 0), QvGePoint3d(3, 3, 0)};
  QvGeDoubleArray bulges{0.0, 0.25, 0.4};
  dbcurvecheck::consistent(QvDb2dPolyline(k2dSimplePoly, vertices, 2.0, true, 0.1, 0.3, &bulges));
  vertices.append(QvGePoint3d(0, 3, 4));
  dbcurvecheck::consistent(QvDb3dPolyline(k3dSimplePoly, vertices, false));
  dbcurvecheck::consistent(QvDb3dPolyline(k3dSimplePoly, vertices, true));
}

}  // namespace
