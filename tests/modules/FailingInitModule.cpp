// A module of the right version whose initialisation fails after it registered a class.
#include "tests/modules/TestModuleApplication.h"

namespace {
TestModuleApplication theApp(L"XqTestFailingInitInitialised", false);
}

TEST_MODULE_EXPORT unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion;
}
TEST_MODULE_EXPORT IVexaCmdApplication* GetVexaCmdApplication() {
  return &theApp;
}
