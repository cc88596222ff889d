#pragma once

#include <cstdint>

#include "xqcmdutil/XqCmdUtilExport.h"

// Turns "CMDECHO" off while it lives: command echo is off. The destructor writes back the
// value read when the guard was made; when that read failed it writes nothing, even if the
// variable can be read by then.
class XQCMDUTIL_EXPORT PrepareCmdEcho {
 public:
  PrepareCmdEcho();
  PrepareCmdEcho(const PrepareCmdEcho& other) = default;
  PrepareCmdEcho& operator=(const PrepareCmdEcho& other) = default;
  ~PrepareCmdEcho();

 private:
  int32_t m_oldValue;  // the 16-bit value of "CMDECHO", sign-extended; INT32_MIN when not read
};
