#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A named view of the drawing. The stand-in keeps its name only.
class QvDbViewTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbViewTableRecord);

  QvDbViewTableRecord() = default;
};
