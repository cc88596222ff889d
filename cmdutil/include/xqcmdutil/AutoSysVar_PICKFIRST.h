#pragma once

#include <cstdint>

#include "sdk/base/resbuf.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Turns "PICKFIRST" off while it lives: picking before a command is off. The destructor
// writes back the value read when the guard was made. Failures of the variable calls are
// ignored; a value that could not be read is not written.
class XQCMDUTIL_EXPORT AutoSysVar_PICKFIRST {
 public:
  AutoSysVar_PICKFIRST();
  AutoSysVar_PICKFIRST(const AutoSysVar_PICKFIRST& other) = default;
  AutoSysVar_PICKFIRST& operator=(const AutoSysVar_PICKFIRST& other) = default;
  ~AutoSysVar_PICKFIRST();

 private:
  resbuf m_value;      // "PICKFIRST" as read, then as written
  int16_t m_oldValue;  // the value to restore
};
