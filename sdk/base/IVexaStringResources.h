#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// Texts by numeric id from the host's resource modules, for QvString::loadString and
// CString::LoadString. The modules are the application's: its resource service is bound here
// when the host starts.
class IVexaStringResources {
 public:
  // From the current module only.
  virtual bool loadFromCurrent(unsigned int id, QvString& text) const = 0;
  // From the current module, then from every other open module in opening order.
  virtual bool loadFromChain(unsigned int id, QvString& text) const = 0;

 protected:
  ~IVexaStringResources() = default;
};

// The running host's resource texts; null when no host runs or no module was opened yet.
inline const IVexaStringResources* vexaStringResources() {
  const VexaHost* host = VexaHost::current();
  return host ? host->findService<IVexaStringResources>() : nullptr;
}
