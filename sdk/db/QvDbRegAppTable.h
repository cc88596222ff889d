#pragma once

#include "sdk/db/QvDbRegAppTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"

// The table of registered applications.
class QvDbRegAppTable : public QvDbSymbolTableOf<QvDbRegAppTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbRegAppTable);

  QvDbRegAppTable() = default;
};

using QvDbRegAppTableIterator = QvDbSymbolTableIteratorOf<QvDbRegAppTableRecord>;
