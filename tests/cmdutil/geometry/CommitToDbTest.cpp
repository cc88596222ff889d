// Committing new entities: the owner chosen, what stays open, and refusals that lose nothing.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

class CommitToDbTest : public HostFixture {
 protected:
  static QvDbEntity* newEntity() {
    return new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0),
                                    QvGePoint3d(0, 1, 0));
  }
  // Commits, checks the entity is left open for write and closes it.
  QvDbObjectId commit(QvDbEntity* entity, QvDbDatabase* database, QvDbObjectId owner) {
    const QvDbObjectId id = XqDbUtil::CommitToDB(entity, database, owner);
    if (!id.isNull()) {
      EXPECT_TRUE(entity->isWriteEnabled());
      EXPECT_EQ(entity->objectId(), id);
      entity->close();
    }
    return id;
  }
  static QvDbObjectId ownerOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    return entity ? entity->ownerId() : QvDbObjectId();
  }
};

TEST_F(CommitToDbTest, ChoosesTheSpaceByTileModeAndViewport) {
  // Tile mode on: model space.
  EXPECT_EQ(ownerOf(commit(newEntity(), nullptr, QvDbObjectId())), db()->modelSpaceId());

  // Tile mode off: paper space in the paper viewport (1), model space in any other.
  ASSERT_EQ(setShortVar(L"TILEMODE", 0), kQvNormal);
  ASSERT_EQ(setShortVar(L"CVPORT", 1), kQvNormal);
  EXPECT_EQ(ownerOf(commit(newEntity(), nullptr, QvDbObjectId())), db()->paperSpaceId());
  ASSERT_EQ(setShortVar(L"CVPORT", 2), kQvNormal);
  EXPECT_EQ(ownerOf(commit(newEntity(), db(), QvDbObjectId())), db()->modelSpaceId());

  // A given owner wins; so does a given database other than the working one.
  const QvDbObjectId block = addBlock(db(), L"PARTS");
  EXPECT_EQ(ownerOf(commit(newEntity(), nullptr, block)), block);
  EXPECT_TRUE(nothingLeftOpen(db()));
  auto side = std::make_unique<QvDbDatabase>(true, true);
  const QvDbObjectId id = commit(newEntity(), side.get(), QvDbObjectId());
  EXPECT_EQ(id.database(), side.get());
  EXPECT_EQ(ownerOf(id), side->modelSpaceId());
  EXPECT_TRUE(nothingLeftOpen(side.get()));
}

TEST_F(CommitToDbTest, ResidentEntitiesAndRefusals) {
  QvDbEntity* none = nullptr;
  EXPECT_TRUE(XqDbUtil::CommitToDB(none, db(), QvDbObjectId()).isNull());

  // Already in a database: its own id, nothing appended.
  const QvDbObjectId id = commit(newEntity(), nullptr, QvDbObjectId());
  ASSERT_FALSE(id.isNull());
  {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    QvDbEntity* resident = entity.object();
    EXPECT_EQ(XqDbUtil::CommitToDB(resident, nullptr, QvDbObjectId()), id);
  }
  QvDbObjectPointer<QvDbBlockTableRecord> modelSpace(db()->modelSpaceId(), QvDb::kForRead);
  EXPECT_EQ(modelSpace->entityIds().length(), 1);
  modelSpace.close();

  // An owner that is not a block table record, or is busy: null, and the entity stays the
  // caller's.
  QvDbEntity* entity = newEntity();
  QvDbObjectPointer<QvDbEntity> keep(entity);
  EXPECT_TRUE(XqDbUtil::CommitToDB(entity, nullptr, db()->layerTableId()).isNull());
  EXPECT_FALSE(entity->isResident());
  QvDbObjectPointer<QvDbBlockTableRecord> busy(db()->modelSpaceId(), QvDb::kForRead);
  EXPECT_TRUE(XqDbUtil::CommitToDB(entity, nullptr, db()->modelSpaceId()).isNull());
  EXPECT_FALSE(entity->isResident());
}

// Without a host there is no working database and no "CVPORT" to read: a given database
// still takes the entity, into model space even with tile mode off (the viewport counts as a
// model-space one).
TEST(CommitToDbWithoutHost, NeedsADatabaseAndTakesTheModelSpace) {
  ASSERT_EQ(VexaHost::current(), nullptr);
  QvDbEntity* entity =
      new QvDbAlignedDimension(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), QvGePoint3d(0, 1, 0));
  QvDbObjectPointer<QvDbEntity> keep(entity);
  EXPECT_TRUE(XqDbUtil::CommitToDB(entity, nullptr, QvDbObjectId()).isNull());
  EXPECT_FALSE(entity->isResident());

  auto side = std::make_unique<QvDbDatabase>(true, true);
  ASSERT_EQ(side->setTilemode(false), Vexa::eOk);
  const QvDbObjectId id = XqDbUtil::CommitToDB(entity, side.get(), QvDbObjectId());
  ASSERT_FALSE(id.isNull());
  keep.release();  // the database's now, open for write
  EXPECT_EQ(entity->ownerId(), side->modelSpaceId());
  entity->close();
  EXPECT_TRUE(nothingLeftOpen(side.get()));
}

}  // namespace
