// Block redefinition updates, the inner block operations and their fault points.
#include <gtest/gtest.h>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMLeader.h"
#include "sdk/db/QvDbSmartBlockGlobals.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using Vexa::eOk;

class BlockUpdatesTest : public HostFixture {
 protected:
  VexaFaultInjection& faults() { return host().service<VexaFaultInjection>(); }

  // A dynamic block "Door" with the test entities `values`.
  QvDbObjectId dynamicDoor(std::initializer_list<int> values) {
    const QvDbObjectId door = addBlock(db(), L"Door");
    for (int v : values) addTestEntity(door, v);
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForWrite);
    QvDbObjectId graph;
    EXPECT_EQ(QvDbEvalGraph::createGraph(record.object(), graph), eOk);
    return door;
  }
};

TEST_F(BlockUpdatesTest, RepresentationsAreRefilledFromTheRedefinedDefinition) {
  const QvDbObjectId door = dynamicDoor({1, 2});
  QvDbObjectId rep1, rep2;
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(door, rep1), eOk);
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(door, rep2), eOk);
  // Redefined: 1 and 2 go, 5 comes, and the base point moves.
  for (const QvDbObjectId& id : entitiesOf(door)) ASSERT_EQ(eraseObject(id), eOk);
  addTestEntity(door, 5);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForWrite);
    record->setOrigin(QvGePoint3d(3, 0, 0));
  }
  ASSERT_EQ(qvdbRefreshAllRepresentation(door), eOk);
  for (const QvDbObjectId& rep : {rep1, rep2}) {
    EXPECT_EQ(valuesIn(rep), (std::vector<int>{5}));
    QvDbObjectPointer<QvDbBlockTableRecord> record(rep, QvDb::kForRead);
    EXPECT_TRUE(record->origin().isEqualTo(QvGePoint3d(3, 0, 0)));
  }
  EXPECT_EQ(QvDbBlockUpdateLog::current()->count(
                QvDbBlockUpdateLog::Entry::Kind::kRefreshRepresentations),
            1);

  // A failing clone leaves every representation as it was.
  addTestEntity(door, 6);
  faults().arm("QvDbDatabase::deepCloneObjects", 1, Vexa::eOutOfMemory);
  EXPECT_EQ(qvdbRefreshAllRepresentation(door), Vexa::eOutOfMemory);
  EXPECT_EQ(valuesIn(rep1), (std::vector<int>{5}));
  EXPECT_EQ(qvdbRefreshAllRepresentation(QvDbObjectId()), Vexa::eNullObjectId);
}

TEST_F(BlockUpdatesTest, UpdatingADefinitionIsRecordedForBlocksOnly) {
  const QvDbObjectId door = addBlock(db(), L"Door");
  const QvDbObjectId line = appendToModelSpace(db(), new QvDbLine());
  EXPECT_EQ(qvdbUpdateBlockDefinition(door, false), eOk);
  EXPECT_EQ(qvdbUpdateBlockDefinition(QvDbObjectId(), false), Vexa::eNullObjectId);
  EXPECT_NE(qvdbUpdateBlockDefinition(line, false), eOk);
  const auto& entries = QvDbBlockUpdateLog::current()->entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].ids[0], door);
}

TEST_F(BlockUpdatesTest, ExplodingIntoTheOwnerAppendsAllPiecesOrNone) {
  const QvDbObjectId block = addBlock(db(), L"B");
  for (int v : {1, 2, 3}) addTestEntity(block, v);
  const QvDbObjectId ref = addReference(db()->modelSpaceId(), block);
  const int before = entitiesOf(db()->modelSpaceId()).length();
  {
    QvDbObjectPointer<QvDbEntity> reference(ref, QvDb::kForRead);
    const auto explodeToOwner = [&](QvArray<QvDbEntity*>& pieces) {
      return QvDbBlockInternals::explodeToOwner(reference.object(), db()->modelSpaceId(), pieces,
                                                true);
    };
    QvArray<QvDbEntity*> pieces;
    faults().arm("QvDbEntity::explode", 1, Vexa::eNotApplicable);
    EXPECT_EQ(explodeToOwner(pieces), Vexa::eNotApplicable);
    EXPECT_TRUE(pieces.isEmpty());
    // The second append fails: the first piece goes again.
    faults().arm("QvDbBlockTableRecord::appendQvDbEntity", 1, Vexa::eOutOfMemory, 1);
    EXPECT_EQ(explodeToOwner(pieces), Vexa::eOutOfMemory);
    EXPECT_TRUE(pieces.isEmpty());
    EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), before);

    ASSERT_EQ(explodeToOwner(pieces), eOk);
    EXPECT_EQ(pieces.length(), 3);
  }
  // The pieces follow the reference, which stays.
  EXPECT_FALSE(ref.isErased());
  // The reference (no test entity: -1), then the pieces.
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{-1, 1, 2, 3}));
}

TEST_F(BlockUpdatesTest, StatusFaultPointsFailCloneInsertAndAppendWithoutChanges) {
  const QvDbObjectId block = addBlock(db(), L"B");
  const QvDbObjectId one = addTestEntity(db()->modelSpaceId(), 1);
  QvDbIdMapping map;
  const QvDbObjectIdArray ids{one};
  faults().arm("QvDbDatabase::deepCloneObjects", 1, Vexa::eOutOfMemory);
  EXPECT_EQ(db()->deepCloneObjects(ids, block, map), Vexa::eOutOfMemory);
  EXPECT_TRUE(entitiesOf(block).isEmpty());
  EXPECT_EQ(db()->deepCloneObjects(ids, block, map), eOk);  // one arming only
  EXPECT_EQ(valuesIn(block), (std::vector<int>{1}));

  QvDbDatabase side;
  faults().arm("QvDbDatabase::insert", 1, Vexa::eFileAccessError);
  QvDbObjectId made;
  EXPECT_EQ(db()->insert(made, L"Side", &side), Vexa::eFileAccessError);
  EXPECT_TRUE(made.isNull());

  faults().arm("QvDbBlockTableRecord::appendQvDbEntity", 1, Vexa::eOutOfMemory);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    auto* line = new QvDbLine();
    QvDbObjectId lineId;
    EXPECT_EQ(record->appendQvDbEntity(lineId, line), Vexa::eOutOfMemory);
    EXPECT_TRUE(lineId.isNull());
    delete line;
  }
  EXPECT_EQ(faults().tripped("QvDbBlockTableRecord::appendQvDbEntity"), 1);
}

TEST_F(BlockUpdatesTest, TheUnitsQueryAnswersNoUnlessSwitched) {
  QvDbBlockTableRecord record;
  EXPECT_FALSE(QvDbBlockInternals::insertUnitsIgnored(&record));
  QvDbBlockInternals::setUnitsIgnored(true);
  EXPECT_TRUE(QvDbBlockInternals::insertUnitsIgnored(&record));
  EXPECT_FALSE(QvDbBlockInternals::insertUnitsIgnored(nullptr));
}

TEST_F(BlockUpdatesTest, AMultileaderShowsABlockAndCarriesItWhenCloned) {
  const QvDbObjectId tag = addBlock(db(), L"Tag");
  const QvDbObjectId layer = addLayer(db(), L"L1");
  auto* leader = new QvDbMLeader();
  EXPECT_EQ(leader->setBlockContentId(layer), Vexa::eWrongObjectType);
  ASSERT_EQ(leader->setBlockContentId(tag), eOk);
  leader->setLeaderLine(QvGePoint3dArray{QvGePoint3d(0, 0, 0), QvGePoint3d(4, 3, 0)});
  leader->setBlockPosition(QvGePoint3d(4, 3, 0));
  const QvDbObjectId id = appendToModelSpace(db(), leader);
  ASSERT_FALSE(id.isNull());
  {
    QvDbObjectPointer<QvDbMLeader> opened(id, QvDb::kForWrite);
    ASSERT_EQ(opened->transformBy(QvGeMatrix3d::translation(QvGeVector3d(1, 0, 0))), eOk);
    EXPECT_TRUE(opened->blockPosition().isEqualTo(QvGePoint3d(5, 3, 0)));
    EXPECT_EQ(opened->blockContentId(), tag);
  }
  // A clone into a block keeps the content.
  const QvDbObjectId holder = addBlock(db(), L"Holder");
  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{id}, holder, map), eOk);
  QvDbObjectPointer<QvDbMLeader> copy(entitiesOf(holder)[0], QvDb::kForRead);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->blockContentId(), tag);
}

}  // namespace
