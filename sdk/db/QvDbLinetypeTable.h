#pragma once

#include "sdk/db/QvDbLinetypeTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"

// The table of linetypes.
class QvDbLinetypeTable : public QvDbSymbolTableOf<QvDbLinetypeTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbLinetypeTable);

  QvDbLinetypeTable() = default;
};

using QvDbLinetypeTableIterator = QvDbSymbolTableIteratorOf<QvDbLinetypeTableRecord>;
