#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A tiled viewport configuration of model space; "*Active" is the one on screen. The stand-in
// keeps its name only.
class QvDbViewportTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbViewportTableRecord);

  QvDbViewportTableRecord() = default;

  bool acceptsSpecialName(const QvString& name) const override;
  bool isRenamable() const override;
};
