#pragma once

#include <optional>

// Reads a 16-bit system variable through the classic interface. False, with `value` untouched,
// when the variable cannot be read or is not a 16-bit value.
bool xqGetShortVar(const wchar_t* name, int& value);
// Writes a 16-bit system variable; false when it is refused.
bool xqSetShortVar(const wchar_t* name, int value);

// Holds a 16-bit system variable at a value while it lives: it is set when it reads otherwise
// (or cannot be read), and a value that was read is written back at the end.
class XqShortVarOverride {
 public:
  XqShortVarOverride(const wchar_t* name, int value);
  ~XqShortVarOverride();
  XqShortVarOverride(const XqShortVarOverride&) = delete;
  XqShortVarOverride& operator=(const XqShortVarOverride&) = delete;

 private:
  const wchar_t* name_;
  std::optional<int> saved_;  // the value to write back
};
