#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/io/QvDxfDiagnostic.h"

// Why a drawing file could not be read or written: the status for the caller and the finding
// (its code, the line of the file and the message). The DXF reader and writer raise it inside
// and turn it into a status at their entry points.
class QvDxfError : public std::exception {
 public:
  QvDxfError(Vexa::ErrorStatus status, QvDxfDiagnostic::Code code, uint32_t line,
             std::string message);

  Vexa::ErrorStatus status() const { return status_; }
  const QvDxfDiagnostic& diagnostic() const { return diagnostic_; }
  QvDxfDiagnostic::Code code() const { return diagnostic_.code; }
  uint32_t line() const { return diagnostic_.line; }
  const std::string& message() const { return diagnostic_.message; }
  // The finding's text ("line 12: message").
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  Vexa::ErrorStatus status_;
  QvDxfDiagnostic diagnostic_;
  std::string text_;
};

// A text in double quotes, for messages.
std::string qvDxfQuoted(std::string_view text);
// The start of a value for messages: at most 24 characters, those that do not print as '?',
// and "..." when the value goes on.
std::string qvDxfExcerpt(std::string_view text);

// Raises a bad-file error at a line.
[[noreturn]] void qvDxfFail(uint32_t line, QvDxfDiagnostic::Code code, std::string message);
