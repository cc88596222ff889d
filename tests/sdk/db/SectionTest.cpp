// Section objects: the section line, its plane, refusals and transforms.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbSection.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using Vexa::eInvalidInput;
using Vexa::eOk;

TEST(SectionTest, TheLineAndItsVerticalDirectionSpanThePlane) {
  const QvGePoint3dArray jogged{QvGePoint3d(0, 0, 0), QvGePoint3d(6, 0, 0), QvGePoint3d(6, 4, 0)};
  QvDbSection section(jogged, QvGeVector3d(0, 0, 3));
  ASSERT_EQ(section.numVertices(), 3);
  EXPECT_VECTOR_NEAR(section.verticalDirection(), QvGeVector3d::kZAxis);
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  ASSERT_EQ(section.getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kPlanar);
  EXPECT_TRUE(plane.normal().isParallelTo(QvGeVector3d::kYAxis));
  EXPECT_NEAR(plane.distanceTo(QvGePoint3d(3, 0, 7)), 0, 1e-12);

  // Turned a quarter about x and doubled: the vertical direction follows, the heights double.
  ASSERT_EQ(section.setHeights(1, 2), eOk);
  const QvGeMatrix3d m =
      QvGeMatrix3d::scaling(2.0) * QvGeMatrix3d::rotation(M_PI / 2, QvGeVector3d::kXAxis);
  ASSERT_EQ(section.transformBy(m), eOk);
  EXPECT_VECTOR_NEAR(section.verticalDirection(), -QvGeVector3d::kYAxis);
  QvGePoint3d last;
  ASSERT_EQ(section.getVertex(2, last), eOk);
  EXPECT_POINT_NEAR(last, QvGePoint3d(12, 0, 8), 1e-12);
  EXPECT_DOUBLE_EQ(section.topHeight(), 4);
  EXPECT_DOUBLE_EQ(section.bottomHeight(), 2);
  QvGeMatrix3d squash;
  squash(2, 2) = 5;
  EXPECT_EQ(section.transformBy(squash), Vexa::eNotApplicable);
}

TEST(SectionTest, RefusesWhatMakesNoSectionLine) {
  QvDbSection section({QvGePoint3d(0, 0, 0), QvGePoint3d(5, 0, 0)}, QvGeVector3d::kZAxis);
  EXPECT_EQ(section.setVertices({QvGePoint3d(1, 1, 1)}), eInvalidInput);
  EXPECT_EQ(section.setVertices({QvGePoint3d(1, 1, 1), QvGePoint3d(1, 1, 1)}), eInvalidInput);
  EXPECT_EQ(section.setVertices({QvGePoint3d(0, 0, 0), QvGePoint3d(NAN, 0, 0)}), eInvalidInput);
  // A line that runs up the vertical direction, or a direction along the line.
  EXPECT_EQ(section.setVertices({QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 4)}), eInvalidInput);
  EXPECT_EQ(section.setVerticalDirection(QvGeVector3d(-2, 0, 0)), eInvalidInput);
  EXPECT_EQ(section.setVerticalDirection(QvGeVector3d()), eInvalidInput);
  // Both together may turn round.
  EXPECT_EQ(
      section.setSectionLine({QvGePoint3d(0, 0, 0), QvGePoint3d(0, 0, 4)}, QvGeVector3d(1, 0, 0)),
      eOk);
  EXPECT_EQ(section.setHeights(-1, 2), eInvalidInput);
  EXPECT_EQ(section.setIndicatorTransparency(101), eInvalidInput);
  EXPECT_EQ(section.setState(static_cast<QvDbSection::State>(3)), eInvalidInput);
  EXPECT_EQ(section.numVertices(), 2);
  QvGePoint3d p;
  EXPECT_EQ(section.getVertex(2, p), Vexa::eInvalidIndex);
}

}  // namespace
