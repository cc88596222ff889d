#pragma once

#include <cstdint>

// The kind of value a DXF group code carries, after the DXF reference's code ranges. Codes
// that no range defines are invalid in a file.
class QvDxfGroupCode {
 public:
  enum Kind : uint8_t {
    kInvalid,
    kString,
    kReal,
    kInt16,
    kInt32,
    kInt64,
    kBool,     // 290-299: 0 or 1
    kHandle,   // 5, 105, 320-329, 1005: a handle kept as it is
    kPointer,  // 330-369, 390-399, 480, 481: a handle that names another object
    kBinary,   // 310-319, 1004: hexadecimal bytes
  };

  static constexpr int kMaxCode = 1071;

  static Kind kind(int code);
  static bool isValid(int code) { return kind(code) != kInvalid; }
  // The kind's name for messages ("a real number").
  static const char* describe(Kind kind);
};
