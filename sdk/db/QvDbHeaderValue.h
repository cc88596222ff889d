#pragma once

#include <array>
#include <cstdint>
#include <variant>

#include "sdk/base/QvString.h"

// The value of one header variable of a drawing: a 16-bit or 32-bit integer, a real, a text or
// a triple of reals (a point or a vector).
class QvDbHeaderValue {
 public:
  enum Kind { kNone, kShort, kLong, kReal, kString, kTriple };
  using Triple = std::array<double, 3>;

  QvDbHeaderValue() = default;
  static QvDbHeaderValue ofShort(int16_t v) { return QvDbHeaderValue(Value(v)); }
  static QvDbHeaderValue ofLong(int32_t v) { return QvDbHeaderValue(Value(v)); }
  static QvDbHeaderValue ofReal(double v) { return QvDbHeaderValue(Value(v)); }
  static QvDbHeaderValue ofString(const QvString& v) { return QvDbHeaderValue(Value(v)); }
  static QvDbHeaderValue ofTriple(double x, double y, double z) {
    return QvDbHeaderValue(Value(Triple{x, y, z}));
  }

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool isNone() const { return kind() == kNone; }
  int16_t asShort() const;  // shorts and longs; 0 otherwise
  int32_t asLong() const;   // shorts and longs; 0 otherwise
  double asReal() const;    // reals and integers; 0 otherwise
  QvString asString() const;
  Triple asTriple() const;  // (0, 0, 0) unless a triple

  friend bool operator==(const QvDbHeaderValue& a, const QvDbHeaderValue& b) {
    return a.value_ == b.value_;
  }

 private:
  using Value = std::variant<std::monostate, int16_t, int32_t, double, QvString, Triple>;
  explicit QvDbHeaderValue(Value v) : value_(std::move(v)) {}

  Value value_;
};
