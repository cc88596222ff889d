#pragma once

#include <string>
#include <vector>

#include "sdk/base/QvString.h"

// The modules the program loads at start, loaded through the host's dynamic linker for the
// session's lifetime and unloaded, the last first, when it ends.
class TarvoModuleSession {
 public:
  // The modules every run of the program loads: the module, then the command module that
  // calls it.
  static std::vector<std::wstring> defaultModules();

  TarvoModuleSession() = default;
  TarvoModuleSession(const TarvoModuleSession&) = delete;
  TarvoModuleSession& operator=(const TarvoModuleSession&) = delete;
  ~TarvoModuleSession();

  // Loads the modules in order; stops at the first refusal, unloads what it loaded and
  // answers false with the linker's message in error().
  bool load(const std::vector<std::wstring>& modules);
  const QvString& error() const { return error_; }

 private:
  void unloadAll();

  std::vector<std::wstring> loaded_;
  QvString error_;
};
