#pragma once

#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"

// The table of dimension styles.
class QvDbDimStyleTable : public QvDbSymbolTableOf<QvDbDimStyleTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbDimStyleTable);

  QvDbDimStyleTable() = default;
};

using QvDbDimStyleTableIterator = QvDbSymbolTableIteratorOf<QvDbDimStyleTableRecord>;
