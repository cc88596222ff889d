#include "xqcmdutil/XqCmdUtilEntry.h"

#include "cmdutil/frame/XqCmdUtilApp.h"

namespace {

// Made at module start-up and destroyed at module exit; it registers nothing by itself.
XqCmdUtilApp theApp;

}  // namespace

unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion;
}

IVexaCmdApplication* GetVexaCmdApplication() {
  return &theApp;
}
