#pragma once

#include "sdk/db/QvDbObject.h"

// An entry of the drawing's scale list ("ACAD_SCALELIST"): a named ratio of paper units to
// drawing units ("1:50" is 1 paper unit for 50 drawing units).
class QvDbScale : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbScale);

  QvDbScale() = default;

  QvString scaleName() const;
  Vexa::ErrorStatus setScaleName(const wchar_t* name);  // not empty
  double paperUnits() const;
  double drawingUnits() const;
  // Both positive and finite (eOutOfRange otherwise).
  Vexa::ErrorStatus setUnits(double paperUnits, double drawingUnits);
  // paper units / drawing units
  double scale() const;
  bool isUnitScale() const;

 private:
  friend class QvDbDatabase;

  QvString name_ = L"1:1";
  double paperUnits_ = 1.0;
  double drawingUnits_ = 1.0;
};
