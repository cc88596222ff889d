#pragma once

#include <optional>
#include <string_view>

#include "sdk/base/QvString.h"

// Lengths and angles as the user sees them, in the drawing's unit modes.
//
// Linear modes (LUNITS), precision 0 to 8 (LUPREC):
//   1 scientific     1.5500E+01
//   2 decimal        15.5000
//   3 engineering    1'-3.50"       feet and decimal inches, feet always shown
//   4 architectural  1'-3 1/2"      feet and inches to 1/2^precision, zero feet left out
//   5 fractional     15 1/2         to 1/2^precision
// Lengths are in drawing units; the feet forms count one unit as an inch.
//
// Angular modes (AUNITS), precision 0 to 8 (AUPREC):
//   0 degrees        45.5
//   1 deg/min/sec    45d30'0"       precision 0: degrees, 1-2: minutes, 3-4: seconds,
//                                   5-8: seconds with 1 to 4 decimals
//   2 grads          50.5556g
//   3 radians        0.7941r
//   4 surveyor       N 44d30'0" E   bearing from north or south towards east or west, the
//                                   bearing to the DMS precision; "N", "S", "E", "W" alone
// Angles are in radians counterclockwise from the X axis, written in [0, 2 pi).
//
// Reading takes what writing produces plus plain numbers, leading and trailing blanks
// ignored, numbers read alike in every locale:
//   lengths  every mode: [+-] decimal or scientific; modes 3 and 4 also feet and inches
//            ("1'", "1'-3.5\"", "1'3 1/2\"", "3-1/2\"", "1/2\""); mode 5 also "15 1/2", "1/2".
//   angles   every mode: [+-] a number in the mode's unit (degrees for modes 0, 1 and 4),
//            or with its own unit: "45d30'15.5\"", "50g", "0.79r"; a bearing "N 45d E",
//            "S30W", or "N", "S", "E", "W". The result is normalised to [0, 2 pi).
class VexaUnitsFormatter {
 public:
  enum LinearMode { kScientific = 1, kDecimal, kEngineering, kArchitectural, kFractional };
  enum AngularMode { kDegrees = 0, kDegMinSec, kGrads, kRadians, kSurveyor };
  static constexpr int kMaxPrecision = 8;

  // The current drawing's LUNITS, LUPREC, AUNITS and AUPREC (their defaults without one).
  VexaUnitsFormatter();
  // One of those settings alone, for a caller that needs no other.
  static int currentLinearMode();
  static int currentLinearPrecision();
  static int currentAngularMode();
  static int currentAngularPrecision();
  VexaUnitsFormatter(int linearMode, int linearPrecision, int angularMode, int angularPrecision)
      : linearMode_(linearMode),
        linearPrecision_(linearPrecision),
        angularMode_(angularMode),
        angularPrecision_(angularPrecision) {}

  int linearMode() const { return linearMode_; }
  int linearPrecision() const { return linearPrecision_; }
  int angularMode() const { return angularMode_; }
  int angularPrecision() const { return angularPrecision_; }

  // kQvNormal with the result; kQvError, the output untouched, for a value that is not
  // finite, a text that does not read, or settings out of range.
  int formatLinear(QvString& text, double value) const;
  int formatAngle(QvString& text, double radians) const;
  int unformatLinear(double& value, const QvString& text) const;
  int unformatAngle(double& value, const QvString& text) const;

  // The conversions themselves; none for a mode or precision out of range, a value that is
  // not finite, or a text that does not read.
  static std::optional<QvString> linearText(double value, int mode, int precision);
  static std::optional<QvString> angleText(double radians, int mode, int precision);
  static std::optional<double> linearValue(std::wstring_view text, int mode);
  static std::optional<double> angleValue(std::wstring_view text, int mode);

 private:
  int linearMode_;
  int linearPrecision_;
  int angularMode_;
  int angularPrecision_;
};
