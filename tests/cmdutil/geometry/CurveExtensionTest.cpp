// The entity protocol extension of curves, asked through the host's protocol lookup: aligned
// UCS frames and base points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/gi/QvGsView.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

constexpr double kPi = std::numbers::pi;
const QvGeVector3d kX = QvGeVector3d::kXAxis, kY = QvGeVector3d::kYAxis, kZ = QvGeVector3d::kZAxis;

int setSnapAngle(double radians) {
  resbuf value{};
  value.type = kRbReal;
  value.value.real = radians;
  return qvedSetVar(L"SNAPANG", &value);
}

// Looks at the origin from `eye`, z up.
void lookFrom(const QvGePoint3d& eye) {
  ASSERT_EQ(vexaGetActiveQvGsView()->setView(eye, QvGePoint3d::kOrigin, QvGeVector3d::kZAxis),
            Vexa::eOk);
}

using CurveExtension = EntityExtensionTest;

TEST_F(CurveExtension, LineTakesTheEndNearerThePickOnTheDisplay) {
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  const QvGePoint3d nearEnd(9, 0, 0);
  EXPECT_TRUE(alignsTo(line, nearEnd, QvGePoint3d(10, 0, 0), -kX));
  EXPECT_TRUE(alignsTo(line, nullptr, QvGePoint3d::kOrigin, kX, kZ));
  // Halfway keeps the start.
  EXPECT_TRUE(alignsTo(line, QvGePoint3d(5, 3, 0), QvGePoint3d::kOrigin, kX));

  // A pick needs a view; the matrix is then left as it was.
  EXPECT_TRUE(refusesAlign(pe(&line), &line, &nearEnd, nullptr, Vexa::eNotApplicable));
  EXPECT_TRUE(refusesAlign(pe(&line), nullptr, nullptr, nullptr, Vexa::eNotApplicable));
  EXPECT_POINT_NEAR(basePoint(line), QvGePoint3d::kOrigin);
}

TEST_F(CurveExtension, LineEndsAreComparedWhereTheUserSeesThem) {
  // Seen from above, both ends of a vertical line are one display point: the start stays, though
  // the pick is nearer the end in space.
  QvDbLine upright(QvGePoint3d(2, 2, 0), QvGePoint3d(2, 2, 10));
  QvGeMatrix3d ucs;
  const QvGePoint3d high(2, 2, 9);
  ASSERT_EQ(align(upright, &high, ucs), Vexa::eOk);
  EXPECT_POINT_NEAR(frameOf(ucs).origin, QvGePoint3d(2, 2, 0));
  // From the front (looking along +Y, Z up) the end is nearer.
  lookFrom(QvGePoint3d(0, -10, 0));
  EXPECT_TRUE(alignsTo(upright, high, QvGePoint3d(2, 2, 10), -kZ));
}

TEST_F(CurveExtension, LinesOutOfTheirPlaneGiveOrthonormalFrames) {
  // A line rising out of its XY plane: x along it, y square to x and the normal, z leaning back.
  QvDbLine rising(QvGePoint3d(0, 0, 0), QvGePoint3d(3, 0, 4));
  EXPECT_TRUE(alignsTo(rising, nullptr, QvGePoint3d::kOrigin, QvGeVector3d(0.6, 0, 0.8),
                       QvGeVector3d(-0.8, 0, 0.6)));

  // A line along its own normal: x stays on the line, the frame is the plane around it.
  QvDbLine alongNormal(QvGePoint3d(1, 1, 1), QvGePoint3d(1, 1, 6));
  EXPECT_TRUE(alignsTo(alongNormal, nullptr, QvGePoint3d(1, 1, 1), kZ));

  // A line without length: the arbitrary-axis frame of its normal.
  QvDbLine dot(QvGePoint3d(4, 4, 4), QvGePoint3d(4, 4, 4));
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(dot, nullptr, ucs), Vexa::eOk);
  EXPECT_TRUE(ucs.isEqualTo(QvGeMatrix3d::translation(QvGeVector3d(4, 4, 4))));
}

TEST_F(CurveExtension, ArcHasItsOriginAtTheCentre) {
  QvDbArc arc(QvGePoint3d(1, 1, 0), 2.0, 0.0, kPi / 2);
  EXPECT_TRUE(alignsTo(arc, nullptr, QvGePoint3d(1, 1, 0), kX));
  EXPECT_TRUE(alignsTo(arc, QvGePoint3d(1.2, 3.1, 0), QvGePoint3d(1, 1, 0), kY, kZ));
  EXPECT_POINT_NEAR(basePoint(arc), QvGePoint3d(1, 1, 0));
}

TEST_F(CurveExtension, CircleFollowsSnapAngleOrThePickInItsOwnSystem) {
  QvDbCircle flat(QvGePoint3d(5, 5, 2), QvGeVector3d::kZAxis, 3.0);
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(flat, nullptr, ucs), Vexa::eOk);
  EXPECT_TRUE(ucs.isEqualTo(QvGeMatrix3d::translation(QvGeVector3d(5, 5, 2))));

  ASSERT_EQ(setSnapAngle(kPi / 6), kQvNormal);
  EXPECT_TRUE(alignsTo(flat, nullptr, QvGePoint3d(5, 5, 2),
                       QvGeVector3d(std::cos(kPi / 6), std::sin(kPi / 6), 0)));

  // Seen from above, a pick over the circle projects straight down onto its plane.
  EXPECT_TRUE(alignsTo(flat, QvGePoint3d(5, 9, 40), QvGePoint3d(5, 5, 2), kY));

  // Facing down: its own system has x = -X (arbitrary axis of -Z), so snap angle 0 gives -X.
  ASSERT_EQ(setSnapAngle(0.0), kQvNormal);
  QvDbCircle facingDown(QvGePoint3d(0, 0, 0), QvGeVector3d(0, 0, -1), 1.0);
  EXPECT_TRUE(alignsTo(facingDown, nullptr, QvGePoint3d::kOrigin, -kX, -kZ));

  // Its coordinate system; any other entity has the identity.
  QvGeMatrix3d ecs;
  pe(&facingDown)->getEcs(&facingDown, ecs);
  EXPECT_TRUE(isFrame(ecs, QvGePoint3d::kOrigin, -kX, -kZ));
  QvDbLine line(QvGePoint3d(1, 1, 1), QvGePoint3d(2, 2, 2));
  pe(&facingDown)->getEcs(&line, ecs);
  EXPECT_TRUE(ecs.isEqualTo(QvGeMatrix3d::kIdentity));
  pe(&line)->getEcs(&line, ecs);
  EXPECT_TRUE(ecs.isEqualTo(QvGeMatrix3d::kIdentity));
}

TEST_F(CurveExtension, PicksMoveAlongTheViewDirectionOntoThePlane) {
  // Looking down at 45 degrees from the front: the pick (2, -1, 1) reaches the circle's plane at
  // (2, 0, 0), straight ahead of the centre's right; straight down it would land at (2, -1, 0).
  lookFrom(QvGePoint3d(0, -10, 10));
  QvDbCircle circle(QvGePoint3d::kOrigin, QvGeVector3d::kZAxis, 2.0);
  const QvGePoint3d pick(2, -1, 1);
  EXPECT_TRUE(alignsTo(circle, pick, QvGePoint3d::kOrigin, kX, kZ));
  // Looking along the plane the line never meets it: the pick itself serves, its height left
  // out of the axis.
  lookFrom(QvGePoint3d(0, -10, 0));
  EXPECT_TRUE(alignsTo(circle, pick, QvGePoint3d::kOrigin, QvGeVector3d(2, -1, 0).normal()));
}

TEST_F(CurveExtension, EllipseTakesTheProjectedPick) {
  // Standing in the YZ plane, world X (snap angle 0) stands on it: the frame of its plane.
  QvDbEllipse standing(QvGePoint3d(1, 1, 1), QvGeVector3d::kXAxis, QvGeVector3d(0, 0, 3), 0.5);
  QvGeMatrix3d frame;
  ASSERT_EQ(align(standing, nullptr, frame), Vexa::eOk);
  EXPECT_TRUE(isOrthonormal(frame));
  EXPECT_VECTOR_NEAR(frameOf(frame).z, kX);

  QvDbEllipse ellipse(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d(4, 0, 0), 0.5);
  EXPECT_TRUE(alignsTo(ellipse, QvGePoint3d(-3, -3, 7), QvGePoint3d::kOrigin,
                       QvGeVector3d(-1, -1, 0).normal()));
  EXPECT_POINT_NEAR(basePoint(ellipse), QvGePoint3d::kOrigin);
}

TEST_F(CurveExtension, SplineLiesInItsPlane) {
  QvDbSpline flat(QvGePoint3dArray({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}}));
  EXPECT_TRUE(alignsTo(flat, nullptr, QvGePoint3d::kOrigin, QvGeVector3d(1, 1, 0).normal(), kZ));
  EXPECT_TRUE(alignsTo(flat, QvGePoint3d(1.1, 0.9, 0), QvGePoint3d(1, 1, 0),
                       QvGeVector3d(-1, -1, 0).normal()));

  // Standing in the XZ plane: z is that plane's normal, whatever the start tangent.
  QvDbSpline upright(QvGePoint3dArray({{0, 0, 0}, {1, 0, 1}, {2, 0, 0}, {3, 0, 1}}));
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(upright, nullptr, ucs), Vexa::eOk);
  EXPECT_TRUE(isFrame(ucs, QvGePoint3d::kOrigin, QvGeVector3d(1, 0, 1).normal()));
  EXPECT_NEAR(std::fabs(frameOf(ucs).z.y), 1.0, 1e-12);
  EXPECT_POINT_NEAR(basePoint(upright), QvGePoint3d::kOrigin);
  QvGePoint3d base;
  EXPECT_EQ(pe(&upright)->getBasePoint(nullptr, base), Vexa::eInvalidInput);

  // Without fit points nothing is aligned.
  QvGeDoubleArray knots;
  for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0}) knots.append(k);
  QvDbSpline bare(3, false, false, false,
                  QvGePoint3dArray({{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}}), knots,
                  QvGeDoubleArray());
  EXPECT_TRUE(refusesAlign(pe(&bare), &bare, nullptr, nullptr, Vexa::eNotApplicable));
  EXPECT_EQ(pe(&bare)->getBasePoint(&bare, base), Vexa::eNotApplicable);
}

TEST_F(CurveExtension, RayRunsAlongItsDirection) {
  QvDbRay ray(QvGePoint3d(1, 2, 3), QvGeVector3d(0, 0, 5));
  EXPECT_TRUE(alignsTo(ray, nullptr, QvGePoint3d(1, 2, 3), kZ));
  EXPECT_POINT_NEAR(basePoint(ray), QvGePoint3d(1, 2, 3));
  // Xlines have no extension.
  QvDbXline xline(QvGePoint3d(1, 2, 3), QvGeVector3d(0, 0, 5));
  EXPECT_EQ(pe(&xline), nullptr);
}

}  // namespace
