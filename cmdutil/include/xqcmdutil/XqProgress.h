#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// The host's status-bar progress meter, in percent.

// Starts the meter with `text` and the range 0 to 100. Returns kQvNormal.
XQCMDUTIL_EXPORT int VexaProgressStart(const wchar_t* text);
// Moves the meter to `percent`; returns the host's answer (0, or -1 when no meter runs or the
// percentage is outside 0 to 100).
XQCMDUTIL_EXPORT int VexaSetProgressPercent(int percent);
// Stops the meter. Returns kQvNormal.
XQCMDUTIL_EXPORT int VexaProgressStop();
