// Extended data, extension dictionaries, dictionaries, reactors and erasing.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbXrecord.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using Vexa::eOk;

class QvDbObjectDataTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    entityId = addTestEntity(db()->modelSpaceId(), 1);
  }
  QvDbObjectId entityId;
};

// The group codes of a list, in order.
std::vector<int> codesOf(const resbuf* list) {
  std::vector<int> codes;
  for (const resbuf* rb = list; rb; rb = rb->next) codes.push_back(rb->type);
  return codes;
}

TEST_F(QvDbObjectDataTest, ExtendedDataNeedsARegisteredApplication) {
  QvRbListPtr annotative(qvutBuildList(kGcXDataAppName, L"AcadAnnotative", kGcXDataString,
                                       L"AnnotativeData", kGcXDataControl, L"{", kGcXDataShort, 1,
                                       kGcXDataShort, 1, kGcXDataControl, L"}", 0));
  QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
  EXPECT_EQ(entity->setXData(annotative.get()), Vexa::eRegAppNotFound);
  EXPECT_EQ(QvRbListPtr(entity->xData(L"AcadAnnotative")).get(), nullptr);
  entity.close();

  ASSERT_FALSE(addRegApp(db(), L"AcadAnnotative").isNull());
  entity.open(entityId, QvDb::kForWrite);
  ASSERT_EQ(entity->setXData(annotative.get()), eOk);
  entity.close();

  // Read back: the application's name record first, then the items.
  entity.open(entityId, QvDb::kForRead);
  QvRbListPtr got(entity->xData(L"acadannotative"));  // names compare without case
  ASSERT_TRUE(got);
  EXPECT_EQ(codesOf(got.get()), (std::vector<int>{1001, 1000, 1002, 1070, 1070, 1002}));
  EXPECT_EQ(QvString(got->value.string), L"AcadAnnotative");
  // The fifth record is the second 1070.
  EXPECT_EQ(got->next->next->next->next->value.int16, 1);
  EXPECT_EQ(QvRbListPtr(entity->xData(L"OTHER")).get(), nullptr);
}

TEST_F(QvDbObjectDataTest, SectionsReplaceAndRemoveByApplication) {
  addRegApp(db(), L"ONE");
  addRegApp(db(), L"TWO");
  QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
  QvRbListPtr both(qvutBuildList(kGcXDataAppName, L"ONE", kGcXDataString, L"first", kGcXDataAppName,
                                 L"TWO", kGcXDataShort, 2, 0));
  ASSERT_EQ(entity->setXData(both.get()), eOk);
  EXPECT_EQ(entity->xDataApplications(), (QvArray<QvString>{L"ONE", L"TWO"}));
  QvRbListPtr replaceOne(qvutBuildList(kGcXDataAppName, L"ONE", kGcXDataString, L"second",
                                       kGcXDataString, L"third", 0));
  ASSERT_EQ(entity->setXData(replaceOne.get()), eOk);
  QvRbListPtr all(entity->xData());
  EXPECT_EQ(codesOf(all.get()), (std::vector<int>{1001, 1000, 1000, 1001, 1070}));
  EXPECT_EQ(QvString(all->next->value.string), L"second");
  QvRbListPtr removeTwo(qvutBuildList(kGcXDataAppName, L"TWO", 0));
  ASSERT_EQ(entity->setXData(removeTwo.get()), eOk);
  EXPECT_EQ(entity->xDataApplications(), (QvArray<QvString>{L"ONE"}));

  // Malformed lists are refused whole.
  const auto refused = [&](resbuf* list) {
    QvRbListPtr owned(list);
    return entity->setXData(owned.get());
  };
  EXPECT_EQ(refused(qvutBuildList(kGcXDataString, L"no name first", 0)), Vexa::eInvalidInput);
  EXPECT_EQ(refused(qvutBuildList(kGcXDataAppName, L"ONE", kGcXDataControl, L"{", 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(refused(qvutBuildList(kGcXDataAppName, L"ONE", kGcXDataControl, L"}", 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(refused(qvutBuildList(kGcXDataAppName, L"ONE", 8, L"not xdata", 0)),
            Vexa::eInvalidInput);
  const std::wstring tooLong(256, L'x');
  EXPECT_EQ(refused(qvutBuildList(kGcXDataAppName, L"ONE", kGcXDataString, tooLong.c_str(), 0)),
            Vexa::eInvalidInput);
  EXPECT_EQ(refused(nullptr), Vexa::eInvalidInput);
  EXPECT_EQ(entity->xDataApplications(), (QvArray<QvString>{L"ONE"}));
  // A copy of the list belongs to the caller; the object's data is its own.
  QvRbListPtr copy(entity->xData(L"ONE"));
  qvutSetRbString(copy->next, L"changed");
  QvRbListPtr again(entity->xData(L"ONE"));
  EXPECT_EQ(QvString(again->next->value.string), L"second");
}

TEST_F(QvDbObjectDataTest, DictionariesKeepEntriesByKey) {
  QvDbObjectPointer<QvDbDictionary> nod(db()->namedObjectsDictionaryId(), QvDb::kForWrite);
  ASSERT_EQ(nod.openStatus(), eOk);
  for (const wchar_t* key : {L"ACAD_GROUP", L"ACAD_LAYOUT", L"ACAD_MLINESTYLE",
                             L"ACAD_PLOTSETTINGS", L"ACAD_PLOTSTYLENAME", L"ACAD_SCALELIST"})
    EXPECT_TRUE(nod->has(key)) << QvString(key);

  auto* dict = new QvDbDictionary();
  QvDbObjectId dictId;
  ASSERT_EQ(nod->setAt(L"MY_DATA", dict, dictId), eOk);
  EXPECT_TRUE(dict->isWriteEnabled());  // left open for the caller
  EXPECT_EQ(dict->ownerId(), db()->namedObjectsDictionaryId());
  auto record = [&](const wchar_t* key, int value) {
    auto* xrec = new QvDbXrecord();
    QvRbListPtr data(qvutBuildList(70, value, 1, L"text", 0));
    xrec->setFromRbChain(data.get());
    QvDbObjectId id;
    EXPECT_EQ(dict->setAt(key, xrec, id), eOk);
    xrec->close();
    return id;
  };
  const QvDbObjectId b = record(L"beta", 2);
  const QvDbObjectId a = record(L"Alpha", 1);
  const QvDbObjectId c = record(L"gamma", 3);
  QvDbObjectPointer<QvDbXrecord> keyless(new QvDbXrecord());
  EXPECT_EQ(dict->setAt(L"", keyless.object(), dictId), Vexa::eInvalidInput);
  EXPECT_EQ(dict->numEntries(), 3);
  QvString key;
  EXPECT_EQ(dict->nameAt(a, key), eOk);
  EXPECT_EQ(key, L"Alpha");
  QvDbObjectId found;
  EXPECT_EQ(dict->getAt(L"ALPHA", found), eOk);
  EXPECT_EQ(found, a);

  // The iterator gives keys in order, ignoring case.
  std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
  std::vector<QvString> keys;
  for (; !it->done(); it->next()) keys.push_back(it->name());
  EXPECT_EQ(keys, (std::vector<QvString>{L"Alpha", L"beta", L"gamma"}));

  // A new value under a taken key erases the old one.
  const QvDbObjectId b2 = record(L"BETA", 20);
  EXPECT_TRUE(b.isErased());
  EXPECT_EQ(dict->getAt(L"beta", found), eOk);
  EXPECT_EQ(found, b2);
  // remove leaves the object ownerless, not erased.
  QvDbObjectId removed;
  EXPECT_EQ(dict->remove(L"gamma", removed), eOk);
  EXPECT_EQ(removed, c);
  EXPECT_FALSE(c.isErased());
  EXPECT_EQ(dict->remove(L"gamma"), Vexa::eKeyNotFound);
  EXPECT_EQ(dict->setName(L"Alpha", L"beta"), Vexa::eDuplicateKey);
  EXPECT_EQ(dict->setName(L"Alpha", L"First"), eOk);
  EXPECT_TRUE(dict->has(L"first"));
  EXPECT_FALSE(dict->has(L"alpha"));
  dict->close();
  {
    QvDbObjectPointer<QvDbXrecord> orphan(c, QvDb::kForWrite);
    EXPECT_TRUE(orphan->ownerId().isNull());
    resbuf* data = nullptr;
    EXPECT_EQ(orphan->rbChain(data), eOk);
    QvRbListPtr owned(data);
    EXPECT_EQ(codesOf(data), (std::vector<int>{70, 1}));
    EXPECT_EQ(data->value.int16, 3);
    EXPECT_EQ(orphan->erase(), eOk);
  }
}

TEST_F(QvDbObjectDataTest, ErasedEntriesHideAndComeBackWithTheirOwners) {
  QvDbObjectId dictId, keptId, lostId;
  {
    QvDbObjectPointer<QvDbDictionary> nod(db()->namedObjectsDictionaryId(), QvDb::kForWrite);
    QvDbObjectPointer<QvDbDictionary> dict(new QvDbDictionary());
    ASSERT_EQ(nod->setAt(L"BOX", dict.object(), dictId), eOk);
    QvDbObjectPointer<QvDbXrecord> kept(new QvDbXrecord());
    QvDbObjectPointer<QvDbXrecord> lost(new QvDbXrecord());
    ASSERT_EQ(dict->setAt(L"kept", kept.object(), keptId), eOk);
    ASSERT_EQ(dict->setAt(L"lost", lost.object(), lostId), eOk);
    ASSERT_EQ(lost->erase(), eOk);  // erased on its own
    EXPECT_FALSE(dict->has(L"lost"));
    EXPECT_EQ(dict->numEntries(), 1);
  }
  // Erasing the dictionary takes the live entry with it; unerasing brings back only that one.
  {
    QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
    ASSERT_EQ(dict->erase(), eOk);
    EXPECT_TRUE(keptId.isErased());
    EXPECT_EQ(dict->erase(), Vexa::eWasErased);
  }
  {
    QvDbObjectPointer<QvDbDictionary> nod(db()->namedObjectsDictionaryId(), QvDb::kForRead);
    EXPECT_FALSE(nod->has(L"BOX"));
  }
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite, true);
  ASSERT_EQ(dict->erase(false), eOk);
  EXPECT_FALSE(keptId.isErased());
  EXPECT_TRUE(lostId.isErased());
  EXPECT_EQ(dict->erase(false), Vexa::eNotApplicable);
}

TEST_F(QvDbObjectDataTest, ExtensionDictionaryGoesWithItsObject) {
  QvDbObjectId extDict;
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForRead);
    EXPECT_EQ(entity->createExtensionDictionary(), Vexa::eNotOpenForWrite);
    db()->clearAccessViolations();
  }
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
    ASSERT_EQ(entity->createExtensionDictionary(), eOk);
    EXPECT_EQ(entity->createExtensionDictionary(), Vexa::eAlreadyInDb);
    extDict = entity->extensionDictionary();
    ASSERT_FALSE(extDict.isNull());
    QvDbObjectPointer<QvDbDictionary> dict(extDict, QvDb::kForWrite);
    EXPECT_EQ(dict->ownerId(), entityId);
    QvDbObjectPointer<QvDbXrecord> xrec(new QvDbXrecord());
    QvDbObjectId id;
    ASSERT_EQ(dict->setAt(L"NOTE", xrec.object(), id), eOk);
    xrec.close();
    dict.close();
    EXPECT_EQ(entity->releaseExtensionDictionary(), Vexa::eNotApplicable);  // not empty
    ASSERT_EQ(entity->erase(), eOk);
  }
  EXPECT_TRUE(extDict.isErased());
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite, true);
    ASSERT_EQ(entity->erase(false), eOk);
  }
  EXPECT_FALSE(extDict.isErased());
  // Erasing the extension dictionary on its own leaves the object alone.
  ASSERT_EQ(eraseObject(extDict), Vexa::eOk);
  EXPECT_FALSE(entityId.isErased());
  QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
  EXPECT_EQ(entity->createExtensionDictionary(), eOk);  // a new one replaces the erased one
  EXPECT_NE(entity->extensionDictionary(), extDict);
}

TEST_F(QvDbObjectDataTest, ErasingWithOwnersAndWhatCannotBeErased) {
  const QvDbObjectId block = addBlock(db(), L"Parts");
  const QvDbObjectId inside = addTestEntity(block, 5);
  // Erasing a block definition leaves its entities as they are (they are erased through it).
  ASSERT_EQ(eraseObject(block), Vexa::eOk);
  EXPECT_FALSE(inside.isErased());
  EXPECT_EQ(valuesIn(block), (std::vector<int>{5}));
  // An erased entity stays in its place and comes back there.
  const QvDbObjectId second = addTestEntity(db()->modelSpaceId(), 2);
  const QvDbObjectId third = addTestEntity(db()->modelSpaceId(), 3);
  ASSERT_EQ(eraseObject(second), Vexa::eOk);
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 3}));
  {
    QvDbObjectPointer<TestEntity> entity(second, QvDb::kForWrite, true);
    ASSERT_EQ(entity->erase(false), eOk);
  }
  EXPECT_EQ(valuesIn(db()->modelSpaceId()), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(third.isErased());

  // Objects a drawing cannot do without.
  for (const QvDbObjectId& id :
       {db()->clayer(), db()->modelSpaceId(), db()->paperSpaceId(), db()->layerTableId(),
        db()->namedObjectsDictionaryId(), db()->textstyle()})
    EXPECT_EQ(eraseObject(id), Vexa::eCannotBeErased);
  EXPECT_EQ(eraseObject(addLayer(db(), L"Spare")), eOk);
  // Without a write open, nothing is erased.
  QvDbObjectPointer<TestEntity> entity(third, QvDb::kForRead);
  EXPECT_EQ(entity->erase(), Vexa::eNotOpenForWrite);
  EXPECT_FALSE(third.isErased());
  db()->clearAccessViolations();
}

// A persistent reactor: a database object that counts what it hears.
class CountingReactor : public TestEntity {
 public:
  void modified(const QvDbObject*) override { ++modifiedCalls; }
  void erased(const QvDbObject*, bool erasing) override {
    erasing ? ++erasedCalls : ++unerasedCalls;
  }
  int modifiedCalls = 0;
  int erasedCalls = 0;
  int unerasedCalls = 0;
};

class CountingTransient : public QvDbObjectReactor {
 public:
  void modified(const QvDbObject*) override { ++modifiedCalls; }
  void goodbye(const QvDbObject*) override { ++goodbyeCalls; }
  int modifiedCalls = 0;
  int goodbyeCalls = 0;
};

TEST_F(QvDbObjectDataTest, ReactorsAreListedInOrderAndHearChanges) {
  auto* watcher = new CountingReactor();
  QvDbObjectId watcherId;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    ASSERT_EQ(space->appendQvDbEntity(watcherId, watcher), eOk);
    watcher->close();
  }
  const QvDbObjectId second = addTestEntity(db()->modelSpaceId(), 9);
  CountingTransient transient;
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
    ASSERT_EQ(entity->addPersistentReactor(watcherId), eOk);
    entity->addReactor(&transient);
    ASSERT_EQ(entity->addPersistentReactor(second), eOk);
    EXPECT_EQ(entity->addPersistentReactor(QvDbObjectId()), Vexa::eNullObjectId);
    const QvArray<QvDbReactorEntry> list = entity->reactors();
    ASSERT_EQ(list.length(), 3);
    EXPECT_TRUE(list[0].isPersistent());
    EXPECT_EQ(list[0].persistentId, watcherId);
    EXPECT_FALSE(list[1].isPersistent());
    EXPECT_EQ(list[2].persistentId, second);
    EXPECT_EQ(entity->setValue(4), eOk);
    // The reactors hear of it when the writer closes.
    EXPECT_EQ(watcher->modifiedCalls, 0);
  }
  EXPECT_EQ(watcher->modifiedCalls, 1);
  EXPECT_EQ(transient.modifiedCalls, 1);
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);  // no change: no notice
  }
  EXPECT_EQ(watcher->modifiedCalls, 1);
  {
    QvDbObjectPointer<TestEntity> entity(entityId, QvDb::kForWrite);
    EXPECT_EQ(entity->removePersistentReactor(second), eOk);
    EXPECT_EQ(entity->removePersistentReactor(second), Vexa::eKeyNotFound);
    EXPECT_TRUE(entity->hasPersistentReactor(watcherId));
    EXPECT_FALSE(entity->hasPersistentReactor(second));
    ASSERT_EQ(entity->erase(), eOk);
    EXPECT_EQ(watcher->erasedCalls, 1);
    ASSERT_EQ(entity->erase(false), eOk);
    EXPECT_EQ(watcher->unerasedCalls, 1);
    entity->removeReactor(&transient);
  }
  // A transient reactor hears the goodbye of an object deleted from memory.
  auto* loose = new TestEntity(1);
  loose->addReactor(&transient);
  delete loose;
  EXPECT_EQ(transient.goodbyeCalls, 1);
}

}  // namespace
