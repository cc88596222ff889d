#pragma once

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbSymbolTable.h"

// The table of block definitions, with the spaces "*Model_Space" and "*Paper_Space". A record
// added under "*U" (or another star and one letter) gets the next free anonymous name of that
// prefix: "*U1", "*U2", ...
class QvDbBlockTable : public QvDbSymbolTableOf<QvDbBlockTableRecord> {
  QVDB_DECLARE_MEMBERS(QvDbBlockTable);

  QvDbBlockTable() = default;

  bool isAnonymousPrefix(const QvString& name) const override;
};

using QvDbBlockTableIterator = QvDbSymbolTableIteratorOf<QvDbBlockTableRecord>;
