#include "tests/support/DbSetup.h"

#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
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

QvDbObjectId addBlock(QvDbDatabase* db, const wchar_t* name) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForWrite);
  EXPECT_EQ(Vexa::eOk, table.openStatus());
  if (!table) return QvDbObjectId();
  QvDbObjectPointer<QvDbBlockTableRecord> record(new QvDbBlockTableRecord());
  record->setName(name);
  QvDbObjectId id;
  EXPECT_EQ(Vexa::eOk, table->add(id, record.object()));
  return id;
}
