#pragma once

#include "sdk/rx/IVexaCmdApplication.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The module's two plain entry points, which the host's dynamic linker looks up by name.
extern "C" {
// The version of the host programming interface the module was built for (kVexaApiVersion).
XQCMDUTIL_EXPORT unsigned int qvrxGetApiVersion();
// The module's one application object; every call answers the same pointer.
XQCMDUTIL_EXPORT IVexaCmdApplication* GetVexaCmdApplication();
}
