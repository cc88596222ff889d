#include "host/commands/TarvoCommandsApp.h"

#include "host/commands/TarvoAlignedUcs.h"
#include "host/commands/TarvoCommandTable.h"
#include "sdk/ed/VexaCommandStack.h"

namespace {

TarvoAlignedUcs alignedUcs;

}  // namespace

bool TarvoCommandsApp::initApplication() {
  VexaCommandStack* stack = VexaCommandStack::current();
  if (!stack) return false;
  for (const TarvoCommandEntry& entry : tarvoCommandTable()) {
    if (!stack->addCommand(kGroup, entry.name, entry.function)) {
      // A name taken by another module: leave nothing half registered.
      stack->removeGroup(kGroup);
      return false;
    }
  }
  vexaSetAlignedUcsSource(&alignedUcs);
  return true;
}

void TarvoCommandsApp::exitApplication() {
  vexaSetAlignedUcsSource(nullptr);
  if (VexaCommandStack* stack = VexaCommandStack::current()) stack->removeGroup(kGroup);
}
