#include "host/commands/TarvoCommandsApp.h"

#include "host/commands/TarvoCommandTable.h"
#include "sdk/ed/VexaCommandStack.h"

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
  return true;
}

void TarvoCommandsApp::exitApplication() {
  if (VexaCommandStack* stack = VexaCommandStack::current()) stack->removeGroup(kGroup);
}
