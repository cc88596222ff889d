#include "sdk/rx/QvRxDynamicLinkerImp.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "sdk/rx/IVexaCmdApplication.h"
#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxModuleLocator.h"

QVRX_DEFINE_HOST_MEMBERS(QvRxDynamicLinkerImp)

namespace {

struct DlCloser {
  void operator()(void* handle) const {
    if (handle) dlclose(handle);
  }
};
using DlHandle = std::unique_ptr<void, DlCloser>;

QvString joined(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) text += (text.empty() ? "" : ", ") + folder;
  return QvString(text.empty() ? "(none)" : text.c_str());
}

const char* lastDlError() {
  const char* error = dlerror();
  return error ? error : "unknown error";
}

}  // namespace

struct QvRxDynamicLinkerImp::Module {
  QvString key;
  QvString name;
  std::string path;
  IVexaCmdApplication* app = nullptr;
  DlHandle handle;  // closed last, after the application has exited
};

QvRxDynamicLinkerImp::QvRxDynamicLinkerImp() = default;

QvRxDynamicLinkerImp::~QvRxDynamicLinkerImp() {
  unloadAllModules();
}

const QvRxDynamicLinkerImp::Module* QvRxDynamicLinkerImp::find(const QvString& key) const {
  for (const auto& module : modules_)
    if (module->key == key) return module.get();
  return nullptr;
}

bool QvRxDynamicLinkerImp::refuse(const QvString& message, bool printIt) {
  lastError_ = message;
  if (printIt) {
    std::fprintf(stderr, "%s\n", message.utf8().c_str());
    std::fflush(stderr);
  }
  return false;
}

bool QvRxDynamicLinkerImp::loadModule(const wchar_t* name, bool printIt, bool /*asCommand*/) {
  lastError_.empty();
  const QvString key = QvRxModuleLocator::key(name);
  if (key.isEmpty()) return refuse(L"No module name was given.", printIt);
  if (find(key)) return true;

  auto module = std::make_unique<Module>();
  module->key = key;
  module->name = QvRxModuleLocator::baseName(name);
  module->path = QvRxModuleLocator::findFile(name);
  const wchar_t* shown = module->name.c_str();
  if (module->path.empty()) {
    return refuse(QvString::format(L"Cannot find the module %ls: no file %hs in %ls.", shown,
                                   QvRxModuleLocator::fileName(name).c_str(),
                                   joined(QvRxModuleLocator::searchPath()).c_str()),
                  printIt);
  }
  const char* path = module->path.c_str();
  dlerror();
  module->handle.reset(dlopen(path, RTLD_NOW | RTLD_LOCAL));
  if (!module->handle) {
    return refuse(
        QvString::format(L"Cannot load the module %ls from %hs: %hs", shown, path, lastDlError()),
        printIt);
  }

  auto getVersion =
      reinterpret_cast<VexaGetApiVersionFunc>(dlsym(module->handle.get(), kVexaApiVersionSymbol));
  auto getApplication = reinterpret_cast<VexaGetCmdApplicationFunc>(
      dlsym(module->handle.get(), kVexaCmdApplicationSymbol));
  if (!getVersion || !getApplication) {
    return refuse(
        QvString::format(L"%hs is not a module of this host: it does not export %hs.", path,
                         getVersion ? kVexaCmdApplicationSymbol : kVexaApiVersionSymbol),
        printIt);
  }
  if (const unsigned int version = getVersion(); version != kVexaApiVersion) {
    return refuse(QvString::format(L"The module %ls (%hs) was built for interface version %u "
                                   L"(0x%08X); this host runs version %u (0x%08X).",
                                   shown, path, version, version, kVexaApiVersion, kVexaApiVersion),
                  printIt);
  }
  module->app = getApplication();
  if (!module->app) {
    return refuse(QvString::format(L"The module %ls (%hs) has no application object.", shown, path),
                  printIt);
  }
  if (!module->app->initApplication()) {
    // Let the module undo what it did before it failed.
    module->app->exitApplication();
    return refuse(QvString::format(L"The module %ls (%hs) failed to initialise.", shown, path),
                  printIt);
  }
  modules_.push_back(std::move(module));
  return true;
}

bool QvRxDynamicLinkerImp::unloadModule(const wchar_t* name, bool printIt) {
  lastError_.empty();
  const Module* found = find(QvRxModuleLocator::key(name));
  if (!found) {
    return refuse(QvString::format(L"The module %ls is not loaded.",
                                   QvRxModuleLocator::baseName(name).c_str()),
                  printIt);
  }
  found->app->exitApplication();
  // The module's exit may itself have loaded or unloaded modules: look it up again.
  const auto it = std::find_if(modules_.begin(), modules_.end(),
                               [found](const auto& module) { return module.get() == found; });
  if (it != modules_.end()) {
    std::unique_ptr<Module> closing = std::move(*it);
    modules_.erase(it);
  }
  return true;
}

bool QvRxDynamicLinkerImp::isModuleLoaded(const wchar_t* name) const {
  return find(QvRxModuleLocator::key(name)) != nullptr;
}

void QvRxDynamicLinkerImp::unloadAllModules() {
  while (!modules_.empty()) {
    const QvString key = modules_.back()->key;
    unloadModule(key.c_str());
  }
}

std::vector<QvString> QvRxDynamicLinkerImp::loadedModules() const {
  std::vector<QvString> names;
  for (const auto& module : modules_) names.push_back(module->name);
  return names;
}

QvString QvRxDynamicLinkerImp::modulePath(const wchar_t* name) const {
  const Module* module = find(QvRxModuleLocator::key(name));
  return module ? QvString(module->path.c_str()) : QvString();
}
