// Angular, arc, radial, diametric and ordinate dimensions: measurements and blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/DimensionBlockContents.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-9;

QvGePoint3d polar(const QvGePoint3d& center, double radius, double angle) {
  return center + QvGeVector3d(std::cos(angle), std::sin(angle), 0) * radius;
}

template <class Dimension>
double measured(QvDbObjectId id) {
  QvDbObjectPointer<Dimension> dimension(id, QvDb::kForRead);
  EXPECT_EQ(eOk, dimension.openStatus());
  return dimension ? dimension->measurement() : -1.0;
}

using QvDbDimensionKindsTest = DimensionTest;

}  // namespace

// The arc point chooses the side: the quarter between the rays, or the three quarters round.
TEST_F(QvDbDimensionKindsTest, AThreePointAngleIsMeasuredOnTheSideOfTheArcPoint) {
  const QvGePoint3d c(2, 1, 0);
  QvDb3PointAngularDimension dim(c, c + QvGeVector3d(3, 0, 0), c + QvGeVector3d(0, 5, 0),
                                 c + QvGeVector3d(1, 1, 0));
  EXPECT_NEAR(kPi / 2, dim.measurement(), kTol);
  dim.setArcPoint(c + QvGeVector3d(-1, -1, 0));
  EXPECT_NEAR(3 * kPi / 2, dim.measurement(), kTol);
  // 30 degrees from 10 to 40, the arc point between them; a ray of no length measures nothing.
  QvDb3PointAngularDimension thirty(c, polar(c, 2, kPi / 18), polar(c, 7, 4 * kPi / 18),
                                    polar(c, 4, kPi / 6));
  EXPECT_NEAR(kPi / 6, thirty.measurement(), kTol);
  thirty.setXLine1Point(c);
  EXPECT_EQ(0.0, thirty.measurement());
}

// Lines along x and along the diagonal through (1,1): the four angles they make, by the arc
// point in each, are 45, 135, 45 and 135 degrees. The vertex is where the lines meet, not a
// point of either segment.
TEST_F(QvDbDimensionKindsTest, TwoLinesAreMeasuredInTheQuarterOfTheArcPoint) {
  QvDb2LineAngularDimension dim(QvGePoint3d(2, 0, 0), QvGePoint3d(6, 0, 0), QvGePoint3d(1, 1, 0),
                                QvGePoint3d(3, 3, 0), QvGePoint3d(4, 1, 0));
  EXPECT_NEAR(kPi / 4, dim.measurement(), kTol);
  const struct {
    QvGePoint3d arcPoint;
    double angle;
  } quarters[] = {{{-1, 2, 0}, 3 * kPi / 4}, {{-3, -1, 0}, kPi / 4}, {{1, -4, 0}, 3 * kPi / 4}};
  for (const auto& q : quarters) {
    dim.setArcPoint(q.arcPoint);
    EXPECT_NEAR(q.angle, dim.measurement(), kTol) << q.arcPoint.x << "," << q.arcPoint.y;
  }
  // Parallel lines make no angle.
  dim.setXLine2Start(QvGePoint3d(0, 2, 0));
  dim.setXLine2End(QvGePoint3d(5, 2, 0));
  EXPECT_EQ(0.0, dim.measurement());
}

TEST_F(QvDbDimensionKindsTest, RadiiDiametersArcLengthsAndOrdinatesAreMeasuredByHand) {
  const QvGePoint3d c(1, -2, 0.5);
  QvDbRadialDimension radial(c, c + QvGeVector3d(3, 4, 0), 1.0);
  EXPECT_NEAR(5.0, radial.measurement(), kTol);
  QvDbDiametricDimension diametric(c + QvGeVector3d(-3, 4, 0), c + QvGeVector3d(3, -4, 0), 0.0);
  EXPECT_NEAR(10.0, diametric.measurement(), kTol);
  QvDbRadialDimensionLarge large(c, c + QvGeVector3d(0, 12, 0), c + QvGeVector3d(1, 2, 0),
                                 c + QvGeVector3d(1, 5, 0), kPi / 4);
  EXPECT_NEAR(12.0, large.measurement(), kTol);

  // An arc of radius 2 from 0 to 90 degrees is pi long; the other side is three times that.
  QvDbArcDimension arc(c, polar(c, 2, 0), polar(c, 2, kPi / 2), polar(c, 3, kPi / 4));
  EXPECT_NEAR(kPi, arc.measurement(), kTol);
  arc.setArcPoint(polar(c, 3, kPi));
  EXPECT_NEAR(3 * kPi, arc.measurement(), kTol);

  // (4,6) from (1,1): 3 along x, 5 along y. In the plane turned over (normal -z) the x axis is
  // -x: the distance stays 3.
  QvDbOrdinateDimension ordinate(true, QvGePoint3d(4, 6, 0), QvGePoint3d(4, 9, 0));
  ordinate.setOrigin(QvGePoint3d(1, 1, 0));
  EXPECT_NEAR(3.0, ordinate.measurement(), kTol);
  EXPECT_TRUE(ordinate.isUsingXAxis());
  ordinate.useYAxis();
  EXPECT_NEAR(5.0, ordinate.measurement(), kTol);
  ordinate.useXAxis();
  ordinate.setNormal(-QvGeVector3d::kZAxis);
  EXPECT_NEAR(3.0, ordinate.measurement(), kTol);
  // The user's x axis turned a quarter (horizontal rotation -pi/2): x now measures along y.
  ordinate.setNormal(QvGeVector3d::kZAxis);
  ordinate.setHorizontalRotation(-kPi / 2);
  EXPECT_NEAR(5.0, ordinate.measurement(), kTol);
}

TEST_F(QvDbDimensionKindsTest, SettersRefuseValuesThatAreNoLengthOrAngle) {
  QvDbRadialDimension radial(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), 1.5);
  EXPECT_EQ(Vexa::eInvalidInput, radial.setLeaderLength(-1.0));
  EXPECT_EQ(Vexa::eInvalidInput, radial.setLeaderLength(std::nan("")));
  EXPECT_EQ(1.5, radial.leaderLength());
  QvDbRadialDimensionLarge large;
  EXPECT_EQ(Vexa::eInvalidInput, large.setJogAngle(INFINITY));
  EXPECT_NEAR(kPi / 4, large.jogAngle(), kTol);
}

// The block of a three-point angle: the arc through the arc point, arrowheads at its ends, an
// extension line from each measured point out to the arc, and the angle in degrees.
TEST_F(QvDbDimensionKindsTest, AnAngularBlockDrawsTheArcItsArrowsAndTheDegrees) {
  const QvGePoint3d c(0, 0, 0);
  const QvDbObjectId id = append(new QvDb3PointAngularDimension(
      c, QvGePoint3d(2, 0, 0), QvGePoint3d(0, 2, 0), QvGePoint3d(3, 3, 0)));
  const BlockContents drawn = drawnIn(id);
  const double r = std::sqrt(18.0);
  ASSERT_EQ(1u, drawn.arcs.size());
  EXPECT_NEAR(r, drawn.arcs[0].radius, kTol);
  EXPECT_TRUE(drawn.arcs[0].center.isEqualTo(c));
  EXPECT_TRUE(drawn.arrowAt(QvGePoint3d(r, 0, 0)) != nullptr);
  EXPECT_TRUE(drawn.arrowAt(QvGePoint3d(0, r, 0)) != nullptr);
  ASSERT_EQ(2u, drawn.lines.size());
  for (const auto& line : drawn.lines) {  // radial, beyond the measured points
    EXPECT_NEAR(0.0,
                line.startPoint().x * line.endPoint().y - line.startPoint().y * line.endPoint().x,
                kTol);
    EXPECT_GT(line.endPoint().distanceTo(c), r);
  }
  ASSERT_EQ(1u, drawn.texts.size());
  EXPECT_EQ(L"90\u00B0", drawn.texts[0]);
  // Outside the middle of the arc.
  EXPECT_NEAR(kPi / 4, std::atan2(drawn.textLocations[0].y, drawn.textLocations[0].x), kTol);
  EXPECT_GT(drawn.textLocations[0].distanceTo(c), r);
}

// Two lines whose segments reach past the arc need no extension lines; one that stops short of
// it gets one from its nearer end.
TEST_F(QvDbDimensionKindsTest, TwoLineExtensionLinesJoinOnlySegmentsThatStopShortOfTheArc) {
  const QvDbObjectId id = append(new QvDb2LineAngularDimension(
      QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0), QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2, 0),
      QvGePoint3d(3, 3, 0)));
  const BlockContents drawn = drawnIn(id);
  const double r = std::sqrt(18.0);
  ASSERT_EQ(1u, drawn.arcs.size());
  EXPECT_NEAR(r, drawn.arcs[0].radius, kTol);
  ASSERT_EQ(1u, drawn.lines.size());  // along y, from near (0,2) out past the arc
  EXPECT_NEAR(0.0, drawn.lines[0].startPoint().x, kTol);
  EXPECT_GT(drawn.lines[0].startPoint().y, 2.0);
  EXPECT_GT(drawn.lines[0].endPoint().y, r);
  EXPECT_EQ(L"90\u00B0", drawn.texts.at(0));
}

TEST_F(QvDbDimensionKindsTest, RadialDiametricAndArcBlocksShowTheirSigns) {
  const QvGePoint3d c(5, 5, 0);
  const QvDbObjectId radial = append(new QvDbRadialDimension(c, c + QvGeVector3d(3, 4, 0), 2.0));
  BlockContents drawn = drawnIn(radial);
  EXPECT_EQ(L"R5", drawn.texts.at(0));
  ASSERT_EQ(1u, drawn.arrows.size());
  EXPECT_TRUE(drawn.arrowAt(c + QvGeVector3d(3, 4, 0)) != nullptr);
  ASSERT_EQ(1u, drawn.lines.size());  // from the center to the leader's end, 2 past the chord
  EXPECT_TRUE(drawn.lines[0].startPoint().isEqualTo(c));
  EXPECT_TRUE(drawn.lines[0].endPoint().isEqualTo(c + QvGeVector3d(4.2, 5.6, 0)));

  const QvDbObjectId diametric = append(
      new QvDbDiametricDimension(c + QvGeVector3d(0, 2.5, 0), c - QvGeVector3d(0, 2.5, 0), 0.0));
  drawn = drawnIn(diametric);
  EXPECT_EQ(L"\u23005", drawn.texts.at(0));
  EXPECT_TRUE(drawn.arrowAt(c + QvGeVector3d(0, 2.5, 0)) != nullptr);
  EXPECT_TRUE(drawn.arrowAt(c - QvGeVector3d(0, 2.5, 0)) != nullptr);

  const QvDbObjectId arc =
      append(new QvDbArcDimension(c, polar(c, 1, 0), polar(c, 1, kPi / 2), polar(c, 1.5, kPi / 4)));
  drawn = drawnIn(arc);
  EXPECT_EQ(L"\u23121.5708", drawn.texts.at(0));
  ASSERT_EQ(1u, drawn.arcs.size());
  EXPECT_NEAR(1.5, drawn.arcs[0].radius, kTol);
  EXPECT_EQ(2u, drawn.lines.size());  // the arc's ends out to the dimension arc
}

// A jogged radius: from the chord point towards the center as far as the jog's foot, the jog,
// on to the center shown; the arrow at the chord point.
TEST_F(QvDbDimensionKindsTest, ALargeRadialBlockJogsToTheCenterItShows) {
  const QvGePoint3d center(0, -100, 0), chord(0, 20, 0), shown(4, 2, 0), jog(2, 8, 0);
  const QvDbObjectId id = append(new QvDbRadialDimensionLarge(center, chord, shown, jog, kPi / 4));
  const BlockContents drawn = drawnIn(id);
  EXPECT_EQ(L"R120", drawn.texts.at(0));
  EXPECT_TRUE(drawn.arrowAt(chord) != nullptr);
  EXPECT_TRUE(drawn.hasLineFromTowards(chord, center));
  EXPECT_TRUE(drawn.hasLineFromTowards(QvGePoint3d(0, 8, 0), jog));
  EXPECT_TRUE(drawn.hasLineFromTowards(jog, shown));
}

// An x ordinate: the leader runs along y from the defining point and jogs to the leader's end;
// the text follows the end.
TEST_F(QvDbDimensionKindsTest, AnOrdinateBlockLeadsFromTheFeatureToTheText) {
  auto* ordinate = new QvDbOrdinateDimension(true, QvGePoint3d(7.5, 2, 0), QvGePoint3d(8, 6, 0));
  ordinate->setOrigin(QvGePoint3d(1, 1, 0));
  const QvDbObjectId id = append(ordinate);
  const BlockContents drawn = drawnIn(id);
  EXPECT_EQ(L"6.5", drawn.texts.at(0));
  ASSERT_EQ(2u, drawn.lines.size());
  EXPECT_NEAR(7.5, drawn.lines[0].startPoint().x, kTol);
  EXPECT_NEAR(7.5, drawn.lines[0].endPoint().x, kTol);
  EXPECT_TRUE(drawn.lines[1].endPoint().isEqualTo(QvGePoint3d(8, 6, 0)));
  EXPECT_GT(drawn.textLocations.at(0).y, 6.0);
  EXPECT_TRUE(drawn.arrows.empty());
}

// Moved, turned and scaled, each kind keeps its angle and scales its lengths; the block follows.
TEST_F(QvDbDimensionKindsTest, TransformedDimensionsCarryTheirDefinitionPoints) {
  const QvGeMatrix3d xform = QvGeMatrix3d::translation(QvGeVector3d(3, -1, 2)) *
                             QvGeMatrix3d::rotation(0.7, QvGeVector3d(1, 2, 3)) *
                             QvGeMatrix3d::scaling(2.0);
  const QvGePoint3d c(1, 1, 0);
  const QvDbObjectId angular = append(
      new QvDb3PointAngularDimension(c, polar(c, 2, 0.2), polar(c, 3, 1.2), polar(c, 2, 0.5)));
  const QvDbObjectId radial = append(new QvDbRadialDimension(c, polar(c, 2.5, 1), 1.0));
  const QvDbObjectId arc =
      append(new QvDbArcDimension(c, polar(c, 2, 0), polar(c, 2, 1), polar(c, 3, 0.5)));
  for (const QvDbObjectId& id : {angular, radial, arc}) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
    ASSERT_EQ(eOk, entity->transformBy(xform));
  }
  EXPECT_NEAR(1.0, measured<QvDb3PointAngularDimension>(angular), kTol);
  EXPECT_NEAR(5.0, measured<QvDbRadialDimension>(radial), kTol);
  EXPECT_NEAR(4.0, measured<QvDbArcDimension>(arc), kTol);
  {
    QvDbObjectPointer<QvDbRadialDimension> moved(radial, QvDb::kForRead);
    EXPECT_NEAR(2.0, moved->leaderLength(), kTol);
    QvGePoint3d center = c;
    EXPECT_TRUE(moved->center().isEqualTo(center.transformBy(xform)));
  }
  EXPECT_EQ(L"R5", drawnIn(radial).texts.at(0));
  EXPECT_EQ(L"\u23124", drawnIn(arc).texts.at(0));
}

// Out of a drawing there is no block: the dimension draws what the block would hold.
TEST_F(QvDbDimensionKindsTest, ADimensionOutOfADrawingDrawsItself) {
  QvDb3PointAngularDimension angular(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0),
                                     QvGePoint3d(0, 2, 0), QvGePoint3d(3, 3, 0));
  expectDrawing(&angular, 2, 2, 1, L"90\u00B0");
}

// The leader of an arc dimension counts in its extents only while it has one; it moves with the
// dimension.
TEST_F(QvDbDimensionKindsTest, AnArcDimensionsLeaderCountsOnlyWhenItHasOne) {
  QvDbArcDimension arc(QvGePoint3d(10, 10, 0), QvGePoint3d(12, 10, 0), QvGePoint3d(10, 12, 0),
                       QvGePoint3d(13, 13, 0));
  ASSERT_EQ(eOk, arc.setTextPosition(QvGePoint3d(14, 14, 0)));
  QvDbExtents extents;
  ASSERT_EQ(eOk, arc.getGeomExtents(extents));
  EXPECT_TRUE(extents.minPoint().isEqualTo(QvGePoint3d(10, 10, 0)));  // not the unset leader
  ASSERT_EQ(eOk, arc.setHasLeader(true));
  ASSERT_EQ(eOk, arc.setLeader1Point(QvGePoint3d(9, 11, 0)));
  ASSERT_EQ(eOk, arc.setLeader2Point(QvGePoint3d(20, 21, 0)));
  extents = QvDbExtents();
  ASSERT_EQ(eOk, arc.getGeomExtents(extents));
  EXPECT_TRUE(extents.minPoint().isEqualTo(QvGePoint3d(9, 10, 0)));
  EXPECT_TRUE(extents.maxPoint().isEqualTo(QvGePoint3d(20, 21, 0)));
  ASSERT_EQ(eOk, arc.transformBy(QvGeMatrix3d::translation(QvGeVector3d(1, 2, 3))));
  EXPECT_TRUE(arc.leader1Point().isEqualTo(QvGePoint3d(10, 13, 3)));
  EXPECT_TRUE(arc.leader2Point().isEqualTo(QvGePoint3d(21, 23, 3)));
  EXPECT_NEAR(kPi, arc.measurement(), kTol);
}
