// Transactions: ending keeps, aborting puts everything back; objects held by a transaction.
#include <gtest/gtest.h>

#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/db/QvDbTransactionScope.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SymbolRecords.h"

namespace {

using Vexa::eOk;

class QvDbTransactionTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    a = addTestEntity(db()->modelSpaceId(), 1);
    c = addTestEntity(db()->modelSpaceId(), 3);
  }
  QvDbTransactionManager* tm() { return db()->transactionManager(); }
  void setValue(QvDbObjectId id, int value) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForWrite);
    ASSERT_EQ(entity.openStatus(), eOk);
    ASSERT_EQ(entity->setValue(value), eOk);
  }

  QvDbObjectId a, c;
};

TEST_F(QvDbTransactionTest, AbortPutsBackChangesAndTakesOutAdditions) {
  const int objectsBefore = db()->numObjects();
  ASSERT_NE(tm()->startTransaction(), nullptr);
  setValue(a, 5);
  const QvDbObjectId b = addTestEntity(db()->modelSpaceId(), 2);
  const QvDbObjectId layer = addLayer(db(), L"New");
  {
    QvDbObjectPointer<TestEntity> entity(c, QvDb::kForWrite);
    ASSERT_EQ(entity->erase(), eOk);
    QvDbObjectPointer<TestEntity> added(b, QvDb::kForWrite);
    ASSERT_EQ(added->createExtensionDictionary(), eOk);  // owned by an added object
  }
  ASSERT_EQ(db()->setInsunits(QvDb::kUnitsMeters), eOk);
  ASSERT_EQ(db()->setClayer(layer), eOk);
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{5, 2}));

  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(tm()->numActiveTransactions(), 0);
  EXPECT_EQ(valueOf(a), 1);
  EXPECT_FALSE(c.isErased());
  EXPECT_TRUE(b.isErased());
  EXPECT_FALSE(b.isValid());
  EXPECT_TRUE(layer.isErased());
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 3}));
  EXPECT_TRUE(recordNamed(db()->layerTableId(), L"New").isNull());
  EXPECT_EQ(db()->insunits(), QvDb::kUnitsMillimeters);
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(db()->clayer()), L"0");
  EXPECT_EQ(db()->numObjects(), objectsBefore);
  // The name is free again, and the handle of a taken-back object names nothing.
  EXPECT_FALSE(addLayer(db(), L"New").isNull());
  QvDbObjectId byHandle;
  EXPECT_EQ(db()->getQvDbObjectId(byHandle, false, b.handle()), Vexa::eKeyNotFound);
  EXPECT_EQ(tm()->abortTransaction(), Vexa::eNoActiveTransaction);
  EXPECT_EQ(tm()->endTransaction(), Vexa::eNoActiveTransaction);
}

TEST_F(QvDbTransactionTest, EndKeepsAndNestedLevelsAnswerToTheirParents) {
  // Inner abort: only the inner changes go.
  tm()->startTransaction();
  setValue(a, 2);
  tm()->startTransaction();
  setValue(a, 3);
  const QvDbObjectId d = addTestEntity(db()->modelSpaceId(), 4);
  EXPECT_EQ(tm()->numActiveTransactions(), 2);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 2);
  EXPECT_TRUE(d.isErased());
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 2);

  // Inner end, outer abort: the outer abort undoes what the inner level kept.
  tm()->startTransaction();
  setValue(a, 6);
  tm()->startTransaction();
  setValue(a, 7);
  setValue(c, 8);
  const QvDbObjectId e = addTestEntity(db()->modelSpaceId(), 9);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 7);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 2);
  EXPECT_EQ(valueOf(c), 3);
  EXPECT_TRUE(e.isErased());
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{2, 3}));

  // Additions handed up through levels that added nothing yet, then to one that added as many:
  // the outermost abort takes every one of them out.
  tm()->startTransaction();
  const QvDbObjectId f = addTestEntity(db()->modelSpaceId(), 10);
  const QvDbObjectId f2 = addTestEntity(db()->modelSpaceId(), 13);
  tm()->startTransaction();
  tm()->startTransaction();
  const QvDbObjectId g = addTestEntity(db()->modelSpaceId(), 11);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  const QvDbObjectId h = addTestEntity(db()->modelSpaceId(), 12);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{2, 3, 10, 13, 11, 12}));
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_TRUE(f.isErased());
  EXPECT_TRUE(f2.isErased());
  EXPECT_TRUE(g.isErased());
  EXPECT_TRUE(h.isErased());
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{2, 3}));
}

// An erase saves only the flags; a later change of data, at any level, saves the data still.
TEST_F(QvDbTransactionTest, ChangesAfterAnEraseAreUndoneWithIt) {
  const auto erase = [](QvDbObjectId id, bool erasing) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForWrite, true);
    ASSERT_EQ(entity->erase(erasing), eOk);
  };
  // Erased, brought back and changed at the same level.
  ASSERT_NE(tm()->startTransaction(), nullptr);
  erase(a, true);
  erase(a, false);
  setValue(a, 7);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_FALSE(a.isErased());
  EXPECT_EQ(valueOf(a), 1);

  // Erased at the outer level, changed in a nested one that ends: the outer abort still
  // brings the data back.
  ASSERT_NE(tm()->startTransaction(), nullptr);
  erase(c, true);
  ASSERT_NE(tm()->startTransaction(), nullptr);
  erase(c, false);
  setValue(c, 9);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(valueOf(c), 9);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_FALSE(c.isErased());
  EXPECT_EQ(valueOf(c), 3);

  // An erase that is kept stays, with the data as it was.
  ASSERT_NE(tm()->startTransaction(), nullptr);
  erase(a, true);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_TRUE(a.isErased());
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{3}));
}

// One object recorded at several levels: each level keeps one record of it, and an outer abort
// puts back the state from before the outermost level, whatever the inner levels did.
TEST_F(QvDbTransactionTest, AnObjectChangedAtSeveralLevelsIsPutBackOnce) {
  // An inner abort leaves the outer level's record as the one it finds again.
  tm()->startTransaction();
  setValue(a, 2);
  tm()->startTransaction();
  setValue(a, 3);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 2);
  setValue(a, 4);
  tm()->startTransaction();  // a sibling that ends: its record joins the outer one
  setValue(a, 5);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  setValue(a, 6);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 1);

  // Three levels, the middle one untouched: the innermost record goes up through it.
  tm()->startTransaction();
  setValue(c, 10);
  tm()->startTransaction();
  tm()->startTransaction();
  setValue(c, 11);
  setValue(a, 12);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  setValue(a, 13);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 13);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 1);
  EXPECT_EQ(valueOf(c), 3);

  // Added at the outer level, changed and erased inside: the inner abort brings back what the
  // outer level made, the outer abort takes it out.
  tm()->startTransaction();
  const QvDbObjectId d = addTestEntity(db()->modelSpaceId(), 20);
  tm()->startTransaction();
  setValue(d, 21);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(d), 20);
  tm()->startTransaction();
  setValue(d, 22);
  {
    QvDbObjectPointer<TestEntity> entity(d, QvDb::kForWrite);
    ASSERT_EQ(entity->erase(), eOk);
  }
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_TRUE(d.isErased());
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_FALSE(d.isValid());
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 3}));
}

TEST_F(QvDbTransactionTest, ObjectsGotByATransactionStayOpenUntilItEnds) {
  QvDbTransaction* transaction = tm()->startTransaction();
  QvDbObject* first = nullptr;
  QvDbObject* again = nullptr;
  ASSERT_EQ(transaction->getObject(first, a, QvDb::kForRead), eOk);
  ASSERT_EQ(tm()->getObject(again, a, QvDb::kForWrite), eOk);  // upgraded
  EXPECT_EQ(first, again);
  EXPECT_TRUE(first->isWriteEnabled());
  EXPECT_EQ(static_cast<TestEntity*>(first)->setValue(11), eOk);
  EXPECT_EQ(transaction->numOpenedObjects(), 1);
  EXPECT_EQ(db()->numOpenObjects(), 1);
  // A nested level hands what it holds to its parent.
  tm()->startTransaction();
  QvDbObject* other = nullptr;
  ASSERT_EQ(tm()->getObject(other, c, QvDb::kForRead), eOk);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_EQ(db()->numOpenObjects(), 2);
  ASSERT_EQ(tm()->endTransaction(), eOk);
  EXPECT_TRUE(nothingLeftOpen(db()));
  EXPECT_EQ(valueOf(a), 11);
  QvDbObject* none = nullptr;
  EXPECT_EQ(tm()->getObject(none, a, QvDb::kForRead), Vexa::eNoActiveTransaction);
}

TEST_F(QvDbTransactionTest, AbortClosesHeldObjectsAndDeletesAdditionsAtTheirLastClose) {
  tm()->startTransaction();
  QvDbObject* held = nullptr;
  ASSERT_EQ(tm()->getObject(held, a, QvDb::kForWrite), eOk);
  static_cast<TestEntity*>(held)->setValue(12);
  // An addition still open when the transaction is aborted.
  QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
  auto* added = new TestEntity(13);
  QvDbObjectId addedId;
  ASSERT_EQ(space->appendQvDbEntity(addedId, added), eOk);
  space.close();
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(db()->numOpenObjects(), 1);  // the addition, until its maker closes it
  EXPECT_TRUE(added->isErased());
  EXPECT_EQ(added->close(), eOk);  // deleted now
  EXPECT_TRUE(nothingLeftOpen(db()));
  EXPECT_EQ(valueOf(a), 1);
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 3}));
}

TEST_F(QvDbTransactionTest, ScopesEndOrAbortAtTheirEnd) {
  {
    QvDbTransactionScope scope(db());
    setValue(a, 20);
  }  // aborted
  EXPECT_EQ(valueOf(a), 1);
  {
    QvDbTransactionScope scope(db(), QvDbTransactionScope::OnExit::kEnd);
    setValue(a, 21);
  }  // ended
  EXPECT_EQ(valueOf(a), 21);
  {
    QvDbTransactionScope scope(db());
    setValue(a, 22);
    EXPECT_EQ(scope.commit(), eOk);
    EXPECT_EQ(scope.commit(), Vexa::eNoActiveTransaction);
  }
  EXPECT_EQ(valueOf(a), 22);
  EXPECT_EQ(tm()->numActiveTransactions(), 0);
}

TEST_F(QvDbTransactionTest, HandOverKeepsTheIdAndAbortBringsTheOriginalBack) {
  auto* replacement = new TestEntity(40);
  {
    QvDbObjectPointer<TestEntity> original(a, QvDb::kForWrite);
    ASSERT_EQ(original->createExtensionDictionary(), eOk);
    const QvDbObjectId extDict = original->extensionDictionary();
    EXPECT_EQ(original->handOverTo(replacement), eOk);
    EXPECT_FALSE(original->isResident());  // back with the caller
    EXPECT_EQ(replacement->objectId(), a);
    EXPECT_EQ(replacement->ownerId(), db()->modelSpaceId());
    EXPECT_EQ(replacement->extensionDictionary(), extDict);
    EXPECT_TRUE(replacement->isWriteEnabled());
    EXPECT_EQ(replacement->close(), eOk);
    // The guard deletes the original, which is no longer in the database.
  }
  EXPECT_EQ(valueOf(a), 40);
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{40, 3}));

  // Inside a transaction the handover is taken back with the rest.
  tm()->startTransaction();
  {
    QvDbObjectPointer<TestEntity> current(a, QvDb::kForWrite);
    auto* other = new TestEntity(41);
    ASSERT_EQ(current->handOverTo(other), eOk);
    other->close();
    current.close();  // deletes the object handed back
  }
  EXPECT_EQ(valueOf(a), 41);
  ASSERT_EQ(tm()->abortTransaction(), eOk);
  EXPECT_EQ(valueOf(a), 40);
  QvDbObjectPointer<TestEntity> entity(a, QvDb::kForRead);
  EXPECT_EQ(entity->objectId(), a);
  EXPECT_EQ(entity->ownerId(), db()->modelSpaceId());
}

// A clone is a copy in no database that shares nothing the original owns; copyFrom takes the
// data but keeps the identity.
TEST_F(QvDbTransactionTest, CopyFromAndCloneKeepIdentityApart) {
  addRegApp(db(), L"APP");
  QvDbObjectPointer<TestEntity> source(a, QvDb::kForWrite);
  QvRbListPtr xdata(qvutBuildList(kGcXDataAppName, L"APP", kGcXDataShort, 7, 0));
  ASSERT_EQ(source->setXData(xdata.get()), eOk);
  ASSERT_EQ(source->createExtensionDictionary(), eOk);
  ASSERT_EQ(source->setChild(c), eOk);
  ASSERT_EQ(source->setReference(c), eOk);
  QvDbObjectPointer<TestEntity> copy(static_cast<TestEntity*>(source->clone()));
  EXPECT_FALSE(copy->isResident());
  EXPECT_TRUE(copy->ownerId().isNull());
  EXPECT_TRUE(copy->extensionDictionary().isNull());
  EXPECT_TRUE(copy->child().isNull());
  EXPECT_EQ(copy->reference(), c);  // what it only points to is kept
  EXPECT_EQ(copy->value(), 1);
  EXPECT_TRUE(QvRbListPtr(copy->xData(L"APP")));
  source.close();
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForRead);
    QvDbObjectPointer<QvDbBlockTableRecord> block(
        static_cast<QvDbBlockTableRecord*>(space->clone()));
    EXPECT_TRUE(block->entityIds().isEmpty());
    EXPECT_FALSE(block->isLayout());
  }

  QvDbObjectPointer<TestEntity> target(c, QvDb::kForRead);
  EXPECT_FALSE(target->copyFrom(copy.object()));  // not open for write
  db()->clearAccessViolations();
  target.close();
  target.open(c, QvDb::kForWrite);
  EXPECT_TRUE(target->copyFrom(copy.object()));
  EXPECT_EQ(target->value(), 1);
  EXPECT_EQ(target->objectId(), c);
  EXPECT_TRUE(QvRbListPtr(target->xData(L"APP")));
  QvDbLayerTableRecord layer;
  EXPECT_FALSE(target->copyFrom(&layer));  // another class
}

}  // namespace
