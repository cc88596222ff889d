#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"

// Symbol-table records the DXF tests set up and look up.

// Adds a record of that name to the table, after `fill` has set it up; the test fails when the
// table refuses it.
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

inline QvDbObjectId addLayer(QvDbDatabase* db, const wchar_t* name) {
  return addRecord<QvDbLayerTable, QvDbLayerTableRecord>(db, name);
}

// The id of the layer of that name; null when there is none.
inline QvDbObjectId layerNamed(QvDbDatabase* db, const wchar_t* name) {
  QvDbLayerTable* table = nullptr;
  QvDbObjectId id;
  if (db->getLayerTable(table, QvDb::kForRead) == Vexa::eOk) {
    table->getAt(name, id);
    table->close();
  }
  return id;
}
