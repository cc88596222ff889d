// A library that tells its version but hands out no application object.
#include "sdk/rx/IVexaCmdApplication.h"

extern "C" __attribute__((visibility("default"))) unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion;
}
