// Curves, hatches, helixes and sections answer area, length and angle through the
// internal extension; lines and arcs change length or angle at the end nearer the pick.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbHelix.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSection.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Vexa::eInvalidInput, Vexa::eNotApplicable, Vexa::eNotImplemented;

using InternalPECurves = InternalPEFixture;

TEST_F(InternalPECurves, LineLengthMovesOnlyTheEndNearerThePick) {
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
  EXPECT_DOUBLE_EQ(10.0, length(line));
  EXPECT_DOUBLE_EQ(0.0, area(line));
  angle(line, Vexa::eNotImplemented);
  EXPECT_EQ(Vexa::eNotApplicable, setAngle(line, 1.0, QvGePoint3d(9, 0, 0)));

  ASSERT_EQ(Vexa::eOk, setLength(line, 4.0, QvGePoint3d(9, 1, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(0, 0, 0), line.startPoint());
  EXPECT_POINT_NEAR(QvGePoint3d(4, 0, 0), line.endPoint());

  // Near the start the start moves; a pick in the very middle counts as the start.
  line.setEndPoint(QvGePoint3d(10, 0, 0));
  ASSERT_EQ(Vexa::eOk, setLength(line, 4.0, QvGePoint3d(1, 0, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(6, 0, 0), line.startPoint());
  EXPECT_POINT_NEAR(QvGePoint3d(10, 0, 0), line.endPoint());
  ASSERT_EQ(Vexa::eOk, setLength(line, 8.0, QvGePoint3d(8, -3, 0)));  // middle of 6..10
  EXPECT_POINT_NEAR(QvGePoint3d(2, 0, 0), line.startPoint());

  // Lengthening runs on along the line.
  ASSERT_EQ(Vexa::eOk, setLength(line, 20.0, QvGePoint3d(9, 0, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(22, 0, 0), line.endPoint());
}

TEST_F(InternalPECurves, ThePickIsTakenToTheCurveAlongTheViewDirection) {
  // Seen from above, a pick at x = 7 lies over (7, 0, 7), nearer the end; the nearest point
  // in space, (3.5, 0, 3.5), would name the start.
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 10));
  ASSERT_EQ(Vexa::eOk, setLength(line, std::sqrt(2.0) * 5.0, QvGePoint3d(7, 0, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(0, 0, 0), line.startPoint());
  EXPECT_POINT_NEAR(QvGePoint3d(5, 0, 5), line.endPoint());

  // The view looks down the z axis of the UCS: a UCS turned about x by 90 degrees looks
  // along world -y, from which the same pick lies over the start.
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis, QvGeVector3d::kZAxis,
                     -QvGeVector3d::kYAxis);
  ASSERT_EQ(Vexa::eOk, qvedSetCurrentUCS(ucs));
  QvDbLine other(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 10, 0));
  // From above (7, 0, 0) would lie nearest (3.5, 3.5); along y it lies over (7, 7): the end.
  ASSERT_EQ(Vexa::eOk, setLength(other, std::sqrt(2.0), QvGePoint3d(7, 0, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(0, 0, 0), other.startPoint());
  EXPECT_POINT_NEAR(QvGePoint3d(1, 1, 0), other.endPoint());
}

TEST_F(InternalPECurves, BadLengthsAndDegenerateLinesLeaveTheLineAlone) {
  QvDbLine line(QvGePoint3d(1, 2, 3), QvGePoint3d(4, 6, 3));
  for (double bad : {0.0, -2.0, kNaN, kInf, -kInf}) {
    EXPECT_EQ(Vexa::eInvalidInput, setLength(line, bad, QvGePoint3d(4, 6, 3))) << bad;
    EXPECT_POINT_NEAR(QvGePoint3d(1, 2, 3), line.startPoint());
    EXPECT_POINT_NEAR(QvGePoint3d(4, 6, 3), line.endPoint());
  }
  QvDbLine point(QvGePoint3d(1, 1, 0), QvGePoint3d(1, 1, 0));
  EXPECT_DOUBLE_EQ(0.0, length(point));
  EXPECT_EQ(Vexa::eNotApplicable, setLength(point, 5.0, QvGePoint3d(1, 1, 0)));
  EXPECT_POINT_NEAR(QvGePoint3d(1, 1, 0), point.endPoint());

  // Null entities: the queries answer "not applicable" with a zero result.
  QvDbEntityInternalBasePE* ext = pe(line);
  double value = 7.0;
  EXPECT_EQ(Vexa::eNotApplicable, ext->entityLength(nullptr, value));
  EXPECT_EQ(0.0, value);
  EXPECT_EQ(Vexa::eNotApplicable, ext->setEntityLength(nullptr, 1.0, QvGePoint3d()));
}

TEST_F(InternalPECurves, ALineInTheDrawingChangesOnlyWhenOpenForWrite) {
  const QvDbObjectId id =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 10, 0)));
  {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
    ASSERT_EQ(Vexa::eOk, line.openStatus());
    EXPECT_DOUBLE_EQ(10.0, length(*line.object()));
    EXPECT_EQ(Vexa::eNotOpenForWrite, setLength(*line.object(), 5.0, QvGePoint3d(0, 9, 0)));
  }
  {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, line.openStatus());
    EXPECT_EQ(Vexa::eOk, setLength(*line.object(), 5.0, QvGePoint3d(0, 9, 0)));
  }
  QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
  EXPECT_POINT_NEAR(QvGePoint3d(0, 5, 0), line->endPoint());
}

TEST_F(InternalPECurves, ArcAngleAndLengthFromTheEndNearerThePick) {
  const double r = 2.0;
  QvDbArc arc(QvGePoint3d(1, 1, 0), r, 0.0, kPi / 2);
  EXPECT_DOUBLE_EQ(kPi / 2, angle(arc));
  EXPECT_NEAR(r * kPi / 2, length(arc), 1e-12);
  // The circular segment between the arc and its chord.
  EXPECT_NEAR(r * r / 2 * (kPi / 2 - 1.0), area(arc), 1e-12);

  // Near the end, the end angle moves.
  ASSERT_EQ(Vexa::eOk, setAngle(arc, kPi, QvGePoint3d(1.2, 3.1, 0)));
  EXPECT_NEAR(0.0, arc.startAngle(), 1e-12);
  EXPECT_NEAR(kPi, arc.endAngle(), 1e-12);
  // Near the start, the start angle moves: pi / 2 before the end at pi.
  arc.setEndAngle(kPi / 2);
  ASSERT_EQ(Vexa::eOk, setAngle(arc, kPi, QvGePoint3d(3.1, 1.1, 0)));
  EXPECT_NEAR(3 * kPi / 2, arc.startAngle(), 1e-12);
  EXPECT_NEAR(kPi / 2, arc.endAngle(), 1e-12);
  EXPECT_NEAR(kPi, angle(arc), 1e-12);

  // A length is the angle it spans on the radius.
  ASSERT_EQ(Vexa::eOk, setLength(arc, r * kPi / 4, QvGePoint3d(1, 3.2, 0)));
  EXPECT_NEAR(3 * kPi / 2, arc.startAngle(), 1e-12);
  EXPECT_NEAR(7 * kPi / 4, arc.endAngle(), 1e-12);
  EXPECT_NEAR(r * kPi / 4, length(arc), 1e-12);
}

TEST_F(InternalPECurves, ArcAnglesOutsideAnOpenTurnAreRefused) {
  QvDbArc arc(QvGePoint3d(0, 0, 0), 1.0, kPi / 4, kPi / 2);
  for (double bad : {2 * kPi, 3 * kPi, 0.0, -0.5, kNaN, kInf}) {
    EXPECT_EQ(Vexa::eInvalidInput, setAngle(arc, bad, QvGePoint3d(0, 1, 0))) << bad;
    EXPECT_EQ(Vexa::eInvalidInput, setLength(arc, bad, QvGePoint3d(0, 1, 0))) << bad;
    EXPECT_DOUBLE_EQ(kPi / 4, arc.startAngle());
    EXPECT_DOUBLE_EQ(kPi / 2, arc.endAngle());
  }
  QvDbEntityInternalBasePE* ext = pe(arc);
  EXPECT_EQ(Vexa::eInvalidInput, ext->setEntityAngle(nullptr, 1.0, QvGePoint3d()));
  EXPECT_EQ(Vexa::eInvalidInput, ext->setEntityLength(nullptr, 1.0, QvGePoint3d()));
}

TEST_F(InternalPECurves, CircleMeasuresButHasNoEndsToMove) {
  QvDbCircle circle(QvGePoint3d(5, 5, 1), QvGeVector3d(0, 1, 1).normal(), 3.0);
  EXPECT_NEAR(6 * kPi, length(circle), 1e-12);
  EXPECT_NEAR(9 * kPi, area(circle), 1e-12);
  expectAngleRow(circle, eNotImplemented, eNotImplemented, eNotApplicable);
  EXPECT_DOUBLE_EQ(3.0, circle.radius());
}

TEST_F(InternalPECurves, EllipseLengthAreaAndTheAngleOfAnOpenArc) {
  const double a = 5.0, b = 3.0;
  QvDbEllipse whole(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d(a, 0, 0), b / a);
  // The perimeter is 4 a E(e) with the complete elliptic integral of the second kind.
  const double e = std::sqrt(1.0 - (b * b) / (a * a));
  EXPECT_NEAR(4 * a * std::comp_ellint_2(e), length(whole), 1e-8);
  EXPECT_NEAR(kPi * a * b, area(whole), 1e-9);
  angle(whole, Vexa::eInvalidInput);

  QvDbEllipse part(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, QvGeVector3d(a, 0, 0), b / a,
                   3 * kPi / 2, kPi / 2);
  EXPECT_NEAR(kPi, angle(part), 1e-12);  // across the seam
  // The right half: half the perimeter, and half the area (its chord runs through the centre).
  EXPECT_NEAR(2 * a * std::comp_ellint_2(e), length(part), 1e-8);
  EXPECT_NEAR(kPi * a * b / 2, area(part), 1e-9);
  EXPECT_EQ(eNotImplemented, setLength(part, 1.0, QvGePoint3d(a, 0, 0)));
  EXPECT_EQ(eNotApplicable, setAngle(part, 1.0, QvGePoint3d(a, 0, 0)));
}

TEST_F(InternalPECurves, AHelixAnswersItsOwnLength) {
  QvDbHelix helix;
  const double r = 3.0, turns = 4.5, pitch = 2.0;
  ASSERT_EQ(helix.setHelix(QvGePoint3d(1, 1, 0), QvGePoint3d(1 + r, 1, 0), QvGeVector3d(0, 0, 1), r,
                           turns, pitch),
            Vexa::eOk);
  const double analytic = turns * std::sqrt(std::pow(2 * kPi * r, 2) + pitch * pitch);
  EXPECT_NEAR(length(helix), analytic, 1e-12 * analytic);
  // The spline's own length differs a little: the row must not take it.
  double splineLength = 0;
  QvGeInterval interval;
  helix.nurbCurve().getInterval(interval);
  ASSERT_EQ(helix.getDistAtParam(interval.upperBound(), splineLength), Vexa::eOk);
  EXPECT_NE(splineLength, analytic);

  // Half a turn with no rise is a half circle; its area (with the chord) is the spline's, which
  // the area row samples.
  QvDbHelix flat;
  ASSERT_EQ(
      flat.setHelix(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGeVector3d(0, 0, 1), 2, 0.5, 0.0),
      Vexa::eOk);
  EXPECT_NEAR(area(flat), kPi * 2 * 2 / 2, 1e-3);
  EXPECT_NEAR(length(flat), kPi * 2, 1e-12);

  // No setter: length not offered, angle not applicable to a curve; unchanged.
  expectAngleRow(helix, eNotImplemented, eNotImplemented, eNotApplicable);
  EXPECT_NEAR(length(helix), analytic, 1e-12 * analytic);
  // Asked about something that is no helix, or nothing: wrong class.
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  double value = 5;
  EXPECT_EQ(pe(helix)->entityLength(&line, value), eNotApplicable);
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(pe(helix)->entityLength(nullptr, value), eNotApplicable);
}

TEST_F(InternalPECurves, AHatchMeasuresItsFilledAreaAndEveryLoop) {
  auto hatch = solidHatch();
  addEdgeLoop(*hatch, rectangleEdges(0, 0, 10, 6));
  addEdgeLoop(*hatch, circleEdges(QvGePoint2d(5, 3), 2), QvDbHatch::kDefault);
  EXPECT_NEAR(60 - 4 * kPi, area(*hatch), 1e-9);
  EXPECT_NEAR(32 + 4 * kPi, length(*hatch), 1e-9);
  expectAngleRow(*hatch, eNotImplemented, eNotImplemented, eNotImplemented);

  // A polyline loop with a half-circle side, in a tilted plane.
  auto tilted = solidHatch(QvGeVector3d(0, 1, 1).normal(), 2.0);
  addPolylineLoop(*tilted, {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {0.0, 1.0, 0.0, 0.0});
  EXPECT_NEAR(16 + 2 * kPi, area(*tilted), 1e-9);
  EXPECT_NEAR(12 + 2 * kPi, length(*tilted), 1e-9);

  // No boundary: nothing to measure.
  auto empty = solidHatch();
  EXPECT_EQ(0.0, area(*empty, eNotApplicable));
  EXPECT_EQ(0.0, length(*empty, eInvalidInput));
  double value = 1.0;
  EXPECT_EQ(eInvalidInput, pe(*hatch)->entityLength(nullptr, value));
  EXPECT_EQ(eNotApplicable, pe(*hatch)->entityArea(nullptr, value));
}

// Sections have nothing to measure (wrong class) and nothing to set; texts are outside the
// tables.
TEST_F(InternalPECurves, SectionsAndTextsHaveNoAreaLengthOrAngle) {
  QvDbSection section({QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0)}, QvGeVector3d::kZAxis);
  EXPECT_EQ(area(section, eNotApplicable), 0.0);
  EXPECT_EQ(length(section, eNotApplicable), 0.0);
  expectAngleRow(section, eNotImplemented, eNotImplemented, eNotImplemented);
  QvGePoint3d end;
  ASSERT_EQ(section.getVertex(1, end), Vexa::eOk);
  EXPECT_POINT_NEAR(end, QvGePoint3d(4, 0, 0));

  QvDbText text(QvGePoint3d(0, 0, 0), L"label");
  area(text, eNotImplemented);
  length(text, eNotImplemented);
  expectAngleRow(text, eNotImplemented, eNotImplemented, eNotImplemented);
}

}  // namespace
