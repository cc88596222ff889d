// A module built for the interface version before the host's.
#include "tests/modules/TestModuleApplication.h"

namespace {
TestModuleApplication theApp(L"XqTestWrongVersionInitialised", true);
}

TEST_MODULE_EXPORT unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion - 1;
}
TEST_MODULE_EXPORT IVexaCmdApplication* GetVexaCmdApplication() {
  return &theApp;
}
