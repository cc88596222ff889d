#include "sdk/app/VexaResourceModule.h"

#include <dlfcn.h>

#include "sdk/rx/QvRxModuleLocator.h"

std::unique_ptr<VexaResourceModule> VexaResourceModule::openLibrary(const wchar_t* name,
                                                                    QvString& error) {
  const QvString base = QvRxModuleLocator::baseName(name);
  const std::string path = QvRxModuleLocator::findFile(name);
  if (path.empty()) {
    error = QvString::format(L"Cannot find the resource module %ls (%hs).", base.c_str(),
                             QvRxModuleLocator::fileName(name).c_str());
    return nullptr;
  }
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    error = QvString::format(L"Cannot load the resource module %ls from %hs: %hs", base.c_str(),
                             path.c_str(), why ? why : "unknown error");
    return nullptr;
  }
  auto lookup = reinterpret_cast<LookupFunc>(dlsym(library, kLookupSymbol));
  if (!lookup) {
    dlclose(library);
    error = QvString::format(L"%hs is not a resource module: it does not export %hs.", path.c_str(),
                             kLookupSymbol);
    return nullptr;
  }
  std::unique_ptr<VexaResourceModule> module(new VexaResourceModule);
  module->name_ = base;
  module->library_ = library;
  module->lookup_ = lookup;
  return module;
}

std::unique_ptr<VexaResourceModule> VexaResourceModule::fromTable(
    const wchar_t* name, std::map<unsigned int, QvString> texts) {
  std::unique_ptr<VexaResourceModule> module(new VexaResourceModule);
  module->name_ = QvRxModuleLocator::baseName(name);
  module->table_ = std::move(texts);
  return module;
}

VexaResourceModule::~VexaResourceModule() {
  if (library_) dlclose(library_);
}

bool VexaResourceModule::lookUp(unsigned int id, QvString& text) const {
  if (hidden_.count(id)) return false;
  if (lookup_) {
    const wchar_t* found = lookup_(id);
    if (!found) return false;
    text = QvString(found);
    return true;
  }
  const auto it = table_.find(id);
  if (it == table_.end()) return false;
  text = it->second;
  return true;
}

bool VexaResourceModule::has(unsigned int id) const {
  QvString ignored;
  return lookUp(id, ignored);
}
