#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <variant>

#include "sdk/base/QvString.h"

struct resbuf;

// The value of a system variable: a 16-bit integer, a real, a 3D point or a string. A value
// knows its result-buffer type code, so it can be checked against the variable's type.
class VexaSysVarValue {
 public:
  using Point = std::array<double, 3>;

  VexaSysVarValue() = default;  // no value (type kRbNone)
  static VexaSysVarValue ofShort(int16_t value);
  static VexaSysVarValue ofReal(double value);
  static VexaSysVarValue ofPoint(const Point& value);
  static VexaSysVarValue ofText(const QvString& value);

  // kRbShort, kRbReal, kRbPoint3d, kRbString, or kRbNone for no value.
  int16_t type() const;
  bool isNone() const { return std::holds_alternative<std::monostate>(value_); }

  // The value as its own type; a value of another type answers 0, the origin or "".
  int16_t shortValue() const;
  double realValue() const;
  Point pointValue() const;
  QvString textValue() const;

  // The value held by a result buffer of type kRbShort, kRbReal, kRbPoint3d or kRbString;
  // nothing for any other type or a string buffer without text.
  static std::optional<VexaSysVarValue> fromResbuf(const resbuf& rb);
  // Writes type and value into `rb` (not its next). A string is a new allocation that `rb`
  // then owns (released with std::free, or with qvutRelRb for a list). False for no value.
  bool toResbuf(resbuf& rb) const;

  // The value as the command line shows it: "1", "0.5", "1,2,0", the text itself.
  QvString toText() const;

  friend bool operator==(const VexaSysVarValue& a, const VexaSysVarValue& b) {
    return a.value_ == b.value_;
  }

 private:
  std::variant<std::monostate, int16_t, double, Point, QvString> value_;
};
