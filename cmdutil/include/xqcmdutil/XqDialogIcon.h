#pragma once

#include "sdk/win/VexaWindowTypes.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Gives a dialog window the application's large icon and then its small one (WM_SETICON with
// ICON_BIG, then ICON_SMALL), each only when the host has it. Nothing for a null window.
XQCMDUTIL_EXPORT void SetDlgIcon(HWND window);
