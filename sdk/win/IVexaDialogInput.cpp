#include "sdk/win/IVexaDialogInput.h"

#include <stdexcept>

#include "sdk/base/VexaHost.h"

IVexaDialogInput* vexaDialogInput() {
  VexaHost* host = VexaHost::current();
  if (!host) return nullptr;
  try {
    return &host->service<IVexaDialogInput>();
  } catch (const std::logic_error&) {
    return nullptr;  // nothing bound: a host without the editor
  }
}
