#pragma once

#include "sdk/rx/IVexaCmdApplication.h"

// The application object of the command module TarvoCommands: loading adds the module's
// commands (TarvoCommandTable) to the host's command stack under the group kGroup; unloading
// takes the group away again.
class TarvoCommandsApp final : public IVexaCmdApplication {
 public:
  static constexpr const wchar_t* kGroup = L"TARVO_COMMANDS";

  bool initApplication() override;
  void reservedHook1() override {}
  void reservedHook2() override {}
  void exitApplication() override;
  int reservedQuery() override { return 0; }
  void registerExtensions() override {}
  void unregisterExtensions() override {}
};
