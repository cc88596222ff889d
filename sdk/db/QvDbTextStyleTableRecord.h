#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A text style: font files, fixed height (0 for none), width factor and obliquing angle.
class QvDbTextStyleTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbTextStyleTableRecord);

  QvDbTextStyleTableRecord() = default;

  double textSize() const;
  Vexa::ErrorStatus setTextSize(double size);  // >= 0
  double xScale() const;
  Vexa::ErrorStatus setXScale(double factor);  // > 0
  double obliquingAngle() const;
  Vexa::ErrorStatus setObliquingAngle(double radians);  // within (-85, 85) degrees
  QvString fileName() const;
  Vexa::ErrorStatus setFileName(const wchar_t* file);
  QvString bigFontFileName() const;
  Vexa::ErrorStatus setBigFontFileName(const wchar_t* file);
  // A style of a shape file may have no name, and a table may hold several such; a style
  // without a name stays a shape file's (eInvalidInput).
  bool isShapeFile() const;
  Vexa::ErrorStatus setIsShapeFile(bool shapes);
  bool acceptsSpecialName(const QvString& name) const override;

 private:
  double textSize_ = 0.0;
  double xScale_ = 1.0;
  double obliquingAngle_ = 0.0;
  QvString fileName_ = L"txt";
  QvString bigFontFileName_;
  bool isShapeFile_ = false;
};
