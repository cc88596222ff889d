// The entity protocol extension of references, dimensions, corner entities, hatches, points,
// texts, multilines, sections, shapes and OLE frames, asked through the host's protocol lookup:
// aligned UCS frames and base points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbOle2Frame.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSection.h"
#include "sdk/db/QvDbShape.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTrace.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

constexpr double kPi = std::numbers::pi;

const QvGeVector3d kX = QvGeVector3d::kXAxis, kY = QvGeVector3d::kYAxis, kZ = QvGeVector3d::kZAxis;

using FlatEntityExtension = EntityExtensionTest;

// The frame `pe` keeps of `given` when it aligns `entity`.
QvGeMatrix3d alignedFrom(QvDbEntity& entity, const QvGePoint3d* pick, const QvGeMatrix3d& given) {
  QvGeMatrix3d ucs = given;
  EXPECT_EQ(
      EntityExtensionTest::pe(&entity)->getAlignedUCS(&entity, pick, vexaGetActiveQvGsView(), ucs),
      Vexa::eOk);
  return ucs;
}

TEST_F(FlatEntityExtension, BlockReferenceTurnsWithItsRotation) {
  QvDbBlockReference reference(QvGePoint3d(5, 5, 0), QvDbObjectId());
  ASSERT_EQ(reference.setRotation(kPi / 2), Vexa::eOk);
  EXPECT_TRUE(alignsTo(reference, nullptr, QvGePoint3d(5, 5, 0), kY, kZ));
  EXPECT_POINT_NEAR(basePoint(reference), QvGePoint3d(5, 5, 0));
}

TEST_F(FlatEntityExtension, DimensionsAlignAtTheirTextAndMeasureFromTheDimensionLine) {
  QvDbAlignedDimension aligned(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0), QvGePoint3d(5, 3, 0));
  ASSERT_EQ(aligned.setTextPosition(QvGePoint3d(4, 4, 0)), Vexa::eOk);
  ASSERT_EQ(aligned.setHorizontalRotation(kPi / 2), Vexa::eOk);
  // The frame turned the other way by the horizontal rotation.
  EXPECT_TRUE(alignsTo(aligned, nullptr, QvGePoint3d(4, 4, 0), -kY, kZ));
  EXPECT_POINT_NEAR(basePoint(aligned), QvGePoint3d(5, 3, 0));

  QvDbRotatedDimension rotated(0.0, QvGePoint3d(0, 0, 0), QvGePoint3d(7, 2, 0),
                               QvGePoint3d(3, -4, 0));
  EXPECT_POINT_NEAR(basePoint(rotated), QvGePoint3d(3, -4, 0));
}

// Each kind answers its own point: the second line's end, the arc point, the center, the far
// chord point or the origin, all points told apart.
TEST_F(FlatEntityExtension, EveryDimensionKindAnswersItsOwnBasePoint) {
  const QvGePoint3d p1(1, 0, 0), p2(2, 1, 0), p3(3, 2, 0), p4(4, 3, 0), p5(5, 5, 0), p6(6, 8, 0);
  QvDb2LineAngularDimension twoLines(p1, p2, p3, p4, p5);
  EXPECT_POINT_NEAR(basePoint(twoLines), p4);
  QvDb3PointAngularDimension threePoints(p1, p2, p3, p4);
  EXPECT_POINT_NEAR(basePoint(threePoints), p4);
  QvDbArcDimension arc(p1, p2, p3, p5);
  EXPECT_POINT_NEAR(basePoint(arc), p5);
  QvDbRadialDimension radial(p2, p3, 1.0);
  EXPECT_POINT_NEAR(basePoint(radial), p2);
  QvDbRadialDimensionLarge large(p3, p4, p5, p6, 0.5);
  EXPECT_POINT_NEAR(basePoint(large), p3);
  QvDbDiametricDimension diametric(p5, p6, 0.0);
  EXPECT_POINT_NEAR(basePoint(diametric), p6);
  QvDbOrdinateDimension ordinate(true, p2, p3);
  ASSERT_EQ(ordinate.setOrigin(p1), Vexa::eOk);
  EXPECT_POINT_NEAR(basePoint(ordinate), p1);

  // The UCS row is the same for every kind: at the text, turned by the horizontal rotation.
  ASSERT_EQ(radial.setTextPosition(p6), Vexa::eOk);
  ASSERT_EQ(radial.setHorizontalRotation(kPi), Vexa::eOk);
  EXPECT_TRUE(alignsTo(radial, nullptr, p6, -kX));
}

TEST_F(FlatEntityExtension, FaceFramesAreNormalisedAndKeepAxesWhenDegenerate) {
  // Sides leaving vertex 0 at 45 degrees: z still has unit length.
  QvDbFace skewed(QvGePoint3d(1, 1, 1), QvGePoint3d(3, 1, 1), QvGePoint3d(4, 3, 1),
                  QvGePoint3d(2, 2, 1));
  EXPECT_TRUE(alignsTo(skewed, nullptr, QvGePoint3d(1, 1, 1), kX, kZ));
  EXPECT_POINT_NEAR(basePoint(skewed), QvGePoint3d(1, 1, 1));

  // Vertex 1 on vertex 0: the next one that differs gives x.
  QvDbFace folded(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 4),
                  QvGePoint3d(0, 3, 0));
  EXPECT_TRUE(alignsTo(folded, nullptr, QvGePoint3d::kOrigin, kZ, -kX));

  // All vertices on one line: the plane around it, still with x along it.
  QvDbFace straight(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2, 0), QvGePoint3d(0, 4, 0),
                    QvGePoint3d(0, 6, 0));
  EXPECT_TRUE(alignsTo(straight, nullptr, QvGePoint3d::kOrigin, kY));

  // A face shrunk to a point keeps the axes it is given.
  QvDbFace point(QvGePoint3d(2, 2, 2), QvGePoint3d(2, 2, 2), QvGePoint3d(2, 2, 2));
  const UcsFrame turned = frameOf(turnedFrame());
  EXPECT_TRUE(isFrame(alignedFrom(point, nullptr, turnedFrame()), QvGePoint3d(2, 2, 2), turned.x,
                      turned.z));
}

TEST_F(FlatEntityExtension, SolidAndTraceCorners) {
  QvDbSolid solid(QvGePoint3d(1, 1, 0), QvGePoint3d(1, 1, 0), QvGePoint3d(1, 6, 0),
                  QvGePoint3d(4, 1, 0));
  EXPECT_TRUE(alignsTo(solid, nullptr, QvGePoint3d(1, 1, 0), kY));
  EXPECT_POINT_NEAR(basePoint(solid), QvGePoint3d(1, 1, 0));

  // A trace runs from the middle of its first pair of corners to the middle of the second.
  QvDbTrace trace(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2, 0), QvGePoint3d(5, 0, 0),
                  QvGePoint3d(5, 2, 0));
  EXPECT_TRUE(alignsTo(trace, nullptr, QvGePoint3d(0, 1, 0), kX));
  EXPECT_POINT_NEAR(basePoint(trace), QvGePoint3d(0, 0, 0));
}

TEST_F(FlatEntityExtension, HatchNeedsAPickAndAView) {
  QvDbHatch hatch;
  ASSERT_EQ(hatch.setElevation(2.0), Vexa::eOk);
  const QvGePoint3d pick(3, 4, 10);
  EXPECT_TRUE(
      refusesAlign(pe(&hatch), &hatch, nullptr, vexaGetActiveQvGsView(), Vexa::eNotApplicable));
  EXPECT_TRUE(refusesAlign(pe(&hatch), &hatch, &pick, nullptr, Vexa::eNotApplicable));
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(hatch, &pick, ucs), Vexa::eOk);
  EXPECT_TRUE(ucs.isEqualTo(QvGeMatrix3d::translation(QvGeVector3d(3, 4, 2))));
  EXPECT_POINT_NEAR(basePoint(hatch), QvGePoint3d(0, 0, 2));
}

TEST_F(FlatEntityExtension, PointMovesTheOriginOnly) {
  QvDbPoint point(QvGePoint3d(7, 8, 9));
  const UcsFrame turned = frameOf(turnedFrame());
  EXPECT_TRUE(isFrame(alignedFrom(point, nullptr, turnedFrame()), QvGePoint3d(7, 8, 9), turned.x,
                      turned.z));
  EXPECT_POINT_NEAR(basePoint(point), QvGePoint3d(7, 8, 9));
}

TEST_F(FlatEntityExtension, ObliqueTextGivesASquareFrameOnItsBaseline) {
  QvDbText text(QvGePoint3d(2, 3, 0), L"Oblique");
  ASSERT_EQ(text.setHeight(2.0), Vexa::eOk);
  ASSERT_EQ(text.setRotation(kPi / 6), Vexa::eOk);
  ASSERT_EQ(text.setOblique(kPi / 6), Vexa::eOk);
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(text, nullptr, ucs), Vexa::eOk);
  EXPECT_TRUE(isFrame(ucs, QvGePoint3d(2, 3, 0),
                      QvGeVector3d(std::cos(kPi / 6), std::sin(kPi / 6), 0), kZ));
  EXPECT_POINT_NEAR(basePoint(text), QvGePoint3d(2, 3, 0));

  // A pick needs a view but changes nothing.
  const QvGePoint3d pick(9, 9, 0);
  QvGeMatrix3d picked;
  ASSERT_EQ(align(text, &pick, picked), Vexa::eOk);
  EXPECT_TRUE(picked.isEqualTo(ucs));
  EXPECT_TRUE(refusesAlign(pe(&text), &text, &pick, nullptr, Vexa::eNotApplicable));
}

TEST_F(FlatEntityExtension, MultilineTextAlignsAtItsTopLeftCorner) {
  QvDbMText mtext;
  ASSERT_EQ(mtext.setContents(L"Two\\Plines"), Vexa::eOk);
  ASSERT_EQ(mtext.setLocation(QvGePoint3d(1, 10, 0)), Vexa::eOk);
  ASSERT_EQ(mtext.setTextHeight(2.5), Vexa::eOk);
  ASSERT_EQ(mtext.setWidth(20.0), Vexa::eOk);
  QvGePoint3dArray box;
  ASSERT_EQ(mtext.getBoundingPoints(box), Vexa::eOk);
  ASSERT_EQ(box.length(), 4);
  EXPECT_TRUE(alignsTo(mtext, nullptr, box[0], kX, kZ));
  EXPECT_POINT_NEAR(basePoint(mtext), QvGePoint3d(1, 10, 0));
}

// The points where a vertical line at x meets the grown box of `entity`, sorted by y.
QvGePoint3dArray boxMeets(QvDbEntity& entity, double x) {
  QvDbLine line(QvGePoint3d(x, -50, 0), QvGePoint3d(x, 50, 0));
  QvGePoint3dArray points;
  EXPECT_EQ(EntityExtensionTest::pe(&entity)->extendedBoundingBoxIntersectWith(
                &entity, &line, QvDb::kOnBothOperands, points, QvGePlane(), false),
            Vexa::eOk);
  if (points.length() == 2 && points[0].y > points[1].y) std::swap(points[0], points[1]);
  return points;
}

TEST_F(FlatEntityExtension, TextBoxesGrowByTheirMarginBeforeTheyMeetOthers) {
  // The text's box runs from y = 0 to its height 2.4; its margin is 7/24 of that, 0.7.
  QvDbText text(QvGePoint3d(0, 0, 0), L"Box");
  ASSERT_EQ(text.setHeight(2.4), Vexa::eOk);
  const QvGePoint3dArray inMargin = boxMeets(text, -0.5);
  ASSERT_EQ(inMargin.length(), 2);
  EXPECT_NEAR(inMargin[1].y, 3.1, 1e-9);
  EXPECT_NEAR(inMargin[0].y, -0.7, 1e-9);
  EXPECT_TRUE(boxMeets(text, -0.8).isEmpty());
  QvGePoint3dArray points;
  EXPECT_EQ(pe(&text)->extendedBoundingBoxIntersectWith(&text, nullptr, QvDb::kOnBothOperands,
                                                        points, QvGePlane(), false),
            Vexa::eNotApplicable);

  // A multiline text grows by a third of its text height: 1 for 3.
  QvDbMText mtext;
  ASSERT_EQ(mtext.setContents(L"Box"), Vexa::eOk);
  ASSERT_EQ(mtext.setTextHeight(3.0), Vexa::eOk);
  QvGePoint3dArray box;
  ASSERT_EQ(mtext.getBoundingPoints(box), Vexa::eOk);
  const QvGePoint3dArray nearLeft = boxMeets(mtext, box[0].x - 0.9);
  ASSERT_EQ(nearLeft.length(), 2);
  EXPECT_NEAR(nearLeft[1].y - nearLeft[0].y, box[0].y - box[2].y + 2.0, 1e-9);
  EXPECT_TRUE(boxMeets(mtext, box[0].x - 1.1).isEmpty());
}

TEST_F(FlatEntityExtension, OtherEntitiesAndOtherClasses) {
  // A class outside the family has no extension.
  QvDbLeader leader;
  EXPECT_EQ(pe(&leader), nullptr);
  // An extension asked about an entity of another class, or none, refuses and keeps the matrix.
  QvDbPoint point(QvGePoint3d(1, 1, 1));
  QvDbText text(QvGePoint3d(0, 0, 0), L"T");
  QvGePoint3d base(5, 5, 5);
  for (QvDbEntity* asked : {static_cast<QvDbEntity*>(&text), static_cast<QvDbEntity*>(nullptr)}) {
    EXPECT_TRUE(refusesAlign(pe(&point), asked, nullptr, nullptr, Vexa::eNotApplicable));
    EXPECT_EQ(pe(&point)->getBasePoint(asked, base), Vexa::eNotApplicable);
  }
  EXPECT_POINT_NEAR(base, QvGePoint3d(5, 5, 5));
  // The text box intersection is not offered by points.
  QvGePoint3dArray points;
  EXPECT_EQ(pe(&point)->extendedBoundingBoxIntersectWith(&point, &text, QvDb::kOnBothOperands,
                                                         points, QvGePlane(), false),
            Vexa::eNotImplemented);
}

using EntityClassesExtension = EntityExtensionTest;

TEST_F(EntityClassesExtension, MultilineAlignsWithThePickedElement) {
  QvDbMline mline;
  for (const QvGePoint3d& p : {QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0), QvGePoint3d(10, 5, 0)})
    ASSERT_EQ(mline.appendSeg(p), Vexa::eOk);
  // Near the right end of the lower element (0,-1)-(11,-1): its end, x back along it.
  const QvGePoint3d lowRight(9, -0.9, 0);
  EXPECT_TRUE(alignsTo(mline, lowRight, QvGePoint3d(11, -1, 0), -kX));
  // Near the start of the upper element's second piece (10,0)-(10,5).
  EXPECT_TRUE(alignsTo(mline, QvGePoint3d(10.2, 1, 0), QvGePoint3d(10, 0, 0), kY));

  // No pick, no second vertex, no multiline: not applicable, the matrix kept.
  QvGsView* view = vexaGetActiveQvGsView();
  EXPECT_TRUE(refusesAlign(pe(&mline), &mline, nullptr, view, Vexa::eNotApplicable));
  QvDbMline single;
  ASSERT_EQ(single.appendSeg(QvGePoint3d(1, 1, 0)), Vexa::eOk);
  EXPECT_TRUE(refusesAlign(pe(&single), &single, &lowRight, view, Vexa::eNotApplicable));
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  EXPECT_TRUE(refusesAlign(pe(&mline), &line, &lowRight, view, Vexa::eNotApplicable));
  EXPECT_TRUE(refusesAlign(pe(&mline), nullptr, &lowRight, view, Vexa::eNotApplicable));

  // The base point is the first vertex; none without vertices.
  EXPECT_POINT_NEAR(basePoint(mline), QvGePoint3d::kOrigin);
  QvDbMline empty;
  QvGePoint3d base;
  EXPECT_EQ(pe(&empty)->getBasePoint(&empty, base), Vexa::eNotApplicable);
  EXPECT_EQ(pe(&mline)->getBasePoint(nullptr, base), Vexa::eNotApplicable);
}

TEST_F(EntityClassesExtension, SectionAlignsWithItsPlane) {
  // A section line rising from (2, 1, 0) to (2, 5, 0) with the vertical direction along z: x
  // along the line, y up, z = x cross y across the section plane.
  QvDbSection section({QvGePoint3d(2, 1, 0), QvGePoint3d(2, 5, 0), QvGePoint3d(6, 5, 0)},
                      QvGeVector3d(0, 0, 2));
  // The pick does not matter.
  EXPECT_TRUE(alignsTo(section, QvGePoint3d(6, 5, 0), QvGePoint3d(2, 1, 0), kY, kX));
  // A vertical direction leaning over the line is taken across it.
  ASSERT_EQ(section.setVerticalDirection(QvGeVector3d(0, 1, 1)), Vexa::eOk);
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(section, nullptr, ucs), Vexa::eOk);
  EXPECT_VECTOR_NEAR(frameOf(ucs).y, kZ);
  // No base point (not implemented); not a section: not applicable.
  QvGePoint3d base;
  EXPECT_EQ(pe(&section)->getBasePoint(&section, base), Vexa::eNotImplemented);
  QvDbShape shape;
  EXPECT_TRUE(refusesAlign(pe(&section), &shape, nullptr, nullptr, Vexa::eNotApplicable));
}

TEST_F(EntityClassesExtension, ShapeAlignsWithItsRotationAndOleFrameGivesItsLocation) {
  QvDbShape shape(QvGePoint3d(3, 4, 5), 2.0, L"ARROW", M_PI / 6);
  EXPECT_TRUE(
      alignsTo(shape, nullptr, QvGePoint3d(3, 4, 5), QvGeVector3d(std::sqrt(3.0) / 2, 0.5, 0), kZ));
  // On a plane facing -z, the rotation turns the other way seen from above: the plane's x axis
  // is -X there.
  ASSERT_EQ(shape.setNormal(QvGeVector3d(0, 0, -1)), Vexa::eOk);
  EXPECT_TRUE(alignsTo(shape, nullptr, QvGePoint3d(3, 4, 5),
                       QvGeVector3d(-std::sqrt(3.0) / 2, 0.5, 0), -kZ));
  QvGePoint3d base;
  EXPECT_EQ(pe(&shape)->getBasePoint(&shape, base), Vexa::eNotImplemented);

  QvDbOle2Frame frame;
  ASSERT_EQ(frame.setPosition(QvGePoint3d(1, 9, 0), QvGePoint3d(7, 2, 0)), Vexa::eOk);
  EXPECT_POINT_NEAR(basePoint(frame), QvGePoint3d(1, 9, 0));
  EXPECT_EQ(pe(&frame)->getBasePoint(&shape, base), Vexa::eNotApplicable);
  EXPECT_TRUE(refusesAlign(pe(&frame), &frame, nullptr, nullptr, Vexa::eNotImplemented));
}

}  // namespace
