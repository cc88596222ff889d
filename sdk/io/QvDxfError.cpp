#include "sdk/io/QvDxfError.h"

QvDxfError::QvDxfError(Vexa::ErrorStatus status, QvDxfDiagnostic::Code code, uint32_t line,
                       std::string message)
    : status_(status), diagnostic_{code, line, std::move(message)}, text_(diagnostic_.text()) {}

void qvDxfFail(uint32_t line, QvDxfDiagnostic::Code code, std::string message) {
  throw QvDxfError(Vexa::eBadDxfFile, code, line, std::move(message));
}

std::string qvDxfQuoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string qvDxfExcerpt(std::string_view text) {
  constexpr size_t kShown = 24;
  std::string shown;
  for (size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    shown += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  if (text.size() > kShown) shown += "...";
  return shown;
}
