// The entity protocol extension of multilines, sections, shapes and OLE frames, asked through
// the host's protocol lookup: aligned UCS frames and base points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbOle2Frame.h"
#include "sdk/db/QvDbSection.h"
#include "sdk/db/QvDbShape.h"
#include "tests/cmdutil/geometry/ModuleFixtures.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

const QvGeVector3d kX = QvGeVector3d::kXAxis, kY = QvGeVector3d::kYAxis, kZ = QvGeVector3d::kZAxis;

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
