// The entity protocol extension of multilines, sections, shapes and OLE frames, asked through
// the host's protocol lookup: aligned UCS frames and base points worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "EntityExtensionChecks.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbOle2Frame.h"
#include "sdk/db/QvDbSection.h"
#include "sdk/db/QvDbShape.h"
#include "tests/cmdutil/geometry/InternalPEFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

class EntityClassesExtension : public EntityExtensionTest {
 protected:
  Vexa::ErrorStatus align(QvDbEntity& entity, const QvGePoint3d* pick, QvGeMatrix3d& ucs) {
    VexaEntityPE* extension = pe(&entity);
    if (!extension) return Vexa::eNotImplemented;
    ucs.setToIdentity();
    return extension->getAlignedUCS(&entity, pick, vexaGetActiveQvGsView(), ucs);
  }
};

TEST_F(EntityClassesExtension, MultilineAlignsWithThePickedElement) {
  QvDbMline mline;
  for (const QvGePoint3d& p : {QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0), QvGePoint3d(10, 5, 0)})
    ASSERT_EQ(mline.appendSeg(p), Vexa::eOk);
  // Near the right end of the lower element (0,-1)-(11,-1): its end, x back along it.
  QvGeMatrix3d ucs;
  const QvGePoint3d lowRight(9, -0.9, 0);
  ASSERT_EQ(align(mline, &lowRight, ucs), Vexa::eOk);
  EXPECT_POINT_NEAR(frameOf(ucs).origin, QvGePoint3d(11, -1, 0));
  EXPECT_VECTOR_NEAR(frameOf(ucs).x, -QvGeVector3d::kXAxis);
  EXPECT_TRUE(isOrthonormal(ucs));
  // Near the start of the upper element's second piece (10,0)-(10,5).
  const QvGePoint3d upLow(10.2, 1, 0);
  ASSERT_EQ(align(mline, &upLow, ucs), Vexa::eOk);
  EXPECT_POINT_NEAR(frameOf(ucs).origin, QvGePoint3d(10, 0, 0));
  EXPECT_VECTOR_NEAR(frameOf(ucs).x, QvGeVector3d::kYAxis);

  // No pick, no second vertex, no multiline: not applicable, the matrix kept.
  QvGeMatrix3d kept = turnedFrame();
  EXPECT_EQ(pe(&mline)->getAlignedUCS(&mline, nullptr, vexaGetActiveQvGsView(), kept),
            Vexa::eNotApplicable);
  QvDbMline single;
  ASSERT_EQ(single.appendSeg(QvGePoint3d(1, 1, 0)), Vexa::eOk);
  EXPECT_EQ(pe(&single)->getAlignedUCS(&single, &lowRight, vexaGetActiveQvGsView(), kept),
            Vexa::eNotApplicable);
  QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0));
  EXPECT_EQ(pe(&mline)->getAlignedUCS(&line, &lowRight, vexaGetActiveQvGsView(), kept),
            Vexa::eNotApplicable);
  EXPECT_EQ(pe(&mline)->getAlignedUCS(nullptr, &lowRight, vexaGetActiveQvGsView(), kept),
            Vexa::eNotApplicable);
  EXPECT_TRUE(kept.isEqualTo(turnedFrame()));

  // The base point is the first vertex; none without vertices.
  QvGePoint3d base;
  ASSERT_EQ(pe(&mline)->getBasePoint(&mline, base), Vexa::eOk);
  EXPECT_POINT_NEAR(base, QvGePoint3d::kOrigin);
  QvDbMline empty;
  EXPECT_EQ(pe(&empty)->getBasePoint(&empty, base), Vexa::eNotApplicable);
  EXPECT_EQ(pe(&mline)->getBasePoint(nullptr, base), Vexa::eNotApplicable);
}

TEST_F(EntityClassesExtension, SectionAlignsWithItsPlane) {
  // A section line rising from (2, 1, 0) to (2, 5, 0) with the vertical direction along z: x
  // along the line, y up, z = x cross y across the section plane.
  QvDbSection section({QvGePoint3d(2, 1, 0), QvGePoint3d(2, 5, 0), QvGePoint3d(6, 5, 0)},
                      QvGeVector3d(0, 0, 2));
  QvGeMatrix3d ucs;
  const QvGePoint3d pick(6, 5, 0);  // the pick does not matter
  ASSERT_EQ(align(section, &pick, ucs), Vexa::eOk);
  EXPECT_POINT_NEAR(frameOf(ucs).origin, QvGePoint3d(2, 1, 0));
  EXPECT_VECTOR_NEAR(frameOf(ucs).x, QvGeVector3d::kYAxis);
  EXPECT_VECTOR_NEAR(frameOf(ucs).y, QvGeVector3d::kZAxis);
  EXPECT_VECTOR_NEAR(frameOf(ucs).z, QvGeVector3d::kXAxis);
  EXPECT_TRUE(isOrthonormal(ucs));
  // A vertical direction leaning over the line is taken across it.
  ASSERT_EQ(section.setVerticalDirection(QvGeVector3d(0, 1, 1)), Vexa::eOk);
  ASSERT_EQ(align(section, nullptr, ucs), Vexa::eOk);
  EXPECT_VECTOR_NEAR(frameOf(ucs).y, QvGeVector3d::kZAxis);
  // No base point (not implemented); not a section: not applicable.
  QvGePoint3d base;
  EXPECT_EQ(pe(&section)->getBasePoint(&section, base), Vexa::eNotImplemented);
  QvDbShape shape;
  QvGeMatrix3d kept = turnedFrame();
  EXPECT_EQ(pe(&section)->getAlignedUCS(&shape, nullptr, nullptr, kept), Vexa::eNotApplicable);
  EXPECT_TRUE(kept.isEqualTo(turnedFrame()));
}

TEST_F(EntityClassesExtension, ShapeAlignsWithItsRotationAndOleFrameGivesItsLocation) {
  QvDbShape shape(QvGePoint3d(3, 4, 5), 2.0, L"ARROW", M_PI / 6);
  QvGeMatrix3d ucs;
  ASSERT_EQ(align(shape, nullptr, ucs), Vexa::eOk);
  EXPECT_POINT_NEAR(frameOf(ucs).origin, QvGePoint3d(3, 4, 5));
  EXPECT_VECTOR_NEAR(frameOf(ucs).x, QvGeVector3d(std::sqrt(3.0) / 2, 0.5, 0));
  EXPECT_VECTOR_NEAR(frameOf(ucs).z, QvGeVector3d::kZAxis);
  // On a plane facing -z, the rotation turns the other way seen from above: the plane's x axis
  // is -X there.
  ASSERT_EQ(shape.setNormal(QvGeVector3d(0, 0, -1)), Vexa::eOk);
  ASSERT_EQ(align(shape, nullptr, ucs), Vexa::eOk);
  EXPECT_VECTOR_NEAR(frameOf(ucs).x, QvGeVector3d(-std::sqrt(3.0) / 2, 0.5, 0));
  EXPECT_VECTOR_NEAR(frameOf(ucs).z, -QvGeVector3d::kZAxis);
  EXPECT_TRUE(isOrthonormal(ucs));
  QvGePoint3d base;
  EXPECT_EQ(pe(&shape)->getBasePoint(&shape, base), Vexa::eNotImplemented);

  QvDbOle2Frame frame;
  ASSERT_EQ(frame.setPosition(QvGePoint3d(1, 9, 0), QvGePoint3d(7, 2, 0)), Vexa::eOk);
  ASSERT_EQ(pe(&frame)->getBasePoint(&frame, base), Vexa::eOk);
  EXPECT_POINT_NEAR(base, QvGePoint3d(1, 9, 0));
  EXPECT_EQ(pe(&frame)->getBasePoint(&shape, base), Vexa::eNotApplicable);
  QvGeMatrix3d kept = turnedFrame();
  EXPECT_EQ(pe(&frame)->getAlignedUCS(&frame, nullptr, nullptr, kept), Vexa::eNotImplemented);
  EXPECT_TRUE(kept.isEqualTo(turnedFrame()));
}

}  // namespace

// The section row of the internal extension: nothing to measure (wrong class status) and
// nothing to set.
class InternalPESectionTest : public InternalPEFixture {};

TEST_F(InternalPESectionTest, SectionsHaveNoAreaLengthOrAngle) {
  QvDbSection section({QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0)}, QvGeVector3d::kZAxis);
  EXPECT_EQ(area(section, Vexa::eNotApplicable), 0.0);
  EXPECT_EQ(length(section, Vexa::eNotApplicable), 0.0);
  angle(section, Vexa::eNotImplemented);
  EXPECT_EQ(setLength(section, 2, QvGePoint3d(4, 0, 0)), Vexa::eNotImplemented);
  EXPECT_EQ(setAngle(section, 2, QvGePoint3d(4, 0, 0)), Vexa::eNotImplemented);
  QvGePoint3d end;
  ASSERT_EQ(section.getVertex(1, end), Vexa::eOk);
  EXPECT_POINT_NEAR(end, QvGePoint3d(4, 0, 0));
}
