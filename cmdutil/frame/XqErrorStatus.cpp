#include "xqcmdutil/XqErrorStatus.h"

const char* XqErrorStatus::what() const noexcept {
  return Vexa::errorStatusName(status_);
}
