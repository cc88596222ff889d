#include "sdk/base/VexaHost.h"

#include "sdk/rx/QvRxDictionary.h"
#include "sdk/rx/QvRxDynamicLinker.h"

namespace {
VexaHost* gCurrentHost = nullptr;
}

VexaHost::VexaHost() {
  if (gCurrentHost) qvrx_abort(L"A host is already running");
  gCurrentHost = this;
}

VexaHost::~VexaHost() {
  // Modules exit while the host's services still exist.
  if (QvRxDynamicLinker* linker = qvrxDynamicLinker()) linker->unloadAllModules();
  // A service's destructor may still reach other services, so each leaves the list first.
  while (!services_.empty()) {
    std::unique_ptr<VexaHostService> last = std::move(services_.back().second);
    services_.pop_back();
    last.reset();
  }
  gCurrentHost = nullptr;
}

VexaHost* VexaHost::current() {
  return gCurrentHost;
}
