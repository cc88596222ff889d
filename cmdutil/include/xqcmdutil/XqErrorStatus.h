#pragma once

#include <exception>

#include "sdk/base/VexaErrorStatus.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The module's one exception type, raised by XqVector: Vexa::eNotApplicable (2) when a vector
// cannot grow, Vexa::eInvalidIndex (24) for an index out of range. The module does not catch
// it; it reaches the caller.
class XQCMDUTIL_EXPORT XqErrorStatus : public std::exception {
 public:
  explicit XqErrorStatus(Vexa::ErrorStatus status) : status_(status) {}

  Vexa::ErrorStatus status() const { return status_; }
  const char* what() const noexcept override;

 private:
  Vexa::ErrorStatus status_;
};
