#include "tests/support/DbSetup.h"

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbObjectPointer.h"

QvDbObjectId appendEntity(QvDbObjectId blockId, QvDbEntity* entity) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForWrite);
  QvDbObjectId id;
  EXPECT_EQ(Vexa::eOk, block.openStatus());
  if (block.openStatus() == Vexa::eOk) {
    EXPECT_EQ(Vexa::eOk, block->appendQvDbEntity(id, entity));
  }
  if (id.isNull())
    delete entity;
  else
    entity->close();
  return id;
}

QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity) {
  return appendEntity(db->modelSpaceId(), entity);
}

QvDbObjectId appendAttribute(QvDbObjectId referenceId, QvDbAttribute* attribute) {
  QvDbObjectPointer<QvDbBlockReference> reference(referenceId, QvDb::kForWrite);
  QvDbObjectId id;
  EXPECT_EQ(Vexa::eOk, reference.openStatus());
  if (reference.openStatus() == Vexa::eOk) {
    EXPECT_EQ(Vexa::eOk, reference->appendAttribute(id, attribute));
  }
  if (id.isNull())
    delete attribute;
  else
    attribute->close();
  return id;
}

QvDbObjectIdArray entitiesOf(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead, true);
  return block ? block->entityIds() : QvDbObjectIdArray();
}
