#include "tests/sdk/db/DbTestHelpers.h"

#include <memory>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbIdPair.h"

QvDbObjectId addTestEntity(QvDbObjectId ownerId, int value) {
  return appendEntity(ownerId, new TestEntity(value));
}

int valueOf(QvDbObjectId id) {
  QvDbObjectPointer<TestEntity> entity(id, QvDb::kForRead, true);
  return entity ? entity->value() : -1;
}

std::vector<int> valuesIn(QvDbObjectId blockId) {
  std::vector<int> values;
  for (const QvDbObjectId& id : entitiesOf(blockId)) values.push_back(valueOf(id));
  return values;
}

QvDbObjectId addReference(QvDbObjectId ownerId, QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> owner(ownerId, QvDb::kForWrite);
  if (!owner) return QvDbObjectId();
  QvDbObjectPointer<QvDbBlockReference> reference(new QvDbBlockReference());
  if (reference->setBlockTableRecord(blockId) != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId id;
  owner->appendQvDbEntity(id, reference.object());
  return id;
}

QvDbObjectId ownerOf(QvDbObjectId id) {
  QvDbObjectPointer<QvDbObject> object(id, QvDb::kForRead, true);
  return object ? object->ownerId() : QvDbObjectId();
}

QvDbObjectId blockOfReference(QvDbObjectId referenceId) {
  QvDbObjectPointer<QvDbBlockReference> reference(referenceId, QvDb::kForRead, true);
  return reference ? reference->blockTableRecord() : QvDbObjectId();
}

QvDbObjectIdArray idsOf(QvDbObjectIterator* iterator) {
  std::unique_ptr<QvDbObjectIterator> it(iterator);
  QvDbObjectIdArray ids;
  for (it->start(); !it->done(); it->step()) ids.append(it->objectId());
  return ids;
}

QvDbObjectId cloneOf(const QvDbIdMapping& map, QvDbObjectId key) {
  QvDbIdPair pair(key, QvDbObjectId(), false);
  EXPECT_TRUE(map.compute(pair));
  return pair.value();
}
