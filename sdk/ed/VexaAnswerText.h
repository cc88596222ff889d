#pragma once

#include <array>

#include "sdk/base/QvString.h"

// Reads typed answers. Numbers are plain decimals ("12", "-0.5", "1e3"); no other forms
// (no hexadecimal, infinities or NaN). Surrounding blanks are allowed.
class VexaAnswerText {
 public:
  // A finite decimal number.
  static bool toNumber(const QvString& text, double& value);
  // An optionally signed whole number in the 16-bit range the classic interface uses.
  static bool toInteger(const QvString& text, int& value);
  // "x,y" or "x,y,z" (z 0 when left out).
  static bool toPoint(const QvString& text, std::array<double, 3>& point);
  // An angle in degrees ("30"), or in radians with an "r" suffix ("0.5r"); answered in
  // radians, as typed (not brought into a turn).
  static bool toAngle(const QvString& text, double& radians);
};
