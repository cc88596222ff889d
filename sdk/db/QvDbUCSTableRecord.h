#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A named user coordinate system.
class QvDbUCSTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbUCSTableRecord);

  QvDbUCSTableRecord() = default;
};
