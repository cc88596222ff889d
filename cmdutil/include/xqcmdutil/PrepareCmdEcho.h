#pragma once

#include <cstdint>

#include "xqcmdutil/XqCmdUtilExport.h"

// Turns "CMDECHO" off while it lives: command echo is off. The destructor writes back the
// value read when the guard was made. Failures of the variable calls are ignored.
class XQCMDUTIL_EXPORT PrepareCmdEcho {
 public:
  PrepareCmdEcho();
  PrepareCmdEcho(const PrepareCmdEcho& other) = default;
  PrepareCmdEcho& operator=(const PrepareCmdEcho& other) = default;
  ~PrepareCmdEcho();

 private:
  int32_t m_oldValue;  // the 16-bit value of "CMDECHO", sign-extended
};
