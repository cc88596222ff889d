#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "sdk/base/VexaErrorStatus.h"

// Why a drawing file could not be read or written: the status for the caller, the line of the
// file where the fault lies (0 when it is no line's) and a message that says what is wrong.
// The DXF reader and writer raise it inside and turn it into a status at their entry points.
class QvDxfError : public std::exception {
 public:
  QvDxfError(Vexa::ErrorStatus status, uint32_t line, std::string message);

  Vexa::ErrorStatus status() const { return status_; }
  uint32_t line() const { return line_; }
  const std::string& message() const { return message_; }
  // "line 12: message", or the message alone without a line.
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  Vexa::ErrorStatus status_;
  uint32_t line_;
  std::string message_;
  std::string text_;
};

// Raises a bad-file error at a line.
[[noreturn]] void qvDxfFail(uint32_t line, std::string message);
