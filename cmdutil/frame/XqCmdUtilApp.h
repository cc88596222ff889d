#pragma once

#include "sdk/rx/IVexaCmdApplication.h"

// The module's application object, driven by the host through IVexaCmdApplication. Loading
// registers the module's runtime classes and attaches its protocol extensions to the host's
// entity classes; unloading detaches and deletes them and removes the classes.
class XqCmdUtilApp final : public IVexaCmdApplication {
 public:
  bool initApplication() override;
  void reservedHook1() override;
  void reservedHook2() override;
  void exitApplication() override;
  int reservedQuery() override;
  void registerExtensions() override;
  void unregisterExtensions() override;
};
