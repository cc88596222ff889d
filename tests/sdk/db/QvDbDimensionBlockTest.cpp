// The dimension block: made, refilled, kept apart from a copy's, left to purge.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransaction.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/DimensionBlockContents.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/SymbolRecords.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-9;

int anonymousDimensionBlocks(QvDbDatabase* db) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  QvDbBlockTableIterator* raw = nullptr;
  EXPECT_EQ(eOk, table->newIterator(raw));
  std::unique_ptr<QvDbBlockTableIterator> it(raw);
  int n = 0;
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getRecordId(id);
    if (QvDbSymbolTableRecord::nameOf(id).left(2) == L"*D") ++n;
  }
  return n;
}

using QvDbDimensionBlockTest = DimensionTest;

// The 3-4-5 triangle: the points (0,0) and (3,4) measured along their own line, the dimension
// line 2 units off to the left of it. Its feet lie at the points moved by 2 * (-0.8, 0.6).
TEST_F(QvDbDimensionBlockTest, AnAppendedDimensionGetsABlockThatDrawsIt) {
  const QvGePoint3d p1(0, 0, 0), p2(3, 4, 0);
  const QvGeVector3d off(-0.8, 0.6, 0);  // unit, across the measured line
  const QvGePoint3d foot1 = p1 + off * 2.0, foot2 = p2 + off * 2.0;
  const QvDbObjectId id = append(new QvDbAlignedDimension(p1, p2, foot1 + (foot2 - foot1) * 0.3));

  const QvDbObjectId blockId = dimBlockOf(id);
  ASSERT_FALSE(blockId.isNull());
  const BlockContents block = contentsOf(blockId);
  EXPECT_EQ(L"*D", block.name.left(2)) << block.name.utf8();
  EXPECT_EQ(blockId, recordNamed(db()->blockTableId(), block.name.c_str()));

  ASSERT_EQ(3u, block.lines.size());
  ASSERT_EQ(2u, block.arrows.size());
  ASSERT_EQ(1u, block.texts.size());
  EXPECT_EQ(6, block.onLayerZeroByBlock);

  // The dimension line joins the feet: 5 long, parallel to the measured points.
  EXPECT_EQ(1, block.countJoining(foot1, foot2));
  // Each extension line lies across the measured line, from just off its point to past its
  // foot (the default style: 0.0625 off, 0.18 past).
  EXPECT_EQ(1, block.countJoining(p1 + off * 0.0625, foot1 + off * 0.18));
  EXPECT_EQ(1, block.countJoining(p2 + off * 0.0625, foot2 + off * 0.18));

  // An arrowhead at each foot, pointing outwards: its body lies between the feet, 0.18 long.
  const QvGeVector3d along(0.6, 0.8, 0);
  for (const auto& [tip, inward] : {std::pair{foot1, along}, std::pair{foot2, -along}}) {
    const auto* arrow = block.arrowAt(tip);
    ASSERT_NE(nullptr, arrow);
    for (int i = 1; i < 3; ++i) {
      EXPECT_NEAR(0.18, ((*arrow)[i] - tip).dotProduct(inward), kTol);
      EXPECT_NEAR(0.03, std::fabs(((*arrow)[i] - tip).dotProduct(off)), kTol);
    }
  }

  // The measurement, above the middle of the dimension line (away from the points), where the
  // dimension says its text is.
  EXPECT_EQ(L"5", block.texts[0]);
  const QvGePoint3d middle = foot1 + (foot2 - foot1) * 0.5;
  const QvGeVector3d lift = block.textLocations[0] - middle;
  EXPECT_NEAR(0.0, lift.dotProduct(along), kTol);
  EXPECT_GT(lift.dotProduct(off), 0.0);
  EXPECT_NEAR(0.0, block.textDirections[0].crossProduct(along).length(), kTol);
  QvDbObjectPointer<QvDbAlignedDimension> dimension(id, QvDb::kForRead);
  EXPECT_LT(dimension->textPosition().distanceTo(block.textLocations[0]), kTol);
}

TEST_F(QvDbDimensionBlockTest, ChangingTheGeometryRefillsTheSameBlock) {
  const QvDbObjectId id = append(new QvDbRotatedDimension(
      0.0, QvGePoint3d(1, 1, 0), QvGePoint3d(4, 5, 0), QvGePoint3d(0, 7, 0)));
  const QvDbObjectId blockId = dimBlockOf(id);
  const BlockContents before = contentsOf(blockId);
  ASSERT_EQ(1u, before.texts.size());
  EXPECT_EQ(L"3", before.texts[0]);
  EXPECT_EQ(1, anonymousDimensionBlocks(db()));

  // A change of colour leaves the block alone.
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_EQ(eOk, dimension->setColorIndex(3));
  }
  EXPECT_EQ(before.ids, contentsOf(blockId).ids);

  // Moving a point and closing: the same block, emptied and filled again.
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_EQ(eOk, dimension->setXLine2Point(QvGePoint3d(11.5, -2, 0)));
  }
  ASSERT_EQ(blockId, dimBlockOf(id));
  const BlockContents after = contentsOf(blockId);
  ASSERT_EQ(6, after.ids.length());
  for (const QvDbObjectId& old : before.ids) EXPECT_TRUE(old.isErased());
  ASSERT_EQ(1u, after.texts.size());
  EXPECT_EQ(L"10.5", after.texts[0]);
  EXPECT_EQ(1, after.countJoining(QvGePoint3d(1, 7, 0), QvGePoint3d(11.5, 7, 0)));
  EXPECT_EQ(1, anonymousDimensionBlocks(db()));

  // Turning it a quarter: now the vertical distance, 3, along a vertical line through x = 0.
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_EQ(eOk, dimension->setRotation(kPi / 2));
  }
  const BlockContents turned = contentsOf(blockId);
  ASSERT_EQ(1u, turned.texts.size());
  EXPECT_EQ(L"3", turned.texts[0]);
  EXPECT_EQ(1, turned.countJoining(QvGePoint3d(0, 1, 0), QvGePoint3d(0, -2, 0)));

  // A forced update refills without a change; an unforced one of a current block does not.
  QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
  ASSERT_EQ(eOk, dimension->recomputeDimBlock(false));
  EXPECT_EQ(turned.ids, entitiesOf(blockId));
  ASSERT_EQ(eOk, dimension->recomputeDimBlock(true));
  EXPECT_EQ(blockId, dimension->dimBlockId());
  EXPECT_NE(turned.ids, entitiesOf(blockId));
  EXPECT_EQ(1, anonymousDimensionBlocks(db()));
}

// A change made through a transaction shows in the block when the transaction ends; an aborted
// one leaves the block as it was.
TEST_F(QvDbDimensionBlockTest, TransactionsRefillTheBlockWhenTheyEnd) {
  const QvDbObjectId id = append(new QvDbRotatedDimension(
      0.0, QvGePoint3d(1, 1, 0), QvGePoint3d(4, 5, 0), QvGePoint3d(0, 7, 0)));
  const QvDbObjectId blockId = dimBlockOf(id);
  const QvDbObjectIdArray before = contentsOf(blockId).ids;

  const auto moveSecondPoint = [&](QvDbTransactionScope::OnExit onExit) {
    QvDbTransactionScope scope(db(), onExit);
    QvDbObject* object = nullptr;
    ASSERT_EQ(eOk, scope.transaction()->getObject(object, id, QvDb::kForWrite));
    ASSERT_EQ(eOk, QvDbRotatedDimension::cast(object)->setXLine2Point(QvGePoint3d(9, 5, 0)));
  };
  moveSecondPoint(QvDbTransactionScope::OnExit::kAbort);
  EXPECT_EQ(before, contentsOf(blockId).ids);
  moveSecondPoint(QvDbTransactionScope::OnExit::kEnd);
  ASSERT_EQ(blockId, dimBlockOf(id));
  const BlockContents after = contentsOf(blockId);
  ASSERT_EQ(1u, after.texts.size());
  EXPECT_EQ(L"8", after.texts[0]);
  EXPECT_EQ(1, anonymousDimensionBlocks(db()));
}

// Closed forms: the aligned distance of (1,2) and (7,10) is 10; the rotated one at angle a is
// |6 cos a + 8 sin a|; sqrt 2 shows with four decimals. An aligned dimension in the plane x = 0
// measures and draws in that plane.
TEST_F(QvDbDimensionBlockTest, AlignedAndRotatedDimensionsMeasureAndDrawRight) {
  const QvGePoint3d p1(1, 2, 0), p2(7, 10, 0), line(0, 20, 0);
  struct Case {
    QvDbDimension* dimension;
    const wchar_t* text;
    QvGeVector3d direction;  // of the dimension line
  };
  const double a = kPi / 6;
  const Case cases[] = {
      {new QvDbAlignedDimension(p1, p2, line), L"10", QvGeVector3d(0.6, 0.8, 0)},
      {new QvDbRotatedDimension(0.0, p1, p2, line), L"6", QvGeVector3d::kXAxis},
      {new QvDbRotatedDimension(kPi / 2, p1, p2, line), L"8", QvGeVector3d::kYAxis},
      {new QvDbRotatedDimension(a, p1, p2, line), L"9.1962",
       QvGeVector3d(std::cos(a), std::sin(a), 0)},
      {new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 1, 0), QvGePoint3d(0, 3, 0)),
       L"1.4142", QvGeVector3d(1, 1, 0).normal()},
  };
  for (const Case& c : cases) {
    const QvDbObjectId id = append(c.dimension);
    const BlockContents block = drawnIn(id);
    ASSERT_EQ(1u, block.texts.size());
    EXPECT_EQ(c.text, block.texts[0]);
    // The dimension line is the one line along the direction, as long as the measurement.
    int found = 0;
    for (const QvGeLineSeg3d& l : block.lines) {
      const QvGeVector3d v = l.endPoint() - l.startPoint();
      if (v.crossProduct(c.direction).length() > kTol) continue;
      ++found;
      EXPECT_NEAR(std::wcstod(c.text, nullptr), v.length(), 1e-4);
    }
    EXPECT_EQ(1, found) << QvString(c.text).utf8();
  }

  auto* upright =
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 3, 4), QvGePoint3d(0, 0, 2));
  upright->setNormal(QvGeVector3d::kXAxis);
  const BlockContents block = drawnIn(append(upright));
  ASSERT_EQ(1u, block.texts.size());
  EXPECT_EQ(L"5", block.texts[0]);
  for (const QvGeLineSeg3d& l : block.lines) {
    EXPECT_NEAR(0.0, l.startPoint().x, kTol);
    EXPECT_NEAR(0.0, l.endPoint().x, kTol);
  }
  for (const auto& arrow : block.arrows)
    for (const QvGePoint3d& corner : arrow) EXPECT_NEAR(0.0, corner.x, kTol);
}

// A copy in the same drawing first shares the block; changed, it makes its own and leaves the
// original's alone. Erased, a dimension keeps its block (for unerase) and the block becomes
// purgeable.
TEST_F(QvDbDimensionBlockTest, CopiesMakeTheirOwnBlockAndErasedDimensionsLeaveThemToPurge) {
  const QvDbObjectId original = append(
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0), QvGePoint3d(0, 1, 0)));
  const QvDbObjectId originalBlock = dimBlockOf(original);
  const BlockContents originalContents = contentsOf(originalBlock);

  QvDbIdMapping map;
  ASSERT_EQ(eOk, db()->deepCloneObjects({original}, db()->modelSpaceId(), map));
  const QvDbObjectId copy = cloneOf(map, original);
  {
    QvDbObjectPointer<QvDbAlignedDimension> dimension(copy, QvDb::kForWrite);
    ASSERT_EQ(eOk, dimension->transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, 10, 0))));
    ASSERT_EQ(eOk, dimension->setXLine2Point(QvGePoint3d(7, 10, 0)));
  }
  const QvDbObjectId copyBlock = dimBlockOf(copy);
  ASSERT_FALSE(copyBlock.isNull());
  EXPECT_NE(originalBlock, copyBlock);
  EXPECT_EQ(originalContents.ids, contentsOf(originalBlock).ids);
  const BlockContents copyContents = contentsOf(copyBlock);
  ASSERT_EQ(1u, copyContents.texts.size());
  EXPECT_EQ(L"7", copyContents.texts[0]);
  EXPECT_EQ(1, copyContents.countJoining(QvGePoint3d(0, 11, 0), QvGePoint3d(7, 11, 0)));

  QvDbObjectIdArray purgeable{originalBlock, copyBlock};
  ASSERT_EQ(eOk, db()->purge(purgeable));
  EXPECT_TRUE(purgeable.isEmpty()) << "blocks of live dimensions are in use";

  ASSERT_EQ(eraseObject(original), Vexa::eOk);
  EXPECT_EQ(originalBlock, [&] {
    QvDbObjectPointer<QvDbAlignedDimension> d(original, QvDb::kForRead, true);
    return d->dimBlockId();
  }());
  EXPECT_EQ(2, anonymousDimensionBlocks(db()));
  purgeable = {originalBlock, copyBlock};
  ASSERT_EQ(eOk, db()->purge(purgeable));
  EXPECT_EQ(QvDbObjectIdArray{originalBlock}, purgeable);
}

// A caller holding the block table open for read: the dimension cannot make its block when it
// joins, and makes it when it is closed after the table.
TEST_F(QvDbDimensionBlockTest, ABlockTableHeldByTheCallerDefersTheBlockToTheClose) {
  QvDbBlockTable* table = nullptr;
  ASSERT_EQ(eOk, db()->getSymbolTable(table, QvDb::kForRead));
  QvDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(eOk, table->getAt(kQvDbModelSpace, space, QvDb::kForWrite));
  auto* dimension =
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(2, 0, 0), QvGePoint3d(0, 1, 0));
  ASSERT_EQ(eOk, space->appendQvDbEntity(dimension));
  EXPECT_TRUE(dimension->dimBlockId().isNull());
  EXPECT_EQ(Vexa::eWasOpenForRead, dimension->recomputeDimBlock());
  space->close();
  table->close();
  const QvDbObjectId id = dimension->objectId();
  ASSERT_EQ(eOk, dimension->close());
  const BlockContents block = drawnIn(id);
  ASSERT_EQ(1u, block.texts.size());
  EXPECT_EQ(L"2", block.texts[0]);

  // Not in a database: nothing to make.
  QvDbAlignedDimension loose;
  EXPECT_EQ(Vexa::eNotInDatabase, loose.recomputeDimBlock());
}

// A dimension draws its block's live entities; one in no database draws what its block would
// hold.
TEST_F(QvDbDimensionBlockTest, ADimensionDrawsWhatItsBlockHolds) {
  QvDbAlignedDimension loose(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2.5, 0), QvGePoint3d(1, 0, 0));
  expectDrawing(&loose, 3, 2, 0, L"2.5");

  const QvDbObjectId id = append(
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2.5, 0), QvGePoint3d(1, 0, 0)));
  QvDbObjectPointer<QvDbAlignedDimension> dimension(id, QvDb::kForWrite);
  ASSERT_EQ(eOk, dimension->setXLine1Point(QvGePoint3d(0, -1, 0)));
  ASSERT_EQ(eOk, dimension->recomputeDimBlock());
  expectDrawing(dimension.object(), 3, 2, 0, L"3.5");  // the erased former entities are not drawn
}

}  // namespace
