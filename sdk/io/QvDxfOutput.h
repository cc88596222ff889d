#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbHandle.h"

// Writes groups as DXF text into a buffer: the code right-aligned in three columns on one
// line, the value on the next. Text is written as UTF-8 with control characters in caret
// notation; reals in their shortest exact form.
class QvDxfOutput {
 public:
  QvDxfOutput() { text_.reserve(1 << 16); }

  // A value written as it is given (UTF-8, already free of line breaks).
  void raw(int code, std::string_view value);
  void text(int code, const QvString& value);
  void real(int code, double value);
  void integer(int code, int64_t value);
  // A handle; the null handle is written as "0".
  void handle(int code, QvDbHandle value);
  // A point: x under `code`, y under code + 10 and, for 3D, z under code + 20.
  void point(int code, double x, double y, double z, bool is3d = true);

  // Room for `bytes` more without growing again.
  void reserve(size_t bytes);

  const std::string& str() const { return text_; }
  std::string& str() { return text_; }
  size_t size() const { return text_.size(); }

 private:
  // Writes the code line at `at` (room for 8 chars at least) and answers its end.
  static char* codeLine(int code, char* at);
  // Writes a real at `at` and answers its end. The texts of recent reals are kept: drawings
  // repeat heights, scales and coordinates.
  char* realText(double value, char* at);

  struct RealText {
    uint64_t bits = 0;
    uint8_t size = 0;  // 0: no text kept
    char text[23] = {};
  };
  std::string text_;
  std::array<RealText, 256> realTexts_{};
};
