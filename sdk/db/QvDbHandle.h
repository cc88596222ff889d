#pragma once

#include <cstdint>
#include <functional>

#include "sdk/base/QvString.h"

// The persistent name of a database object: a 64-bit number, written in drawing files as
// upper-case hexadecimal. 0 is the null handle. Handles are unique within one database and
// never reused.
class QvDbHandle {
 public:
  constexpr QvDbHandle() = default;
  constexpr explicit QvDbHandle(uint64_t value) : value_(value) {}

  // Parses hexadecimal text (upper or lower case, 1 to 16 digits); false and the null handle
  // for anything else.
  static bool fromAscii(const wchar_t* text, QvDbHandle& handle);

  constexpr bool isNull() const { return value_ == 0; }
  constexpr uint64_t value() const { return value_; }
  QvString ascii() const;  // "1F"; "0" for the null handle

  QvDbHandle& operator++() {
    ++value_;
    return *this;
  }
  friend constexpr bool operator==(QvDbHandle a, QvDbHandle b) { return a.value_ == b.value_; }
  friend constexpr bool operator!=(QvDbHandle a, QvDbHandle b) { return a.value_ != b.value_; }
  friend constexpr bool operator<(QvDbHandle a, QvDbHandle b) { return a.value_ < b.value_; }

 private:
  uint64_t value_ = 0;
};

template <>
struct std::hash<QvDbHandle> {
  size_t operator()(QvDbHandle h) const noexcept { return std::hash<uint64_t>()(h.value()); }
};
