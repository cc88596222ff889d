#include "sdk/io/QvDxfError.h"

QvDxfError::QvDxfError(Vexa::ErrorStatus status, uint32_t line, std::string message)
    : status_(status), line_(line), message_(std::move(message)) {
  text_ = line_ ? "line " + std::to_string(line_) + ": " + message_ : message_;
}

void qvDxfFail(uint32_t line, std::string message) {
  throw QvDxfError(Vexa::eBadDxfFile, line, std::move(message));
}
