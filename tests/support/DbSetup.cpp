#include "tests/support/DbSetup.h"

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

QvDbObjectIdArray entitiesOf(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead, true);
  return block ? block->entityIds() : QvDbObjectIdArray();
}
