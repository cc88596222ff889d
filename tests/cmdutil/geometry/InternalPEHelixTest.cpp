// The helix row of the internal extension, through the host's lookup: the helix's own length
// (not its spline's), the curve area, and the setters it does not offer.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbHelix.h"
#include "sdk/db/QvDbLine.h"
#include "tests/cmdutil/geometry/InternalPEFixture.h"

namespace {

class InternalPEHelixTest : public InternalPEFixture {};

TEST_F(InternalPEHelixTest, AnswersTheHelixsLength) {
  QvDbHelix helix;
  const double r = 3.0, turns = 4.5, pitch = 2.0;
  ASSERT_EQ(helix.setHelix(QvGePoint3d(1, 1, 0), QvGePoint3d(1 + r, 1, 0), QvGeVector3d(0, 0, 1), r,
                           turns, pitch),
            Vexa::eOk);
  const double analytic = turns * std::sqrt(std::pow(2 * M_PI * r, 2) + pitch * pitch);
  EXPECT_NEAR(length(helix), analytic, 1e-12 * analytic);
  // The spline's own length differs a little: the row must not take it.
  double splineLength = 0;
  QvGeInterval interval;
  helix.nurbCurve().getInterval(interval);
  ASSERT_EQ(helix.getDistAtParam(interval.upperBound(), splineLength), Vexa::eOk);
  EXPECT_NE(splineLength, analytic);

  // A helix of half a turn with no rise is a half circle: the area with its chord.
  QvDbHelix flat;
  ASSERT_EQ(
      flat.setHelix(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGeVector3d(0, 0, 1), 2, 0.5, 0.0),
      Vexa::eOk);
  // The area is that of the spline, a close approximation (the area row samples curves).
  EXPECT_NEAR(area(flat), M_PI * 2 * 2 / 2, 1e-3);
  EXPECT_NEAR(length(flat), M_PI * 2, 1e-12);

  // No setter: length not offered (1), angle not applicable to a curve (2); unchanged.
  EXPECT_EQ(setLength(helix, 10, QvGePoint3d(1 + r, 1, 0)), Vexa::eNotImplemented);
  EXPECT_EQ(setAngle(helix, 1, QvGePoint3d(1 + r, 1, 0)), Vexa::eNotApplicable);
  EXPECT_NEAR(length(helix), analytic, 1e-12 * analytic);
  angle(helix, Vexa::eNotImplemented);

  // Asked about something that is no helix, or nothing: wrong class.
  QvDbEntityInternalBasePE* ext = pe(helix);
  ASSERT_NE(ext, nullptr);
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  double value = 5;
  EXPECT_EQ(ext->entityLength(&line, value), Vexa::eNotApplicable);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(ext->entityLength(nullptr, value), Vexa::eNotApplicable);
}

}  // namespace
