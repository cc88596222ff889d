// Block definitions: found by name or by the visible name of a dynamic block, anonymous blocks
// under a moved UCS, references placed in the current space, entities added.
#include <gtest/gtest.h>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvedUcs.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/PointChecks.h"
#include "tests/support/SymbolRecords.h"
#include "xqcmdutil/XqAnonymousBlocks.h"
#include "xqcmdutil/XqBlockLookup.h"

namespace {

class BlockLookupTest : public HostFixture {
 protected:
  // A dynamic block: a definition with an evaluation graph (unless not `dynamic`), shown under
  // `visible` (true-name data holding `visible`, or a number when it is null).
  QvDbObjectId addDynamicBlock(const wchar_t* name, const wchar_t* visible, bool dynamic = true) {
    const QvDbObjectId id = addBlock(db(), name);
    EXPECT_EQ(db()->registerApplication(L"AcDbDynamicBlockTrueName"), Vexa::eOk);
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    QvDbObjectId graph;
    if (dynamic) {
      EXPECT_EQ(QvDbEvalGraph::createGraph(block.object(), graph), Vexa::eOk);
    }
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
}

TEST_F(BlockLookupTest, OnlyDynamicDefinitionsWithAVisibleNameCount) {
  // True-name data on a block that is not dynamic does not count.
  addDynamicBlock(L"*U", L"Gate", false);
  EXPECT_TRUE(find(L"Gate").isNull());
  // Data without a string gives no visible name; the next definition in table order is found.
  addDynamicBlock(L"*U", nullptr);
  const QvDbObjectId gate = addDynamicBlock(L"*U", L"Gate");
  EXPECT_EQ(find(L"Gate"), gate);
  ASSERT_EQ(eraseObject(gate), Vexa::eOk);
  EXPECT_TRUE(find(L"Gate").isNull());
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
  ASSERT_EQ(eraseObject(named), Vexa::eOk);
  ASSERT_EQ(eraseObject(zeta), Vexa::eOk);
  EXPECT_EQ(find(L"Gate"), alpha);
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
}

using P = QvGePoint3d;

class AnonymousBlocksTest : public HostFixture {
 protected:
  QvDbObjectId ownerOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    EXPECT_EQ(entity.openStatus(), Vexa::eOk);
    return entity.openStatus() == Vexa::eOk ? entity->ownerId() : QvDbObjectId();
  }
  QvDbObjectId space(const wchar_t* name) { return recordNamed(db()->blockTableId(), name); }
};

TEST_F(AnonymousBlocksTest, ContentLandsAtTheBasePointUnderAMovedAndTurnedUcs) {
  QvGeMatrix3d ucs = QvGeMatrix3d::rotation(M_PI / 2, QvGeVector3d::kZAxis);
  ucs.entry[0][3] = 100.0;
  ucs.entry[1][3] = 50.0;
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  // A line from UCS (2, 3) to UCS (5, 3), in world coordinates.
  const P from = P(2, 3, 0).transformBy(ucs), to = P(5, 3, 0).transformBy(ucs);
  const QvDbObjectId line = appendToModelSpace(db(), new QvDbLine(from, to));
  QvDbObjectId block;
  ASSERT_EQ(makeAnonymousBlock(block, {line}, P(2, 3, 0)), Vexa::eOk);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
    ASSERT_EQ(record.openStatus(), Vexa::eOk);
    EXPECT_TRUE(record->isAnonymous());
    EXPECT_TRUE(record->name().startsWith(L"*U"));
  }
  const QvDbObjectIdArray copies = entitiesOf(block);
  ASSERT_EQ(copies.length(), 1);
  QvDbObjectPointer<QvDbLine> copy(copies[0], QvDb::kForRead);
  ASSERT_EQ(copy.openStatus(), Vexa::eOk);
  // The base point is the block's origin, and the copy runs along the UCS's X axis.
  EXPECT_POINT_NEAR(copy->startPoint(), P(0, 0, 0), 1e-9);
  EXPECT_POINT_NEAR(copy->endPoint(), P(3, 0, 0), 1e-9);
}

TEST_F(AnonymousBlocksTest, AFailedCopyLeavesNoEmptyBlock) {
  const int blocks =
      QvDbObjectPointer<QvDbBlockTable>(db()->blockTableId(), QvDb::kForRead)->numRecords();
  QvDbObjectId block;  // the null id copies nothing the database knows
  EXPECT_NE(makeAnonymousBlock(block, {QvDbObjectId()}, P(0, 0, 0)), Vexa::eOk);
  EXPECT_TRUE(block.isNull());
  QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
  EXPECT_EQ(table->numRecords(), blocks);
}

TEST_F(AnonymousBlocksTest, SpacesFollowTilemodeAndCvport) {
  EXPECT_EQ(setShortVar(L"TILEMODE", 0), kQvNormal);
  EXPECT_EQ(setShortVar(L"CVPORT", 1), kQvNormal);
  auto* paperCircle = new QvDbCircle(P(0, 0, 0), QvGeVector3d::kZAxis, 1);
  const QvDbObjectId paper = addEntityToDb(paperCircle, nullptr, nullptr);
  ASSERT_FALSE(paper.isNull());
  // Already in the drawing (and still open for the caller): its own id, not appended again.
  EXPECT_EQ(addEntityToDb(paperCircle, nullptr, nullptr), paper);
  paperCircle->close();
  EXPECT_EQ(ownerOf(paper), space(L"*Paper_Space"));
  const QvDbObjectId block = addBlock(db(), L"B");
  EXPECT_EQ(ownerOf(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(2, 2, 2))),
            space(L"*Paper_Space"));
  EXPECT_EQ(setShortVar(L"CVPORT", 2), kQvNormal);
  auto* modelCircle = new QvDbCircle(P(0, 0, 0), QvGeVector3d::kZAxis, 1);
  const QvDbObjectId model = addEntityToDb(modelCircle, nullptr, nullptr);
  modelCircle->close();
  EXPECT_EQ(ownerOf(model), space(L"*Model_Space"));
  EXPECT_EQ(ownerOf(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(1, 1, 1))),
            space(L"*Model_Space"));
  EXPECT_TRUE(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(0, 1, 1)).isNull());
  QvDbObjectId id;
  auto* line = new QvDbLine(P(0, 0, 0), P(1, 0, 0));
  EXPECT_TRUE(addEntityToDb(id, line, 1));
  line->close();
  EXPECT_EQ(ownerOf(id), space(L"*Model_Space"));
}

// A reference the space refuses is not left behind: no id, nothing added, nothing leaked (the
// leak check of the test run sees a reference that is lost).
TEST_F(AnonymousBlocksTest, AReferenceTheSpaceRefusesIsNotKept) {
  const QvDbObjectId block = addBlock(db(), L"B");
  auto countOf = [&] { return entitiesOf(db()->modelSpaceId()).length(); };
  const int before = countOf();
  VexaFaultInjection& faults = host().service<VexaFaultInjection>();
  faults.arm("QvDbBlockTableRecord::appendQvDbEntity", 1, Vexa::eOutOfMemory);
  EXPECT_TRUE(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(1, 1, 1)).isNull());
  EXPECT_EQ(faults.tripped("QvDbBlockTableRecord::appendQvDbEntity"), 1);
  EXPECT_EQ(countOf(), before);
  EXPECT_FALSE(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(1, 1, 1)).isNull());
  EXPECT_EQ(countOf(), before + 1);
}

}  // namespace
