#pragma once

#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbViewTableRecord.h"

// The table of named views.
class QvDbViewTable : public QvDbSymbolTableOf<QvDbViewTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbViewTable);

  QvDbViewTable() = default;
};

using QvDbViewTableIterator = QvDbSymbolTableIteratorOf<QvDbViewTableRecord>;
