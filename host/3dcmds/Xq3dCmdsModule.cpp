// The 3D commands module. Here it only provides the region modeler: loading the module switches
// the modeler on, unloading switches it off again.
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/IVexaCmdApplication.h"

#define XQ3D_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

class Xq3dCmdsApplication final : public IVexaCmdApplication {
 public:
  bool initApplication() override {
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(true);
    return true;
  }
  void reservedHook1() override {}
  void reservedHook2() override {}
  void exitApplication() override {
    VexaSpaModelerMgr::getSpaModelerMgr()->setModelerAvailable(false);
  }
  int reservedQuery() override { return 0; }
  void registerExtensions() override {}
  void unregisterExtensions() override {}
};

Xq3dCmdsApplication theApp;

}  // namespace

XQ3D_EXPORT unsigned int qvrxGetApiVersion() {
  return kVexaApiVersion;
}

XQ3D_EXPORT IVexaCmdApplication* GetVexaCmdApplication() {
  return &theApp;
}
