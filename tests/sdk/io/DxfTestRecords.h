#pragma once

#include <gtest/gtest.h>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "tests/support/DbSetup.h"  // addRecord, addLayer
#include "tests/support/SymbolRecords.h"

// Symbol-table records the DXF tests look up.

// The id of the layer of that name; null when there is none.
inline QvDbObjectId layerNamed(QvDbDatabase* db, const wchar_t* name) {
  return recordNamed(db->layerTableId(), name);
}
