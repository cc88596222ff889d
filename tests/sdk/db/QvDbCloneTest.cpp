// Deep cloning within a drawing, inserting a drawing as a block, and the purge test.
#include <gtest/gtest.h>

#include <set>

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbIdMappingIter.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTransactionManager.h"
#include "sdk/db/QvDbXrecord.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/SymbolRecords.h"

namespace {

using Vexa::eOk;

class QvDbCloneTest : public HostFixture {
 protected:
  // Gives `ownerId` an owned test entity (an object of the database owned by it, in no block).
  static QvDbObjectId addChild(QvDbObjectId ownerId, int value) {
    QvDbObjectPointer<TestEntity> owner(ownerId, QvDb::kForWrite);
    auto* child = new TestEntity(value);
    QvDbObjectId childId;
    EXPECT_EQ(owner->database()->addQvDbObject(childId, child), eOk);
    child->setOwnerId(ownerId);
    child->close();
    owner->setChild(childId);
    return childId;
  }
  static void setReference(QvDbObjectId id, QvDbObjectId target) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForWrite);
    ASSERT_EQ(entity->setReference(target), eOk);
  }
  static QvDbObjectId referenceOf(QvDbObjectId id) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForRead);
    return entity ? entity->reference() : QvDbObjectId();
  }
  static QvDbObjectId childOf(QvDbObjectId id) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForRead);
    return entity ? entity->child() : QvDbObjectId();
  }
  static QvDbObjectId extDictOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead, true);
    return object ? object->extensionDictionary() : QvDbObjectId();
  }
  static QvDbIdPair pairOf(const QvDbIdMapping& map, QvDbObjectId key) {
    QvDbIdPair pair(key, QvDbObjectId(), false);
    EXPECT_TRUE(map.compute(pair));
    return pair;
  }
};

TEST_F(QvDbCloneTest, DeepCloneTakesOwnedObjectsAlongAndTranslatesReferences) {
  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId a = addTestEntity(space, 1);
  const QvDbObjectId b = addTestEntity(space, 2);
  const QvDbObjectId d = addTestEntity(space, 4);
  const QvDbObjectId e = addTestEntity(space, 5);  // not cloned
  setReference(a, b);                              // within the set: translated
  setReference(d, e);                              // outside the set: kept
  const QvDbObjectId child = addChild(a, 3);
  QvDbObjectId note;
  {
    QvDbObjectPointer<TestEntity> entity(a, QvDb::kForWrite);
    ASSERT_EQ(entity->createExtensionDictionary(), eOk);
    QvDbObjectPointer<QvDbDictionary> dict(entity->extensionDictionary(), QvDb::kForWrite);
    QvDbObjectPointer<QvDbXrecord> xrec(new QvDbXrecord());
    // An id inside the record (a hard pointer to b) is translated too.
    int64_t name[2];
    qvdbGetAdsName(name, b);
    resbuf* data = qvutNewRb(340);
    data->value.name[0] = name[0];
    xrec->setFromRbChain(data);
    qvutRelRb(data);
    ASSERT_EQ(dict->setAt(L"NOTE", xrec.object(), note), eOk);
  }
  const QvDbObjectId target = addBlock(db(), L"Target");
  const int objectsBefore = db()->numObjects();

  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a, b, d}, target, map), eOk);
  EXPECT_TRUE(nothingLeftOpen(db()));

  // Owner (uncloned), three primaries, the child, the extension dictionary and its record.
  EXPECT_EQ(map.numEntries(), 7);
  QvDbIdMappingIter it(map);
  int cloned = 0, primary = 0;
  std::set<QvDbObjectId> values;
  for (QvDbIdPair pair; it.getMap(pair); it.next()) {
    cloned += pair.isCloned();
    primary += pair.isPrimary();
    if (pair.isCloned()) {
      EXPECT_NE(pair.key(), pair.value());
      EXPECT_TRUE(pair.value().isValid());
      values.insert(pair.value());
    }
  }
  EXPECT_EQ(cloned, 6);
  EXPECT_EQ(primary, 3);
  EXPECT_EQ(values.size(), 6u);
  EXPECT_FALSE(pairOf(map, target).isCloned());
  EXPECT_TRUE(pairOf(map, child).isCloned());
  EXPECT_FALSE(pairOf(map, child).isPrimary());
  EXPECT_EQ(db()->numObjects(), objectsBefore + 6);

  const QvDbObjectId a2 = pairOf(map, a).value();
  const QvDbObjectId b2 = pairOf(map, b).value();
  const QvDbObjectId d2 = pairOf(map, d).value();
  EXPECT_EQ(entitiesOf(target), (QvDbObjectIdArray{a2, b2, d2}));  // the order asked for
  EXPECT_EQ(valuesIn(target), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(referenceOf(a2), b2);
  EXPECT_EQ(referenceOf(d2), e);
  const QvDbObjectId child2 = childOf(a2);
  EXPECT_EQ(child2, pairOf(map, child).value());
  EXPECT_EQ(ownerOf(child2), a2);
  EXPECT_EQ(valueOf(child2), 3);
  const QvDbObjectId extDict2 = extDictOf(a2);
  EXPECT_EQ(extDict2, pairOf(map, extDictOf(a)).value());
  EXPECT_EQ(ownerOf(extDict2), a2);
  {
    QvDbObjectPointer<QvDbDictionary> dict(extDict2, QvDb::kForRead);
    QvDbObjectId note2;
    ASSERT_EQ(dict->getAt(L"NOTE", note2), eOk);
    EXPECT_EQ(note2, pairOf(map, note).value());
    QvDbObjectPointer<QvDbXrecord> xrec(note2, QvDb::kForRead);
    resbuf* data = nullptr;
    xrec->rbChain(data);
    QvRbListPtr owned(data);
    QvDbObjectId inside;
    ASSERT_EQ(qvdbGetObjectId(inside, data->value.name), eOk);
    EXPECT_EQ(inside, b2);
  }
  // The sources are as they were.
  EXPECT_EQ(referenceOf(a), b);
  EXPECT_EQ(childOf(a), child);
  EXPECT_EQ(valuesIn(space), (std::vector<int>{1, 2, 4, 5}));
}

// Handles in extended data are references too: those naming a cloned object name its clone.
TEST_F(QvDbCloneTest, HandlesInExtendedDataFollowTheClones) {
  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId a = addTestEntity(space, 1);
  const QvDbObjectId b = addTestEntity(space, 2);
  const QvDbObjectId e = addTestEntity(space, 5);  // not cloned
  addRegApp(db(), L"LINKS");
  const auto setLinks = [](QvDbObjectId id, QvDbObjectId first, QvDbObjectId second) {
    QvRbListPtr data(qvutBuildList(1001, L"LINKS", 1005, first.handle().ascii().c_str(), 1000,
                                   L"kept", 1005, second.handle().ascii().c_str(), 0));
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForWrite);
    ASSERT_EQ(entity->setXData(data.get()), eOk);
  };
  const auto linksOf = [](QvDbObjectId id) {
    QvDbObjectPointer<TestEntity> entity(id, QvDb::kForRead);
    QvRbListPtr data(entity->xData(L"LINKS"));
    std::vector<QvString> values;
    for (const resbuf* rb = data.get() ? data.get()->next : nullptr; rb; rb = rb->next)
      values.push_back(rb->value.string);
    return values;
  };
  setLinks(a, b, e);
  setLinks(b, a, b);

  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a, b}, space, map), eOk);
  const QvDbObjectId a2 = pairOf(map, a).value();
  const QvDbObjectId b2 = pairOf(map, b).value();
  EXPECT_EQ(linksOf(a2), (std::vector<QvString>{b2.handle().ascii(), L"kept", e.handle().ascii()}));
  EXPECT_EQ(linksOf(b2),
            (std::vector<QvString>{a2.handle().ascii(), L"kept", b2.handle().ascii()}));
  // The sources keep theirs.
  EXPECT_EQ(linksOf(a), (std::vector<QvString>{b.handle().ascii(), L"kept", e.handle().ascii()}));
}

TEST_F(QvDbCloneTest, AFailedCloneLeavesTheDrawingAsItWas) {
  const QvDbObjectId a = addTestEntity(db()->modelSpaceId(), 1);
  const QvDbObjectId b = addTestEntity(db()->modelSpaceId(), 2);
  const QvDbObjectId target = addBlock(db(), L"Target");
  const int objectsBefore = db()->numObjects();
  QvDbIdMapping map;
  // The second source is open for write: refused after the first was cloned.
  {
    QvDbObjectPointer<TestEntity> busy(b, QvDb::kForWrite);
    EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a, b}, target, map), Vexa::eWasOpenForWrite);
  }
  EXPECT_EQ(map.numEntries(), 0);
  EXPECT_TRUE(entitiesOf(target).isEmpty());
  EXPECT_EQ(db()->numObjects(), objectsBefore);
  // The owner open elsewhere, an erased source, ids of another drawing, no owner.
  {
    QvDbObjectPointer<QvDbBlockTableRecord> busy(target, QvDb::kForRead);
    EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a}, target, map), Vexa::eWasOpenForRead);
  }
  ASSERT_EQ(eraseObject(b), eOk);
  EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a, b}, target, map), Vexa::eWasErased);
  QvDbDatabase other;
  EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{other.modelSpaceId()}, target, map),
            Vexa::eWrongDatabase);
  EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a}, QvDbObjectId(), map), Vexa::eNullObjectId);
  // A layer is no entity of a block.
  EXPECT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{db()->clayer()}, target, map),
            Vexa::eWrongObjectType);
  EXPECT_EQ(db()->numObjects(), objectsBefore - 1);  // only b's erase happened
  EXPECT_TRUE(entitiesOf(target).isEmpty());
}

TEST_F(QvDbCloneTest, DeepCloneInsideATransactionIsUndoneByItsAbort) {
  const QvDbObjectId a = addTestEntity(db()->modelSpaceId(), 1);
  const QvDbObjectId target = addBlock(db(), L"Target");
  db()->transactionManager()->startTransaction();
  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a}, target, map), eOk);
  const QvDbObjectId clone = pairOf(map, a).value();
  EXPECT_EQ(valuesIn(target), (std::vector<int>{1}));
  ASSERT_EQ(db()->transactionManager()->abortTransaction(), eOk);
  EXPECT_TRUE(entitiesOf(target).isEmpty());
  EXPECT_TRUE(clone.isErased());
}

// A drawing to insert: a layer with its own linetype, a nested block, an anonymous block,
// extended data of its own application and a base point.
class QvDbInsertTest : public QvDbCloneTest {
 protected:
  void SetUp() override {
    QvDbCloneTest::SetUp();
    source = std::make_unique<QvDbDatabase>();
    QvDbDatabase* src = source.get();
    const QvDbObjectId dashed =
        addRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(src, L"Dashed", [](auto& r) {
          r.setDashes({0.5, -0.25});
        });
    walls = addLayer(src, L"Walls", [&](QvDbLayerTableRecord& layer) {
      layer.setColorIndex(1);
      layer.setLinetypeObjectId(dashed);
    });
    bolt = addBlock(src, L"Bolt");
    addTestEntity(bolt, 100);
    addTestEntity(bolt, 101);
    anonymous = addBlock(src, L"*U");
    addTestEntity(anonymous, 200);
    const QvDbObjectId space = src->modelSpaceId();
    onWalls = addTestEntity(space, 10);
    {
      QvDbObjectPointer<TestEntity> entity(onWalls, QvDb::kForWrite);
      entity->setLayer(walls);
    }
    boltRef = addReference(space, bolt);
    anonymousRef = addReference(space, anonymous);
    tagged = addTestEntity(space, 11);
    addRegApp(src, L"MYAPP");
    {
      QvDbObjectPointer<TestEntity> entity(tagged, QvDb::kForWrite);
      QvRbListPtr xdata(qvutBuildList(kGcXDataAppName, L"MYAPP", kGcXDataString, L"mark", 0));
      entity->setXData(xdata.get());
    }
    src->setInsbase(QvGePoint3d(5, 5, 0));
    sourceObjects = src->numObjects();
  }

  QvDbObjectId findBlock(const wchar_t* name) { return recordNamed(db()->blockTableId(), name); }
  QvDbObjectId layerOf(QvDbObjectId entityId) {
    QvDbObjectPointer<QvDbEntity> entity(entityId, QvDb::kForRead);
    return entity ? entity->layerId() : QvDbObjectId();
  }

  std::unique_ptr<QvDbDatabase> source;
  QvDbObjectId walls, bolt, anonymous, onWalls, boltRef, anonymousRef, tagged;
  int sourceObjects = 0;
};

TEST_F(QvDbInsertTest, ADrawingBecomesABlockTwiceUnderTwoNames) {
  QvDbObjectId part;
  ASSERT_EQ(db()->insert(part, L"Part", source.get(), false), eOk);
  ASSERT_FALSE(part.isNull());
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(part), L"Part");
  EXPECT_TRUE(nothingLeftOpen(db()));
  EXPECT_TRUE(nothingLeftOpen(source.get()));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(part, QvDb::kForRead);
    EXPECT_TRUE(block->origin().isEqualTo(QvGePoint3d(5, 5, 0)));
  }
  const QvDbObjectIdArray contents = entitiesOf(part);
  ASSERT_EQ(contents.length(), 4);
  EXPECT_EQ(valueOf(contents[0]), 10);
  EXPECT_EQ(valueOf(contents[3]), 11);
  // The layer came along under its name, with its linetype.
  const QvDbObjectId newWalls = layerOf(contents[0]);
  EXPECT_EQ(newWalls.database(), db());
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(newWalls), L"Walls");
  {
    QvDbObjectPointer<QvDbLayerTableRecord> layer(newWalls, QvDb::kForRead);
    EXPECT_EQ(layer->colorIndex(), 1);
    EXPECT_EQ(QvDbSymbolTableRecord::nameOf(layer->linetypeObjectId()), L"Dashed");
    EXPECT_EQ(layer->linetypeObjectId().database(), db());
  }
  // Layer "0" of the source is this drawing's layer "0".
  EXPECT_EQ(layerOf(contents[3]), db()->clayer());
  // The nested block came along with its contents; the anonymous one under a new name.
  const QvDbObjectId newBolt = blockOfReference(contents[1]);
  EXPECT_EQ(newBolt, findBlock(L"Bolt"));
  EXPECT_EQ(valuesIn(newBolt), (std::vector<int>{100, 101}));
  const QvDbObjectId newAnonymous = blockOfReference(contents[2]);
  EXPECT_EQ(newAnonymous.database(), db());
  EXPECT_TRUE(
      qvdbGetSymbolSvc()->isAnonymousBlockName(QvDbSymbolTableRecord::nameOf(newAnonymous)));
  EXPECT_EQ(valuesIn(newAnonymous), (std::vector<int>{200}));
  // The application of the extended data is registered here now.
  {
    QvDbObjectPointer<QvDbRegAppTable> apps(db()->regAppTableId(), QvDb::kForRead);
    EXPECT_TRUE(apps->has(L"MYAPP"));
    QvDbObjectPointer<TestEntity> entity(contents[3], QvDb::kForRead);
    EXPECT_TRUE(QvRbListPtr(entity->xData(L"MYAPP")));
  }

  // Again, under another name: the shared records are not duplicated.
  QvDbObjectId part2;
  ASSERT_EQ(db()->insert(part2, L"Part2", source.get(), false), eOk);
  ASSERT_NE(part2, part);
  const QvDbObjectIdArray contents2 = entitiesOf(part2);
  ASSERT_EQ(contents2.length(), 4);
  EXPECT_EQ(blockOfReference(contents2[1]), newBolt);
  EXPECT_EQ(layerOf(contents2[0]), newWalls);
  EXPECT_NE(blockOfReference(contents2[2]), newAnonymous);        // an anonymous block each time
  EXPECT_EQ(valuesIn(part), (std::vector<int>{10, -1, -1, 11}));  // untouched by the second
  {
    QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForRead);
    EXPECT_EQ(layers->numRecords(), 2);
  }
  // The source drawing is as it was.
  EXPECT_EQ(source->numObjects(), sourceObjects);
  EXPECT_EQ(blockOfReference(boltRef), bolt);
  EXPECT_EQ(layerOf(onWalls), walls);
}

TEST_F(QvDbInsertTest, InsertingUnderATakenNameRedefinesTheBlock) {
  const QvDbObjectId existing = addBlock(db(), L"Part");
  const QvDbObjectId old = addTestEntity(existing, 99);
  // A layer this drawing has already keeps its own settings.
  const QvDbObjectId ownWalls =
      addLayer(db(), L"WALLS", [](QvDbLayerTableRecord& layer) { layer.setColorIndex(5); });
  QvDbObjectId part;
  ASSERT_EQ(db()->insert(part, L"part", source.get()), eOk);
  EXPECT_EQ(part, existing);
  EXPECT_TRUE(old.isErased());
  const QvDbObjectIdArray contents = entitiesOf(part);
  ASSERT_EQ(contents.length(), 4);
  EXPECT_EQ(layerOf(contents[0]), ownWalls);
  QvDbObjectPointer<QvDbLayerTableRecord> layer(ownWalls, QvDb::kForRead);
  EXPECT_EQ(layer->colorIndex(), 5);
  EXPECT_TRUE(layer->linetypeObjectId().isNull());
}

TEST_F(QvDbInsertTest, RefusalsLeaveTheDrawingAsItWas) {
  const int objectsBefore = db()->numObjects();
  QvDbObjectId blockId;
  EXPECT_EQ(db()->insert(blockId, L"Bad:Name", source.get()), Vexa::eInvalidSymbolName);
  EXPECT_EQ(db()->insert(blockId, L"Part", nullptr), Vexa::eNullPtr);
  EXPECT_EQ(db()->insert(blockId, L"Part", db()), Vexa::eInvalidInput);
  // A block that would contain itself: the source uses a block named like the target.
  EXPECT_EQ(db()->insert(blockId, L"Bolt", source.get()), Vexa::eInvalidInput);
  EXPECT_TRUE(blockId.isNull());
  EXPECT_TRUE(findBlock(L"Bolt").isNull());
  EXPECT_EQ(db()->numObjects(), objectsBefore);
  // An existing block whose contents cannot be replaced.
  const QvDbObjectId existing = addBlock(db(), L"Part");
  const QvDbObjectId old = addTestEntity(existing, 99);
  {
    QvDbObjectPointer<TestEntity> busy(old, QvDb::kForRead);
    EXPECT_EQ(db()->insert(blockId, L"Part", source.get()), Vexa::eWasOpenForRead);
  }
  EXPECT_FALSE(old.isErased());
  EXPECT_EQ(valuesIn(existing), (std::vector<int>{99}));
}

TEST_F(QvDbInsertTest, PurgeKeepsWhatIsUsed) {
  QvDbDatabase* src = source.get();
  const QvDbObjectId unused = addBlock(src, L"Unused");
  const QvDbObjectId spare = addLayer(src, L"Spare");
  QvDbObjectIdArray ids{bolt, anonymous, unused, walls, spare, src->clayer(), src->modelSpaceId()};
  ASSERT_EQ(src->purge(ids), eOk);
  EXPECT_EQ(ids, (QvDbObjectIdArray{unused, spare}));
  // Used only by an erased entity: purgeable.
  ASSERT_EQ(eraseObject(boltRef), Vexa::eOk);
  QvDbObjectIdArray again{bolt};
  ASSERT_EQ(src->purge(again), eOk);
  EXPECT_EQ(again, (QvDbObjectIdArray{bolt}));
  QvDbObjectIdArray foreign{db()->clayer()};
  EXPECT_EQ(src->purge(foreign), Vexa::eWrongDatabase);
}

}  // namespace
