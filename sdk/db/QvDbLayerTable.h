#pragma once

#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"

// The table of layers.
class QvDbLayerTable : public QvDbSymbolTableOf<QvDbLayerTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbLayerTable);

  QvDbLayerTable() = default;
};

using QvDbLayerTableIterator = QvDbSymbolTableIteratorOf<QvDbLayerTableRecord>;
