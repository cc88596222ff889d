// Aligned and rotated dimensions: points, measurements and transformations.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/DimensionBlockContents.h"
#include "tests/support/PointChecks.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;

using QvDbDimensionTest = DimensionTest;

// Collects the ids an object reports.
struct IdCollector : QvDbIdVisitor {
  void visit(QvDbObjectId& id, Kind kind) override {
    if (kind == kHardPointer) hardPointers.append(id);
  }
  QvDbObjectIdArray hardPointers;
};

TEST_F(QvDbDimensionTest, PointsAndMeasurementsOfBothKinds) {
  const QvGePoint3d p1(1, 1, 0), p2(4, 5, 0), onLine(0, 8, 0);
  const QvDbObjectId alignedId = append(new QvDbAlignedDimension(p1, p2, onLine));
  const QvDbObjectId rotatedId = append(new QvDbRotatedDimension(0.0, p1, p2, onLine));

  QvDbObjectPointer<QvDbAlignedDimension> aligned(alignedId, QvDb::kForRead);
  ASSERT_TRUE(aligned);
  EXPECT_DOUBLE_EQ(aligned->measurement(), 5.0);
  EXPECT_TRUE(QvDbDimension::cast(aligned.object()) != nullptr);
  EXPECT_EQ(aligned->setXLine1Point(p2), Vexa::eNotOpenForWrite);  // read open: refused
  aligned.close();
  db()->clearAccessViolations();

  // Horizontal, then vertical: the projections 3 and 4 of the distance 5.
  QvDbObjectPointer<QvDbRotatedDimension> rotated(rotatedId, QvDb::kForWrite);
  EXPECT_DOUBLE_EQ(rotated->measurement(), 3.0);
  ASSERT_EQ(rotated->setRotation(kPi / 2), eOk);
  EXPECT_NEAR(rotated->measurement(), 4.0, 1e-12);
  ASSERT_EQ(rotated->setRotation(std::atan2(4.0, 3.0)), eOk);
  EXPECT_NEAR(rotated->measurement(), 5.0, 1e-12);

  EXPECT_EQ(rotated->setNormal(QvGeVector3d(0, 0, 0)), Vexa::eInvalidInput);
  EXPECT_EQ(rotated->setNormal(QvGeVector3d(0, 0, 3)), eOk);
  EXPECT_EQ(rotated->normal(), QvGeVector3d::kZAxis);  // kept as a unit vector
  ASSERT_EQ(rotated->setTextPosition(QvGePoint3d(2, 9, 0)), eOk);

  // Extents: the definition points and the text position.
  QvDbExtents extents;
  ASSERT_EQ(rotated->getGeomExtents(extents), eOk);
  EXPECT_POINT_NEAR(extents.minPoint(), QvGePoint3d(0, 1, 0), 1e-12);
  EXPECT_POINT_NEAR(extents.maxPoint(), QvGePoint3d(4, 9, 0), 1e-12);
}

TEST_F(QvDbDimensionTest, DimensionBlockIsAUsedBlock) {
  const QvDbObjectId block = addBlock(db(), L"*D1");
  QvDbRotatedDimension dimension(0.0, QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0),
                                 QvGePoint3d(0, 1, 0));
  EXPECT_EQ(dimension.setDimBlockId(db()->layerTableId()), Vexa::eWrongObjectType);
  ASSERT_EQ(dimension.setDimBlockId(block), eOk);
  EXPECT_EQ(dimension.dimBlockId(), block);
  IdCollector ids;
  dimension.visitIds(ids);
  ASSERT_EQ(ids.hardPointers.length(), 1);
  EXPECT_EQ(ids.hardPointers[0], block);
}

// Measurements are lengths: a rigid motion or a mirror keeps them, a uniform scaling scales
// them, whatever the kind. The points move as points do.
TEST_F(QvDbDimensionTest, TransformationsKeepTheMeasuredLength) {
  const QvGePoint3d p1(1, 2, 0), p2(5, 3, 0), onLine(2, 6, 0);
  QvDbRotatedDimension rotated(0.4, p1, p2, onLine);
  QvDbAlignedDimension aligned(p1, p2, onLine);
  const double rotatedLength = rotated.measurement();
  const double alignedLength = aligned.measurement();

  const QvGeMatrix3d motions[] = {
      QvGeMatrix3d::rotation(1.1, QvGeVector3d(1, 2, 3).normal(), QvGePoint3d(4, -1, 2)),
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(3, 0, 0), QvGeVector3d(1, 1, 0))),
      QvGeMatrix3d::translation(QvGeVector3d(10, 20, 30)) *
          QvGeMatrix3d::rotation(kPi / 2, QvGeVector3d::kZAxis),
  };
  for (const QvGeMatrix3d& motion : motions) {
    QvDbRotatedDimension r = rotated;
    QvDbAlignedDimension a = aligned;
    ASSERT_EQ(r.transformBy(motion), eOk);
    ASSERT_EQ(a.transformBy(motion), eOk);
    EXPECT_NEAR(r.measurement(), rotatedLength, 1e-12);
    EXPECT_NEAR(a.measurement(), alignedLength, 1e-12);
    EXPECT_POINT_NEAR(r.xLine1Point(), QvGePoint3d(p1).transformBy(motion), 1e-12);
    EXPECT_POINT_NEAR(a.dimLinePoint(), QvGePoint3d(onLine).transformBy(motion), 1e-12);
    // The normal is the image of the plane's: perpendicular to the moved points' plane.
    EXPECT_NEAR(r.normal().dotProduct(r.xLine2Point() - r.xLine1Point()), 0.0, 1e-12);
    EXPECT_NEAR(r.normal().length(), 1.0, 1e-12);
  }

  QvDbRotatedDimension scaled = rotated;
  ASSERT_EQ(scaled.transformBy(QvGeMatrix3d::scaling(2.5, QvGePoint3d(7, 7, 0))), eOk);
  EXPECT_NEAR(scaled.measurement(), 2.5 * rotatedLength, 1e-12);
  EXPECT_NEAR(scaled.rotation(), 0.4, 1e-12);

  // A matrix that flattens the plane is refused and changes nothing.
  QvGeMatrix3d flatten;
  flatten.setToScaling(QvGeScale3d(1, 0, 1));
  QvDbAlignedDimension refused = aligned;
  EXPECT_EQ(refused.transformBy(flatten), Vexa::eDegenerateGeometry);
  EXPECT_EQ(refused.xLine2Point(), p2);
}

}  // namespace
