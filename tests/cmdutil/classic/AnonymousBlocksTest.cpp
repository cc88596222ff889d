// Anonymous blocks under a moved UCS, references placed in the current space, entities added.
#include <gtest/gtest.h>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/ed/qvedUcs.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqAnonymousBlocks.h"

namespace {

using P = QvGePoint3d;

class AnonymousBlocksTest : public HostFixture {
 protected:
  QvDbObjectId ownerOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    EXPECT_EQ(entity.openStatus(), Vexa::eOk);
    return entity.openStatus() == Vexa::eOk ? entity->ownerId() : QvDbObjectId();
  }
  QvDbObjectId space(const wchar_t* name) {
    QvDbBlockTable* table = nullptr;
    db()->getBlockTable(table, QvDb::kForRead);
    QvDbObjectId id;
    table->getAt(name, id);
    table->close();
    return id;
  }
};

TEST_F(AnonymousBlocksTest, ContentLandsAtTheBasePointUnderAMovedAndTurnedUcs) {
  QvGeMatrix3d ucs = QvGeMatrix3d::rotation(M_PI / 2, QvGeVector3d::kZAxis);
  ucs.entry[0][3] = 100.0;
  ucs.entry[1][3] = 50.0;
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  // A line from UCS (2, 3) to UCS (5, 3), in world coordinates.
  const P from = P(2, 3, 0).transformBy(ucs), to = P(5, 3, 0).transformBy(ucs);
  const QvDbObjectId line = appendToModelSpace(db(), new QvDbLine(from, to));
  QvDbObjectIdArray ids;
  ids.append(line);
  QvDbObjectId block;
  ASSERT_EQ(makeAnonymousBlock(block, ids, P(2, 3, 0)), Vexa::eOk);
  QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
  ASSERT_EQ(record.openStatus(), Vexa::eOk);
  EXPECT_TRUE(record->isAnonymous());
  EXPECT_TRUE(record->name().startsWith(L"*U"));
  QvDbBlockTableRecordIterator* it = nullptr;
  ASSERT_EQ(record->newIterator(it), Vexa::eOk);
  QvDbObjectId copyId;
  it->getEntityId(copyId);
  delete it;
  record.close();
  QvDbObjectPointer<QvDbLine> copy(copyId, QvDb::kForRead);
  ASSERT_EQ(copy.openStatus(), Vexa::eOk);
  // The base point is the block's origin, and the copy runs along the UCS's X axis.
  EXPECT_POINT_NEAR(copy->startPoint(), P(0, 0, 0), 1e-9);
  EXPECT_POINT_NEAR(copy->endPoint(), P(3, 0, 0), 1e-9);
}

TEST_F(AnonymousBlocksTest, AFailedCopyLeavesNoEmptyBlock) {
  QvDbObjectIdArray ids;
  ids.append(QvDbObjectId());  // copies nothing the database knows
  QvDbObjectId block;
  EXPECT_NE(makeAnonymousBlock(block, ids, P(0, 0, 0)), Vexa::eOk);
  EXPECT_TRUE(block.isNull());
  QvDbBlockTable* table = nullptr;
  ASSERT_EQ(db()->getBlockTable(table, QvDb::kForRead), Vexa::eOk);
  QvDbSymbolTableIterator* walk = nullptr;
  ASSERT_EQ(table->newIterator(walk), Vexa::eOk);
  for (; !walk->done(); walk->step()) {
    QvDbObjectId id;
    walk->getRecordId(id);
    EXPECT_FALSE(QvDbSymbolTableRecord::nameOf(id).startsWith(L"*U"));
  }
  delete walk;
  table->close();
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
  // A zero scale makes no reference.
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
  auto countOf = [&] {
    QvDbObjectPointer<QvDbBlockTableRecord> model(space(L"*Model_Space"), QvDb::kForRead);
    return model->entityIds().length();
  };
  const int before = countOf();
  VexaFaultInjection& faults = host().service<VexaFaultInjection>();
  faults.arm("QvDbBlockTableRecord::appendQvDbEntity", 1, Vexa::eOutOfMemory);
  EXPECT_TRUE(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(1, 1, 1)).isNull());
  EXPECT_EQ(faults.tripped("QvDbBlockTableRecord::appendQvDbEntity"), 1);
  EXPECT_EQ(countOf(), before);
  // Once the space takes it again, the reference is made.
  EXPECT_FALSE(makeBlockReference(block, P(1, 1, 0), QvGeScale3d(1, 1, 1)).isNull());
  EXPECT_EQ(countOf(), before + 1);
}

}  // namespace
