#include "tests/sdk/db/DbTestHelpers.h"

#include <memory>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"

QvDbObjectId addTestEntity(QvDbObjectId ownerId, int value) {
  QvDbObjectPointer<QvDbBlockTableRecord> owner(ownerId, QvDb::kForWrite);
  if (!owner) return QvDbObjectId();
  QvDbObjectPointer<TestEntity> entity(new TestEntity(value));
  QvDbObjectId id;
  owner->appendQvDbEntity(id, entity.object());
  return id;
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

QvDbObjectId blockOfReference(QvDbObjectId referenceId) {
  QvDbObjectPointer<QvDbBlockReference> reference(referenceId, QvDb::kForRead, true);
  return reference ? reference->blockTableRecord() : QvDbObjectId();
}
