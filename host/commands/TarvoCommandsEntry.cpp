// The two plain entry points of the command module.
#include "host/commands/TarvoCommandsApp.h"

#define TARVO_COMMANDS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

TarvoCommandsApp theApp;

}  // namespace

TARVO_COMMANDS_EXPORT unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion;
}

TARVO_COMMANDS_EXPORT IVexaCmdApplication* GetVexaCmdApplication() {
  return &theApp;
}
