#include "sdk/app/VexaCmdGlobals.h"

#include "sdk/base/VexaHost.h"

namespace {

struct VexaCmdGlobalsService : VexaHostService {
  VexaCmdGlobals globals;
};

}  // namespace

VexaCmdGlobals* vexaGetCmdGlobals() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaCmdGlobalsService>().globals : nullptr;
}
