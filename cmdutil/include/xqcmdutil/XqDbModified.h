#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// Declares the kind of modification the running command makes to the drawing: `type` goes to
// the current document's undo controller as it stands. Nothing happens when there is no
// current document.
XQCMDUTIL_EXPORT void vexaSetDbModifiedType(int type);
