#pragma once

#include "sdk/ed/IVexaUserInteraction.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// While it lives, the active user interaction's console output controller has type 2 (the
// output of a command run on the user's behalf); the destructor gives back the type it had.
// Without an active user interaction it changes nothing; with none when it ends, it restores
// nothing.
class XQCMDUTIL_EXPORT VexaConsoalCtrlTypeAutoHandle {
 public:
  VexaConsoalCtrlTypeAutoHandle();
  VexaConsoalCtrlTypeAutoHandle(const VexaConsoalCtrlTypeAutoHandle& other) = default;
  VexaConsoalCtrlTypeAutoHandle& operator=(const VexaConsoalCtrlTypeAutoHandle& other) = default;
  ~VexaConsoalCtrlTypeAutoHandle();

 private:
  VexaConsoleOutputController::eType m_oldType;  // the type to restore
};
