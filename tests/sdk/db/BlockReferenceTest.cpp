// Block references and arrays: the block transform, explode, extents and drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using QvGe::kHalfPi;
using QvGe::kPi;
using Vexa::eOk;

class BlockReferenceTest : public HostFixture {
 protected:
  // Appends an entity to a block.
  void add(QvDbObjectId block, QvDbEntity* entity) {
    ASSERT_FALSE(appendEntity(block, entity).isNull());
  }
  // INNER: a line from the origin to (1, 0) and a circle of radius 0.5 about (2, 0).
  QvDbObjectId innerBlock() {
    const QvDbObjectId block = addBlock(db(), L"INNER");
    add(block, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
    add(block, new QvDbCircle(QvGePoint3d(2, 0, 0), QvGeVector3d::kZAxis, 0.5));
    return block;
  }
};

TEST_F(BlockReferenceTest, BlockTransformPlacesScalesTurnsAndLifts) {
  QvDbBlockReference ref(QvGePoint3d(10, 20, 30), QvDbObjectId());
  ref.setScaleFactors(QvGeScale3d(2, 3, 4));
  ref.setRotation(kHalfPi);
  const QvGeMatrix3d m = ref.blockTransform();
  // Scaled, then a quarter turn about z, then moved.
  EXPECT_POINT_NEAR(mapped(m, QvGePoint3d(1, 0, 0)), QvGePoint3d(10, 22, 30), 1e-12);
  EXPECT_POINT_NEAR(mapped(m, QvGePoint3d(0, 1, 0)), QvGePoint3d(7, 20, 30), 1e-12);
  EXPECT_POINT_NEAR(mapped(m, QvGePoint3d(0, 0, 1)), QvGePoint3d(10, 20, 34), 1e-12);
  // With a normal along x the block's plane is the OCS of x: its x axis is Wz x X = Y.
  ref.setRotation(0.0);
  ref.setNormal(QvGeVector3d(1, 0, 0));
  EXPECT_POINT_NEAR(mapped(ref.blockTransform(), QvGePoint3d(1, 0, 0)), QvGePoint3d(10, 22, 30),
                    1e-12);
  EXPECT_POINT_NEAR(mapped(ref.blockTransform(), QvGePoint3d(0, 0, 1)), QvGePoint3d(14, 20, 30),
                    1e-12);
  EXPECT_EQ(ref.setScaleFactors(QvGeScale3d(1, 0, 1)), Vexa::eInvalidInput);
  EXPECT_EQ(ref.setNormal(QvGeVector3d()), Vexa::eInvalidInput);
}

TEST_F(BlockReferenceTest, BlockOriginGoesToThePosition) {
  const QvDbObjectId block = innerBlock();
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    ASSERT_EQ(record->setOrigin(QvGePoint3d(1, 0, 0)), eOk);
  }
  QvDbBlockReference ref(QvGePoint3d(10, 5, 0), block);
  ref.setScaleFactors(QvGeScale3d(2.0));
  EXPECT_POINT_NEAR(mapped(ref.blockTransform(), QvGePoint3d(1, 0, 0)), QvGePoint3d(10, 5, 0), 0);
  const EntityList pieces = explodeOf(ref);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(0)->startPoint(), QvGePoint3d(8, 5, 0), 1e-12);
  // While the definition is open for write (being redefined) its origin still counts.
  QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
  EXPECT_POINT_NEAR(ref.blockOrigin(), QvGePoint3d(1, 0, 0), 0);
}

TEST_F(BlockReferenceTest, PlacementFromAMatrixRoundTripsAndRefusesShear) {
  QvDbBlockReference ref(QvGePoint3d(1, 2, 3), QvDbObjectId());
  ref.setScaleFactors(QvGeScale3d(-2, 0.5, 3));  // mirrored in x
  ref.setRotation(0.7);
  ref.setNormal(QvGeVector3d(1, 2, 3));
  const QvGeMatrix3d m = ref.blockTransform();
  QvDbBlockReference other;
  ASSERT_EQ(other.setBlockTransform(m), eOk);
  EXPECT_TRUE(other.blockTransform().isEqualTo(m, QvGeTol(1e-12, 1e-12)));
  EXPECT_NEAR(other.scaleFactors().sx, -2.0, 1e-12);
  EXPECT_NEAR(other.rotation(), 0.7, 1e-12);

  QvGeMatrix3d shear;
  shear.entry[0][1] = 0.5;
  EXPECT_EQ(other.setBlockTransform(shear), Vexa::eNotApplicable);
  EXPECT_TRUE(other.blockTransform().isEqualTo(m, QvGeTol(1e-12, 1e-12)));  // unchanged
  // A non-uniform scale of a turned reference shears it: refused; of an unturned one, fine.
  QvGeMatrix3d stretch;
  stretch.entry[0][0] = 2.0;
  EXPECT_EQ(ref.transformBy(stretch), Vexa::eNotApplicable);
  QvDbBlockReference square(QvGePoint3d(1, 1, 0), QvDbObjectId());
  ASSERT_EQ(square.transformBy(stretch), eOk);
  EXPECT_NEAR(square.scaleFactors().sx, 2.0, 1e-12);
  EXPECT_POINT_NEAR(square.position(), QvGePoint3d(2, 1, 0), 1e-12);
  // A mirror gives a negative scale factor.
  ASSERT_EQ(
      square.transformBy(QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(), QvGeVector3d(0, 1, 0)))),
      eOk);
  EXPECT_POINT_NEAR(mapped(square.blockTransform(), QvGePoint3d(1, 1, 0)), QvGePoint3d(4, -2, 0),
                    1e-12);
}

TEST_F(BlockReferenceTest, ExplodeOfAReferenceNestedTwoDeep) {
  const QvDbObjectId inner = innerBlock();
  // OUTER holds INNER at (5, 0), turned 30 degrees.
  const QvDbObjectId outer = addBlock(db(), L"OUTER");
  auto* nested = new QvDbBlockReference(QvGePoint3d(5, 0, 0), inner);
  nested->setRotation(kPi / 6);
  add(outer, nested);
  // The reference in the drawing: at (100, 0), turned 90 degrees, scaled (2, 1, 1).
  QvDbBlockReference top(QvGePoint3d(100, 0, 0), outer);
  top.setRotation(kHalfPi);
  top.setScaleFactors(QvGeScale3d(2, 1, 1));
  const QvGeMatrix3d outerM = top.blockTransform();
  QvDbBlockReference innerRef(QvGePoint3d(5, 0, 0), inner);
  innerRef.setRotation(kPi / 6);
  const QvGeMatrix3d full = outerM * innerRef.blockTransform();

  // The nested reference cannot be carried as a reference (the turn inside a non-uniform
  // scale shears it), so it comes out exploded: a line and an ellipse.
  const EntityList pieces = explodeOf(top);
  ASSERT_EQ(pieces.size(), 2);
  const QvDbLine* line = pieces.as<QvDbLine>(0);
  const QvDbEllipse* ellipse = pieces.as<QvDbEllipse>(1);
  ASSERT_NE(line, nullptr);
  ASSERT_NE(ellipse, nullptr);
  EXPECT_POINT_NEAR(line->startPoint(), mapped(full, QvGePoint3d(0, 0, 0)), 1e-12);
  EXPECT_POINT_NEAR(line->endPoint(), mapped(full, QvGePoint3d(1, 0, 0)), 1e-12);
  EXPECT_POINT_NEAR(ellipse->center(), mapped(full, QvGePoint3d(2, 0, 0)), 1e-12);
  for (double a : {0.0, 1.0, 2.5, 4.0}) {
    const QvGePoint3d onCircle(2 + 0.5 * std::cos(a), 0.5 * std::sin(a), 0);
    double param = 0;
    EXPECT_EQ(ellipse->getParamAtPoint(mapped(full, onCircle), param), eOk) << a;
  }
  double area = 0;
  EXPECT_EQ(ellipse->getArea(area), eOk);
  EXPECT_NEAR(area, kPi * 0.25 * 2.0, 1e-12);  // the circle's area times the scale's determinant

  // Unturned inside, the nested reference survives as a reference carrying the whole
  // placement, and exploding it in turn gives the same geometry.
  QvDbBlockReference straight(QvGePoint3d(100, 0, 0), outer);
  straight.setRotation(kHalfPi);
  straight.setScaleFactors(QvGeScale3d(2, 1, 1));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(outer, QvDb::kForRead);
    QvDbObjectPointer<QvDbBlockReference> ref(record->entityIds()[0], QvDb::kForWrite);
    record.close();
    ref->setRotation(0.0);
  }
  const EntityList level1 = explodeOf(straight);
  ASSERT_EQ(level1.size(), 1);
  const QvDbBlockReference* carried = level1.as<QvDbBlockReference>(0);
  ASSERT_NE(carried, nullptr);
  EXPECT_EQ(carried->blockTableRecord(), inner);
  EXPECT_POINT_NEAR(carried->position(), QvGePoint3d(100, 10, 0), 1e-12);
  EXPECT_NEAR(carried->rotation(), kHalfPi, 1e-12);
  EXPECT_NEAR(carried->scaleFactors().sx, 2.0, 1e-12);
  const EntityList level2 = explodeOf(*carried);
  ASSERT_EQ(level2.size(), 2);
  EXPECT_POINT_NEAR(level2.as<QvDbLine>(0)->endPoint(), QvGePoint3d(100, 12, 0), 1e-12);
  ASSERT_NE(level2.as<QvDbEllipse>(1), nullptr);
  EXPECT_NEAR(level2.as<QvDbEllipse>(1)->majorRadius(), 1.0, 1e-12);
}

TEST_F(BlockReferenceTest, MirroredReferenceExplodesIntoMirroredEntities) {
  const QvDbObjectId inner = innerBlock();
  QvDbBlockReference ref(QvGePoint3d(0, 0, 0), inner);
  ref.setScaleFactors(QvGeScale3d(-1, 1, 1));
  QvArray<QvDbEntity*> out;
  const EntityList pieces = explodeOf(ref);
  ASSERT_EQ(pieces.size(), 2);
  EXPECT_POINT_NEAR(pieces.as<QvDbLine>(0)->endPoint(), QvGePoint3d(-1, 0, 0), 1e-12);
  const QvDbCircle* circle = pieces.as<QvDbCircle>(1);
  ASSERT_NE(circle, nullptr);
  EXPECT_POINT_NEAR(circle->center(), QvGePoint3d(-2, 0, 0), 1e-12);
  EXPECT_VECTOR_NEAR(circle->normal(), QvGeVector3d::kZAxis, 1e-12);
  // An unknown block explodes into nothing it cannot find.
  QvDbBlockReference orphan;
  EXPECT_EQ(orphan.explode(out), Vexa::eNullObjectId);
  EXPECT_TRUE(out.isEmpty());
}

TEST_F(BlockReferenceTest, ArrayExplodesIntoItsCells) {
  const QvDbObjectId inner = innerBlock();
  QvDbMInsertBlock array(QvGePoint3d(1, 1, 0), inner, 3, 2, 10.0, 5.0);
  array.setRotation(kHalfPi);
  EXPECT_EQ(array.setColumns(0), Vexa::eInvalidInput);
  const EntityList cells = explodeOf(array);
  ASSERT_EQ(cells.count<QvDbBlockReference>(), 6);
  // Columns along the turned x axis (world +y), rows along the turned y axis (world -x).
  EXPECT_POINT_NEAR(cells.as<QvDbBlockReference>(2)->position(), QvGePoint3d(1, 21, 0), 1e-12);
  EXPECT_POINT_NEAR(cells.as<QvDbBlockReference>(3)->position(), QvGePoint3d(-4, 1, 0), 1e-12);
  EXPECT_NEAR(cells.as<QvDbBlockReference>(5)->rotation(), kHalfPi, 1e-12);

  QvDbExtents box;
  ASSERT_EQ(array.getGeomExtents(box), eOk);
  // Each cell: the line (0..1 along +y) and the circle about 2 along +y with radius 0.5.
  EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(-4.5, 1, 0), 1e-9);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(1.5, 23.5, 0), 1e-9);

  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(&array);
  EXPECT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolyline), 6);
  EXPECT_EQ(recorder.count(QvGiWorldDrawRecorder::kCircle), 6);
}

TEST_F(BlockReferenceTest, DrawsItsBlockUnderTheBlockTransform) {
  const QvDbObjectId inner = innerBlock();
  QvDbBlockReference ref(QvGePoint3d(10, 0, 0), inner);
  ref.setScaleFactors(QvGeScale3d(3, 1, 1));
  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(&ref);
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolyline), 1);
  const auto& line = recorder.primitives()[0];
  EXPECT_EQ(line.depth, 1);
  EXPECT_POINT_NEAR(line.points[1], QvGePoint3d(13, 0, 0), 1e-12);
  // The circle under a non-uniform scale is drawn as an ellipse.
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kEllipticArc), 1);
  const auto& ellipse = recorder.primitives()[1];
  EXPECT_POINT_NEAR(ellipse.points[0], QvGePoint3d(16, 0, 0), 1e-12);
  EXPECT_NEAR(ellipse.majorAxis.length(), 1.5, 1e-12);
}

}  // namespace
