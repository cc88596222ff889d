// Helices: the data, the spline that follows them, their length and transforms.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "sdk/db/QvDbHelix.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using Vexa::eInvalidInput;
using Vexa::eOk;

// The helix written out for the test: round the z axis through (cx, cy), from radius r0 at
// height z0 to r1, `turns` turns rising `rise` each, counterclockwise.
struct ZHelix {
  double cx = 0, cy = 0, z0 = 0, r0 = 1, r1 = 1, turns = 1, rise = 1;
  QvGePoint3d at(double t) const {  // t from 0 to 1
    const double a = 2 * M_PI * turns * t;
    const double r = r0 + (r1 - r0) * t;
    return {cx + r * std::cos(a), cy + r * std::sin(a), z0 + rise * turns * t};
  }
  // The sum of many chords: converges to the length without any closed form.
  double chordLength(int n = 400000) const {
    double sum = 0;
    QvGePoint3d prev = at(0);
    for (int i = 1; i <= n; ++i) {
      const QvGePoint3d p = at(static_cast<double>(i) / n);
      sum += prev.distanceTo(p);
      prev = p;
    }
    return sum;
  }
};

Vexa::ErrorStatus make(QvDbHelix& helix, const ZHelix& h, bool ccw = true) {
  return helix.setHelix(QvGePoint3d(h.cx, h.cy, h.z0), QvGePoint3d(h.cx + h.r0, h.cy, h.z0),
                        QvGeVector3d(0, 0, 2), h.r1, h.turns, h.rise, ccw);
}

double helixLength(const QvDbHelix& helix) {
  double length = -1;
  EXPECT_EQ(helix.getLength(length), eOk);
  return length;
}

TEST(HelixTest, LengthIsTheHelixsOwnCylindricalAndConical) {
  // Cylindrical: turns * sqrt((2 pi r)^2 + rise^2).
  const ZHelix cyl{.r0 = 2.5, .r1 = 2.5, .turns = 3.25, .rise = 1.5};
  QvDbHelix helix;
  ASSERT_EQ(make(helix, cyl), eOk);
  const double analytic = 3.25 * std::sqrt(std::pow(2 * M_PI * 2.5, 2) + 1.5 * 1.5);
  EXPECT_NEAR(helixLength(helix), analytic, 1e-12 * analytic);
  EXPECT_DOUBLE_EQ(helix.height(), 3.25 * 1.5);
  EXPECT_DOUBLE_EQ(helix.baseRadius(), 2.5);

  // Conical, widening and narrowing, and a flat spiral: against the chord sums.
  for (const auto& [r0, r1, rise] :
       {std::tuple{1.0, 4.0, 2.0}, std::tuple{5.0, 0.0, 0.7}, std::tuple{0.5, 3.0, 0.0}}) {
    const ZHelix cone{.r0 = r0, .r1 = r1, .turns = 2.5, .rise = rise};
    QvDbHelix conical;
    ASSERT_EQ(make(conical, cone), eOk);
    const double expected = cone.chordLength();
    EXPECT_NEAR(helixLength(conical), expected, 1e-8 * expected) << r0 << " " << r1;
  }
}

TEST(HelixTest, TheSplineFollowsTheHelix) {
  const ZHelix h{.cx = 10, .cy = -4, .z0 = 3, .r0 = 2, .r1 = 3, .turns = 1.6, .rise = 4};
  for (const bool ccw : {true, false}) {
    QvDbHelix helix;
    ASSERT_EQ(make(helix, h, ccw), eOk);
    const QvGeNurbCurve3d& curve = helix.nurbCurve();
    QvGeInterval interval;
    curve.getInterval(interval);
    EXPECT_NEAR(interval.upperBound(), 2 * M_PI * 1.6, 1e-12);
    const CurveEnds ends = endsOf(helix);
    EXPECT_POINT_NEAR(ends.start, h.at(0), 1e-12);
    const QvGePoint3d last = h.at(1);
    // A clockwise helix ends at the mirror image of the counterclockwise end (about y = cy).
    EXPECT_POINT_NEAR(ends.end, ccw ? last : QvGePoint3d(last.x, 2 * h.cy - last.y, last.z), 1e-9);
    // Every point of the spline is near the helix: the angle round the axis at which it
    // stands (unwrapped near its parameter) gives the helix's point there.
    for (int i = 0; i <= 200; ++i) {
      const double a = interval.lowerBound() + interval.length() * i / 200.0;
      const QvGePoint3d p = curve.evalPoint(a);
      double turned = std::atan2(ccw ? p.y - h.cy : h.cy - p.y, p.x - h.cx);
      turned += 2 * M_PI * std::round((a - turned) / (2 * M_PI));
      QvGePoint3d q = h.at(turned / interval.upperBound());
      if (!ccw) q.y = 2 * h.cy - q.y;
      EXPECT_LT(p.distanceTo(q), 1e-4 * h.r1) << a;
    }
    // The spline's own length is close to the helix's.
    double splineLength = 0;
    ASSERT_EQ(helix.getDistAtParam(interval.upperBound(), splineLength), eOk);
    EXPECT_NEAR(splineLength, helixLength(helix), 1e-4 * splineLength);
  }
}

TEST(HelixTest, RefusesWhatMakesNoHelixAndKeepsItsData) {
  QvDbHelix helix;
  ASSERT_EQ(make(helix, {.r0 = 2, .r1 = 2, .turns = 2}), eOk);
  const double nan = std::nan("");
  // Start point, axis, top radius, turns and rise: a zero axis, a start on the axis, no turns,
  // turns backwards, a negative radius, values that are not finite, too many turns.
  const struct {
    QvGePoint3d start;
    QvGeVector3d axis;
    double radius, turns, rise;
  } refused[] = {{{1, 0, 0}, {0, 0, 0}, 1, 1, 1},        {{0, 0, 5}, {0, 0, 1}, 1, 1, 1},
                 {{1, 0, 0}, {0, 0, 1}, 1, 0, 1},        {{1, 0, 0}, {0, 0, 1}, 1, -2, 1},
                 {{1, 0, 0}, {0, 0, 1}, -1, 1, 1},       {{1, 0, 0}, {0, 0, 1}, 1, nan, 1},
                 {{1, 0, 0}, {0, 0, 1}, 1, 1, INFINITY}, {{nan, 0, 0}, {0, 0, 1}, 1, 1, 1},
                 {{1, 0, 0}, {0, 0, 1}, 1, 1e9, 1}};
  for (const auto& r : refused)
    EXPECT_EQ(helix.setHelix(QvGePoint3d(0, 0, 0), r.start, r.axis, r.radius, r.turns, r.rise),
              eInvalidInput)
        << r.radius << " " << r.turns << " " << r.rise;
  EXPECT_DOUBLE_EQ(helix.turns(), 2);
  EXPECT_DOUBLE_EQ(helix.topRadius(), 2);
  EXPECT_EQ(helix.setConstrain(static_cast<QvDbHelix::ConstrainType>(7)), eInvalidInput);
  EXPECT_EQ(helix.constrain(), QvDbHelix::kTurns);
}

TEST(HelixTest, TransformsMoveTheDataWithTheSpline) {
  const ZHelix h{.r0 = 1, .r1 = 2, .turns = 1.5, .rise = 2};
  QvDbHelix helix;
  ASSERT_EQ(make(helix, h), eOk);
  const double length = helixLength(helix);

  // Turned and moved, then scaled by 2: the length doubles, the data follow the spline.
  QvGeMatrix3d move = QvGeMatrix3d::translation(QvGeVector3d(5, 6, 7)) *
                      QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, 1, 0), QvGePoint3d::kOrigin);
  ASSERT_EQ(helix.transformBy(move), eOk);
  ASSERT_EQ(helix.transformBy(QvGeMatrix3d::scaling(2.0, QvGePoint3d(5, 6, 7))), eOk);
  EXPECT_NEAR(helixLength(helix), 2 * length, 1e-9 * length);
  EXPECT_NEAR(helix.topRadius(), 4, 1e-12);
  EXPECT_NEAR(helix.baseRadius(), 2, 1e-12);
  EXPECT_NEAR(helix.turnHeight(), 4, 1e-12);
  EXPECT_POINT_NEAR(endsOf(helix).start, helix.startPoint(), 1e-9);
  // The spline ends where a helix made afresh from the data ends.
  const auto endsWhereItsDataSay = [&] {
    QvDbHelix remade;
    ASSERT_EQ(
        remade.setHelix(helix.axisPoint(), helix.startPoint(), helix.axisVector(),
                        helix.topRadius(), helix.turns(), helix.turnHeight(), helix.twistCcw()),
        eOk);
    EXPECT_POINT_NEAR(endsOf(helix).end, endsOf(remade).end, 1e-9);
  };
  endsWhereItsDataSay();

  // A mirror turns the twist round and keeps the end where the mirrored spline has it.
  ASSERT_EQ(helix.transformBy(
                QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d::kOrigin, QvGeVector3d(0, 1, 0)))),
            eOk);
  EXPECT_FALSE(helix.twistCcw());
  endsWhereItsDataSay();

  // Non-uniform scaling would make it no helix: refused, unchanged.
  QvGeMatrix3d squash;
  squash.setToScaling(1.0);
  squash(0, 0) = 3.0;
  EXPECT_EQ(helix.transformBy(squash), Vexa::eNotApplicable);
  EXPECT_NEAR(helixLength(helix), 2 * length, 1e-9 * length);
}

}  // namespace
