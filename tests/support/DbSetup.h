#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbRegAppTableRecord.h"

class QvDbAttribute;
class QvDbEntity;

// Steps that set a drawing up for a test; a refusal fails the test.

// Appends a new entity to a block (model space, a block definition) and closes it; its id, or
// null (the entity deleted) when the block refuses it.
QvDbObjectId appendEntity(QvDbObjectId blockId, QvDbEntity* entity);
QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity);

// Appends a new attribute to a block reference and closes it; its id, or null (the attribute
// deleted) when the reference refuses it.
QvDbObjectId appendAttribute(QvDbObjectId referenceId, QvDbAttribute* attribute);

// The live entities of a block, in order (empty when the block does not open).
QvDbObjectIdArray entitiesOf(QvDbObjectId blockId);

// Adds a record of that name to the table, after `fill` has set it up; its id, or null when
// the table refuses it.
template <class Table, class Record, class Fill>
QvDbObjectId addRecord(QvDbDatabase* db, const wchar_t* name, Fill fill) {
  Table* table = nullptr;
  EXPECT_EQ(Vexa::eOk, db->getSymbolTable(table, QvDb::kForWrite));
  if (!table) return {};
  auto* record = new Record();
  record->setName(name);
  fill(*record);
  QvDbObjectId id;
  EXPECT_EQ(Vexa::eOk, table->add(id, record));
  if (id.isNull())
    delete record;
  else
    record->close();
  table->close();
  return id;
}

template <class Table, class Record>
QvDbObjectId addRecord(QvDbDatabase* db, const wchar_t* name) {
  return addRecord<Table, Record>(db, name, [](Record&) {});
}

// An empty block definition.
inline QvDbObjectId addBlock(QvDbDatabase* db, const wchar_t* name) {
  return addRecord<QvDbBlockTable, QvDbBlockTableRecord>(db, name);
}

inline QvDbObjectId addLayer(QvDbDatabase* db, const wchar_t* name) {
  return addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db, name);
}

template <class Fill>
QvDbObjectId addLayer(QvDbDatabase* db, const wchar_t* name, Fill fill) {
  return addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db, name, fill);
}

// Registers an application name.
inline QvDbObjectId addRegApp(QvDbDatabase* db, const wchar_t* name) {
  return addRecord<QvDbRegAppTable, QvDbRegAppTableRecord>(db, name);
}
