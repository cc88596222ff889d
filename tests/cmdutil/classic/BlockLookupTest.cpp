// Finding block definitions by name or by the visible name of a dynamic block.
#include <gtest/gtest.h>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqBlockLookup.h"

namespace {

class BlockLookupTest : public HostFixture {
 protected:
  // A dynamic block: a definition with an evaluation graph, shown under `visible` (true-name
  // data holding `visible`, or a number when it is null).
  QvDbObjectId addDynamicBlock(const wchar_t* name, const wchar_t* visible) {
    const QvDbObjectId id = addBlock(db(), name);
    EXPECT_EQ(db()->registerApplication(L"AcDbDynamicBlockTrueName"), Vexa::eOk);
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    QvDbObjectId graph;
    EXPECT_EQ(QvDbEvalGraph::createGraph(block.object(), graph), Vexa::eOk);
    const QvRbListPtr data(
        visible ? qvutBuildList(kGcXDataAppName, L"AcDbDynamicBlockTrueName", kGcXDataString,
                                visible, 0)
                : qvutBuildList(kGcXDataAppName, L"AcDbDynamicBlockTrueName", kGcXDataShort, 7, 0));
    EXPECT_EQ(block->setXData(data.get()), Vexa::eOk);
    return id;
  }
  QvDbObjectId find(const wchar_t* name) { return getBlockIdByName(db()->blockTableId(), name); }
};

TEST_F(BlockLookupTest, ByNameThenByVisibleName) {
  const QvDbObjectId door = addBlock(db(), L"Door");
  const QvDbObjectId window = addDynamicBlock(L"*U", L"Window");
  addBlock(db(), L"*U");  // anonymous, not dynamic
  EXPECT_EQ(find(L"Door"), door);
  EXPECT_EQ(find(L"DOOR"), door);  // the table's own comparison
  EXPECT_EQ(find(L"Window"), window);
  EXPECT_TRUE(find(L"WINDOW").isNull());  // visible names compare exactly
  EXPECT_EQ(find(L"*U1"), window);
  EXPECT_TRUE(find(L"Gate").isNull());
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(BlockLookupTest, OnlyDynamicDefinitionsWithAVisibleNameCount) {
  // True-name data on a block that is not dynamic does not count.
  const QvDbObjectId plain = addBlock(db(), L"*U");
  ASSERT_EQ(db()->registerApplication(L"AcDbDynamicBlockTrueName"), Vexa::eOk);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(plain, QvDb::kForWrite);
    const QvRbListPtr data(
        qvutBuildList(kGcXDataAppName, L"AcDbDynamicBlockTrueName", kGcXDataString, L"Gate", 0));
    ASSERT_EQ(block->setXData(data.get()), Vexa::eOk);
  }
  EXPECT_TRUE(find(L"Gate").isNull());
  // Data without a string gives no visible name; the next definition in table order is found.
  addDynamicBlock(L"*U", nullptr);
  const QvDbObjectId gate = addDynamicBlock(L"*U", L"Gate");
  EXPECT_EQ(find(L"Gate"), gate);
  // An erased definition is passed over.
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(gate, QvDb::kForWrite);
    ASSERT_EQ(block->erase(), Vexa::eOk);
  }
  EXPECT_TRUE(find(L"Gate").isNull());
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(BlockLookupTest, TheFirstInTableOrderWins) {
  // Two dynamic definitions shown under one name: the one made first, though its own name
  // sorts after the other's.
  const QvDbObjectId zeta = addDynamicBlock(L"Zeta", L"Gate");
  const QvDbObjectId alpha = addDynamicBlock(L"Alpha", L"Gate");
  EXPECT_EQ(find(L"Gate"), zeta);
  // A block whose own name is the one asked for comes before any visible name.
  const QvDbObjectId named = addBlock(db(), L"Gate");
  EXPECT_EQ(find(L"Gate"), named);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(named, QvDb::kForWrite);
    ASSERT_EQ(block->erase(), Vexa::eOk);
    QvDbObjectPointer<QvDbBlockTableRecord> first(zeta, QvDb::kForWrite);
    ASSERT_EQ(first->erase(), Vexa::eOk);
  }
  EXPECT_EQ(find(L"Gate"), alpha);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(BlockLookupTest, NullAndEmptyArguments) {
  addBlock(db(), L"Door");
  EXPECT_TRUE(getBlockIdByName(QvDbObjectId(), L"Door").isNull());
  EXPECT_TRUE(find(L"").isNull());
  EXPECT_TRUE(find(nullptr).isNull());
  EXPECT_TRUE(getBlockIdByName(db()->layerTableId(), L"Door").isNull());  // not a block table
  {
    // A block table held open for write elsewhere cannot be read.
    QvDbObjectPointer<QvDbBlockTable> busy(db()->blockTableId(), QvDb::kForWrite);
    ASSERT_EQ(busy.openStatus(), Vexa::eOk);
    EXPECT_TRUE(find(L"Door").isNull());
  }
  EXPECT_FALSE(find(L"Door").isNull());
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace
