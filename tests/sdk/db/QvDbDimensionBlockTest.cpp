// The dimension block: made when a dimension joins a drawing, refilled when its geometry
// changes, kept apart from a copy's, left to purge when the dimension is erased.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransaction.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/SymbolRecords.h"

namespace {

using Vexa::eOk;
constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-9;

// A copy of what a dimension block holds, read with every object closed again.
struct BlockContents {
  QvString name;
  QvDbObjectIdArray ids;
  std::vector<QvGeLineSeg3d> lines;
  std::vector<std::array<QvGePoint3d, 3>> arrows;  // the solids' three corners
  std::vector<QvString> texts;
  std::vector<QvGePoint3d> textLocations;
  std::vector<QvGeVector3d> textDirections;
  int onLayerZeroByBlock = 0;  // entities on layer "0" with colour by block
};

BlockContents contentsOf(QvDbObjectId blockId) {
  BlockContents contents;
  contents.name = QvDbSymbolTableRecord::nameOf(blockId);
  contents.ids = entitiesOf(blockId);
  for (const QvDbObjectId& id : contents.ids) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    if (entity->layer() == L"0" && entity->colorIndex() == QvDbEntity::kColorByBlock)
      ++contents.onLayerZeroByBlock;
    if (const auto* line = QvDbLine::cast(entity.object())) {
      contents.lines.emplace_back(line->startPoint(), line->endPoint());
    } else if (const auto* solid = QvDbSolid::cast(entity.object())) {
      std::array<QvGePoint3d, 3> corners;
      for (int i = 0; i < 3; ++i) solid->getPointAt(i, corners[i]);
      QvGePoint3d fourth;
      solid->getPointAt(3, fourth);
      EXPECT_EQ(fourth, corners[2]) << "an arrowhead is a triangle";
      contents.arrows.push_back(corners);
    } else if (const auto* text = QvDbMText::cast(entity.object())) {
      contents.texts.push_back(text->text());
      contents.textLocations.push_back(text->location());
      contents.textDirections.push_back(text->direction());
    }
  }
  return contents;
}

QvDbObjectId dimBlockOf(QvDbObjectId dimensionId) {
  QvDbObjectPointer<QvDbDimension> dimension(dimensionId, QvDb::kForRead);
  return dimension ? dimension->dimBlockId() : QvDbObjectId();
}

// Whether `line` runs between the two points, in either direction.
bool joins(const QvGeLineSeg3d& line, const QvGePoint3d& a, const QvGePoint3d& b) {
  const QvGePoint3d s = line.startPoint(), e = line.endPoint();
  return (s.distanceTo(a) < kTol && e.distanceTo(b) < kTol) ||
         (s.distanceTo(b) < kTol && e.distanceTo(a) < kTol);
}

int countJoining(const BlockContents& contents, const QvGePoint3d& a, const QvGePoint3d& b) {
  int n = 0;
  for (const QvGeLineSeg3d& line : contents.lines) n += joins(line, a, b) ? 1 : 0;
  return n;
}

// The arrowhead whose tip (its first corner) is at `tip`, or null.
const std::array<QvGePoint3d, 3>* arrowAt(const BlockContents& contents, const QvGePoint3d& tip) {
  for (const auto& arrow : contents.arrows)
    if (arrow[0].distanceTo(tip) < kTol) return &arrow;
  return nullptr;
}

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

class QvDbDimensionBlockTest : public HostFixture {
 protected:
  QvDbObjectId append(QvDbEntity* entity) { return appendEntity(db()->modelSpaceId(), entity); }
};

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
  EXPECT_EQ(1, countJoining(block, foot1, foot2));
  // Each extension line lies across the measured line, from just off its point to past its
  // foot (the default style: 0.0625 off, 0.18 past).
  EXPECT_EQ(1, countJoining(block, p1 + off * 0.0625, foot1 + off * 0.18));
  EXPECT_EQ(1, countJoining(block, p2 + off * 0.0625, foot2 + off * 0.18));

  // An arrowhead at each foot, pointing outwards: its body lies between the feet, 0.18 long.
  const QvGeVector3d along(0.6, 0.8, 0);
  for (const auto& [tip, inward] : {std::pair{foot1, along}, std::pair{foot2, -along}}) {
    const auto* arrow = arrowAt(block, tip);
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
  EXPECT_EQ(1, countJoining(after, QvGePoint3d(1, 7, 0), QvGePoint3d(11.5, 7, 0)));
  EXPECT_EQ(1, anonymousDimensionBlocks(db()));

  // Turning it a quarter: now the vertical distance, 3, along a vertical line through x = 0.
  {
    QvDbObjectPointer<QvDbRotatedDimension> dimension(id, QvDb::kForWrite);
    ASSERT_EQ(eOk, dimension->setRotation(kPi / 2));
  }
  const BlockContents turned = contentsOf(blockId);
  ASSERT_EQ(1u, turned.texts.size());
  EXPECT_EQ(L"3", turned.texts[0]);
  EXPECT_EQ(1, countJoining(turned, QvGePoint3d(0, 1, 0), QvGePoint3d(0, -2, 0)));

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

  {
    QvDbTransactionScope scope(db(), QvDbTransactionScope::OnExit::kAbort);
    QvDbObject* object = nullptr;
    ASSERT_EQ(eOk, scope.transaction()->getObject(object, id, QvDb::kForWrite));
    ASSERT_EQ(eOk, QvDbRotatedDimension::cast(object)->setXLine2Point(QvGePoint3d(9, 5, 0)));
  }
  EXPECT_EQ(before, contentsOf(blockId).ids);

  {
    QvDbTransactionScope scope(db(), QvDbTransactionScope::OnExit::kEnd);
    QvDbObject* object = nullptr;
    ASSERT_EQ(eOk, scope.transaction()->getObject(object, id, QvDb::kForWrite));
    ASSERT_EQ(eOk, QvDbRotatedDimension::cast(object)->setXLine2Point(QvGePoint3d(9, 5, 0)));
  }
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
    const BlockContents block = contentsOf(dimBlockOf(id));
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
  const BlockContents block = contentsOf(dimBlockOf(append(upright)));
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
  QvDbIdPair pair(original, QvDbObjectId(), false);
  ASSERT_TRUE(map.compute(pair));
  const QvDbObjectId copy = pair.value();
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
  EXPECT_EQ(1, countJoining(copyContents, QvGePoint3d(0, 11, 0), QvGePoint3d(7, 11, 0)));

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
  const BlockContents block = contentsOf(dimBlockOf(id));
  ASSERT_EQ(1u, block.texts.size());
  EXPECT_EQ(L"2", block.texts[0]);

  // Not in a database: nothing to make.
  QvDbAlignedDimension loose;
  EXPECT_EQ(Vexa::eNotInDatabase, loose.recomputeDimBlock());
}

// A dimension draws its block's live entities; one in no database draws what its block would
// hold.
TEST_F(QvDbDimensionBlockTest, ADimensionDrawsWhatItsBlockHolds) {
  auto expectDrawing = [](QvDbDimension* dimension, const wchar_t* text) {
    QvGiWorldDrawRecorder recorder;
    recorder.drawTopLevel(dimension);
    EXPECT_EQ(3, recorder.count(QvGiWorldDrawRecorder::kPolyline));
    EXPECT_EQ(2, recorder.count(QvGiWorldDrawRecorder::kPolygon));
    ASSERT_EQ(1, recorder.count(QvGiWorldDrawRecorder::kText));
    for (const auto& primitive : recorder.primitives())
      if (primitive.kind == QvGiWorldDrawRecorder::kText) {
        EXPECT_EQ(text, primitive.text);
      }
  };
  QvDbAlignedDimension loose(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2.5, 0), QvGePoint3d(1, 0, 0));
  expectDrawing(&loose, L"2.5");

  const QvDbObjectId id = append(
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 2.5, 0), QvGePoint3d(1, 0, 0)));
  QvDbObjectPointer<QvDbAlignedDimension> dimension(id, QvDb::kForWrite);
  ASSERT_EQ(eOk, dimension->setXLine1Point(QvGePoint3d(0, -1, 0)));
  ASSERT_EQ(eOk, dimension->recomputeDimBlock());
  expectDrawing(dimension.object(), L"3.5");  // the erased former entities are not drawn
}

}  // namespace
