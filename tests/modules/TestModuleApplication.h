#pragma once

#include "sdk/rx/IVexaCmdApplication.h"
#include "sdk/rx/QvRxClass.h"

#define TEST_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

// The application object of a test module. Loading registers the class `marker`, so a test
// can see whether the host initialised the module; unloading removes it again.
class TestModuleApplication final : public IVexaCmdApplication {
 public:
  TestModuleApplication(const wchar_t* marker, bool initSucceeds)
      : marker_(marker), initSucceeds_(initSucceeds) {}

  bool initApplication() override {
    newQvRxClass(marker_, L"QvRxObject");
    return initSucceeds_;
  }
  void reservedHook1() override {}
  void reservedHook2() override {}
  void exitApplication() override { deleteQvRxClass(qvrxFindQvRxClass(marker_)); }
  int reservedQuery() override { return 0; }
  void registerExtensions() override {}
  void unregisterExtensions() override {}

 private:
  const wchar_t* marker_;
  bool initSucceeds_;
};
