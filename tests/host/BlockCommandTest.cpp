// BLOCK, BLOCKMOD and OOPS from a script: the definition they leave, what becomes of the
// sources, and the refusals.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using P = QvGePoint3d;

class BlockCommandTest : public CommandModuleFixture {
 protected:
  QvDbObjectIdArray contents(const wchar_t* name) {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    QvDbObjectId id;
    if (table->getAt(name, id) != Vexa::eOk) return QvDbObjectIdArray();
    table.close();
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    return block->entityIds();
  }
  P startOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
    return line ? line->startPoint() : P(-1, -1, -1);
  }
};

constexpr const wchar_t* kDoor = L"LINE\n10,10\n11,10\n\nLINE\n10,10\n10,12\n\n";

TEST_F(BlockCommandTest, BlockMakesADefinitionAtTheBasePointAndOopsBringsTheSourcesBack) {
  run(kDoor);
  const auto made = run(L"BLOCK\nDoor\nUnits\n4\nDescription\nfront door\n10,10\nALL\n\n");
  EXPECT_EQ(made.done, 1) << transcript();
  EXPECT_TRUE(contains("Block \"Door\" defined from 2 objects.")) << transcript();
  ASSERT_EQ(contents(L"Door").length(), 2);
  EXPECT_POINT_NEAR(startOf(contents(L"Door")[0]), P(0, 0, 0));
  EXPECT_TRUE(modelSpace().empty());
  EXPECT_EQ(run(L"OOPS\n").done, 1);
  EXPECT_EQ(modelSpace().size(), 2u);
  EXPECT_TRUE(contains("2 objects brought back.")) << transcript();
  run(L"OOPS\n");
  EXPECT_TRUE(contains("Nothing to bring back.")) << transcript();

  // Redefined from a moved copy, with a new base point through BLOCKMOD.
  run(L"BLOCK\nDoor\nYes\nKeep\nYes\n10,10\nALL\n\n");
  EXPECT_EQ(modelSpace().size(), 2u);  // kept
  EXPECT_EQ(run(L"BLOCKMOD\nDoor\n1,0\n").done, 1) << transcript();
  EXPECT_POINT_NEAR(startOf(contents(L"Door")[0]), P(-1, 0, 0));
}

TEST_F(BlockCommandTest, RefusalsSayWhyAndChangeNothing) {
  run(kDoor);
  run(L"BLOCK\nDoor\n10,10\nALL\n\nOOPS\n");
  {  // A reference of Door in model space: Door may not be remade from it.
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    QvDbObjectId door;
    ASSERT_EQ(table->getAt(L"Door", door), Vexa::eOk);
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    auto* ref = new QvDbBlockReference(P(0, 0, 0), door);
    ASSERT_EQ(space->appendQvDbEntity(ref), Vexa::eOk);
    ref->close();
  }
  run(L"BLOCK\nDoor\nYes\n0,0\nALL\n\n");
  EXPECT_TRUE(contains("a block cannot contain itself")) << transcript();
  EXPECT_EQ(modelSpace().size(), 3u);
  EXPECT_EQ(run(L"BLOCK\nbad name?\n").done, 1);
  EXPECT_TRUE(contains("is not a valid block name")) << transcript();
  run(L"BLOCK\n*Model_Space\n");
  EXPECT_TRUE(contains("is a layout or an external reference")) << transcript();
  run(L"BLOCK\nDoor\nNo\n");
  EXPECT_EQ(contents(L"Door").length(), 2);
  run(L"BLOCK\nEmpty\n0,0\n\n");
  EXPECT_TRUE(contains("Nothing selected.")) << transcript();
  EXPECT_TRUE(contents(L"Empty").isEmpty());
  EXPECT_EQ(run(L"BLOCK\nCut\n0,0\n^C\n").cancelled, 1);
  run(L"BLOCKMOD\nNowhere\n");
  EXPECT_TRUE(contains("There is no block \"Nowhere\" to change.")) << transcript();
  EXPECT_EQ(modelSpace().size(), 3u);
}

}  // namespace
