#pragma once

#include <vector>

#include "sdk/db/QvDbSymbolTableRecord.h"

// A linetype: its description and dash pattern (positive dashes drawn, negative gaps, zero a
// dot). "ByBlock", "ByLayer" and "Continuous" are in every drawing and keep their names.
class QvDbLinetypeTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbLinetypeTableRecord);

  QvDbLinetypeTableRecord() = default;

  QvString comments() const;
  Vexa::ErrorStatus setComments(const wchar_t* text);
  int numDashes() const;
  double dashLengthAt(int index) const;  // 0 outside the pattern
  Vexa::ErrorStatus setDashes(const std::vector<double>& dashes);
  // The length of one repetition: the sum of the dash lengths' magnitudes.
  double patternLength() const;

  bool isRenamable() const override;

 private:
  QvString comments_;
  std::vector<double> dashes_;
};
