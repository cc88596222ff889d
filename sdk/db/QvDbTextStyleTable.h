#pragma once

#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbTextStyleTableRecord.h"

// The table of text styles.
class QvDbTextStyleTable : public QvDbSymbolTableOf<QvDbTextStyleTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbTextStyleTable);

  QvDbTextStyleTable() = default;
};

using QvDbTextStyleTableIterator = QvDbSymbolTableIteratorOf<QvDbTextStyleTableRecord>;
