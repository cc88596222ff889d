#pragma once

#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbViewportTableRecord.h"

// The table of tiled viewport configurations.
class QvDbViewportTable : public QvDbSymbolTableOf<QvDbViewportTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbViewportTable);

  QvDbViewportTable() = default;
};

using QvDbViewportTableIterator = QvDbSymbolTableIteratorOf<QvDbViewportTableRecord>;
