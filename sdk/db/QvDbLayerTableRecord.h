#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A layer: its state (off, frozen, locked), colour index and linetype. Objects on a locked
// layer are left alone by the commands that erase or change selections.
class QvDbLayerTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbLayerTableRecord);

  QvDbLayerTableRecord() = default;

  bool isOff() const;
  Vexa::ErrorStatus setIsOff(bool off);
  bool isFrozen() const;
  Vexa::ErrorStatus setIsFrozen(bool frozen);
  bool isLocked() const;
  Vexa::ErrorStatus setIsLocked(bool locked);
  bool isPlottable() const;
  Vexa::ErrorStatus setIsPlottable(bool plottable);
  // Colour index 1 to 255 (eOutOfRange otherwise); 7 for a new layer.
  int16_t colorIndex() const;
  Vexa::ErrorStatus setColorIndex(int16_t color);
  // The layer's linetype (a record of the linetype table); null means "Continuous".
  QvDbObjectId linetypeObjectId() const;
  Vexa::ErrorStatus setLinetypeObjectId(QvDbObjectId linetypeId);

  // Layer "0" keeps its name.
  bool isRenamable() const override;
  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  bool off_ = false;
  bool frozen_ = false;
  bool locked_ = false;
  bool plottable_ = true;
  int16_t color_ = 7;
  QvDbObjectId linetypeId_;
};
