#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A registered application: the name under which objects may carry extended data. "ACAD" is in
// every drawing.
class QvDbRegAppTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbRegAppTableRecord);

  QvDbRegAppTableRecord() = default;

  bool isRenamable() const override;
};
