#include "sdk/app/IVexaCmdApplication.h"
#include "xqcmdutil/XqCmdUtilExport.h"

extern "C" XQCMDUTIL_EXPORT unsigned int qvrxGetApiVersion() { return kVexaApiVersion; }
