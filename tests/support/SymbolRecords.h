#pragma once

#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTable.h"

// The id of the record of that name (in any case) in the symbol table `tableId`; null when there
// is none or the table does not open.
inline QvDbObjectId recordNamed(QvDbObjectId tableId, const wchar_t* name) {
  QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
  QvDbObjectId id;
  if (table) table->getAt(name, id);
  return id;
}
