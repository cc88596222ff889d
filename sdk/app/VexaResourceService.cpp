#include "sdk/app/VexaResourceService.h"

#include "sdk/rx/QvRxModuleLocator.h"

VexaResourceModule* VexaResourceService::findOpen(const QvString& key) const {
  for (const auto& module : modules_)
    if (module->name().isEqualNoCase(key)) return module.get();
  return nullptr;
}

VexaResourceModule* VexaResourceService::module(const wchar_t* name) {
  if (name && lastNamed_ && lastName_ == name) return lastNamed_;
  VexaResourceModule* found = moduleByKey(name);
  if (found && name) {
    lastName_ = name;
    lastNamed_ = found;
  }
  return found;
}

VexaResourceModule* VexaResourceService::moduleByKey(const wchar_t* name) {
  const QvString key = QvRxModuleLocator::key(name);
  if (key.isEmpty()) {
    lastError_ = L"No resource module name was given.";
    return nullptr;
  }
  if (VexaResourceModule* open = findOpen(key)) return open;
  std::unique_ptr<VexaResourceModule> opened = VexaResourceModule::openLibrary(name, lastError_);
  if (!opened) return nullptr;
  modules_.push_back(std::move(opened));
  return modules_.back().get();
}

bool VexaResourceService::addModule(const wchar_t* name, std::map<unsigned int, QvString> texts) {
  const QvString key = QvRxModuleLocator::key(name);
  if (key.isEmpty() || findOpen(key)) return false;
  modules_.push_back(VexaResourceModule::fromTable(name, std::move(texts)));
  return true;
}

bool VexaResourceService::setCurrent(const wchar_t* name) {
  VexaResourceModule* target = module(name);
  if (!target) return false;
  lastError_.empty();
  stack_.push_back(target);
  return true;
}

bool VexaResourceService::restorePrevious() {
  if (stack_.empty()) return false;
  stack_.pop_back();
  return true;
}

const VexaResourceModule* VexaResourceService::current() const {
  return stack_.empty() ? nullptr : stack_.back();
}

bool VexaResourceService::hideString(const wchar_t* moduleName, unsigned int id) {
  VexaResourceModule* target = module(moduleName);
  if (!target) return false;
  target->hide(id);
  return true;
}

void VexaResourceService::showAllStrings(const wchar_t* moduleName) {
  if (VexaResourceModule* target = findOpen(QvRxModuleLocator::key(moduleName))) target->showAll();
}

bool VexaResourceService::loadFromCurrent(unsigned int id, QvString& text) const {
  const VexaResourceModule* from = current();
  return from && from->lookUp(id, text);
}

bool VexaResourceService::loadFromChain(unsigned int id, QvString& text) const {
  if (loadFromCurrent(id, text)) return true;
  for (const auto& module : modules_)
    if (module.get() != current() && module->lookUp(id, text)) return true;
  return false;
}

namespace {

VexaResourceService* runningService() {
  VexaHost* host = VexaHost::current();
  return host ? host->findService<VexaResourceService>() : nullptr;
}

}  // namespace

bool SetCurrentResourceName(const wchar_t* moduleName) {
  VexaHost* host = VexaHost::current();
  return host && host->service<VexaResourceService>().setCurrent(moduleName);
}

bool RestorePreviousResource() {
  VexaResourceService* service = runningService();
  return service && service->restorePrevious();
}
