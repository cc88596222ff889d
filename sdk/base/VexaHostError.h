#pragma once

#include <exception>

#include "sdk/base/VexaErrorStatus.h"

namespace Vexa {

// The error the host raises from the few operations that report failures by exception
// rather than by status (callers that use them catch it).
class HostError : public std::exception {
 public:
  explicit HostError(ErrorStatus status) : status_(status) {}

  ErrorStatus status() const { return status_; }
  const char* what() const noexcept override { return errorStatusName(status_); }

 private:
  ErrorStatus status_;
};

}  // namespace Vexa
