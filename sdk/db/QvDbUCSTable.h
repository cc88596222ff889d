#pragma once

#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbUCSTableRecord.h"

// The table of named user coordinate systems.
class QvDbUCSTable : public QvDbSymbolTableOf<QvDbUCSTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbUCSTable);

  QvDbUCSTable() = default;
};

using QvDbUCSTableIterator = QvDbSymbolTableIteratorOf<QvDbUCSTableRecord>;
