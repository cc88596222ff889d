#include "host/TarvoModuleSession.h"

#include "sdk/rx/QvRxDynamicLinker.h"

std::vector<std::wstring> TarvoModuleSession::defaultModules() {
  return {L"XqCmdUtil", L"TarvoCommands"};
}

TarvoModuleSession::~TarvoModuleSession() {
  unloadAll();
}

bool TarvoModuleSession::load(const std::vector<std::wstring>& modules) {
  QvRxDynamicLinker* linker = qvrxDynamicLinker();
  if (!linker) {
    error_ = L"The host has no dynamic linker.";
    return false;
  }
  for (const std::wstring& module : modules) {
    if (linker->isModuleLoaded(module.c_str())) continue;
    if (!linker->loadModule(module.c_str(), false)) {
      error_ = linker->lastError();
      unloadAll();
      return false;
    }
    loaded_.push_back(module);
  }
  return true;
}

void TarvoModuleSession::unloadAll() {
  QvRxDynamicLinker* linker = qvrxDynamicLinker();
  while (!loaded_.empty()) {
    if (linker) linker->unloadModule(loaded_.back().c_str());
    loaded_.pop_back();
  }
}
