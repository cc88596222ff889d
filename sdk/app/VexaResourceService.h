#pragma once

#include <map>
#include <memory>
#include <vector>

#include "sdk/app/VexaResourceModule.h"
#include "sdk/base/IVexaStringResources.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The host's resource modules: those opened so far (in opening order), and the current one,
// from which QvString::loadString reads. A command switches to its own module and restores
// the previous one when it ends; switches nest. CString::LoadString searches the chain: the
// current module first, then every other open module in opening order.
//
// Modules are named the Windows way ("XqCmdShareRes.dll" is the library libXqCmdShareRes.so,
// found on the module search path, see QvRxModuleLocator). A module stays open as long as the
// host runs.
class VexaResourceService : public VexaHostService, public IVexaStringResources {
 public:
  // Makes module `name` current, opening it on first use; false, and nothing changes, when it
  // cannot be opened (lastError() says why).
  bool setCurrent(const wchar_t* name);
  // Makes the module current before the last switch current again; false when no switch is
  // pending.
  bool restorePrevious();
  // The current module, or null when no switch is pending.
  const VexaResourceModule* current() const;
  int pendingSwitches() const { return static_cast<int>(stack_.size()); }

  // Adds a module whose texts are held in memory; false when a module of that name is open.
  bool addModule(const wchar_t* name, std::map<unsigned int, QvString> texts);
  // The open module `name`, opening its library on first use; null when it cannot be opened.
  VexaResourceModule* module(const wchar_t* name);
  // Makes module `name` answer as if it lacked text `id` (opening it when needed).
  bool hideString(const wchar_t* moduleName, unsigned int id);
  void showAllStrings(const wchar_t* moduleName);

  bool loadFromCurrent(unsigned int id, QvString& text) const override;
  bool loadFromChain(unsigned int id, QvString& text) const override;
  const QvString& lastError() const { return lastError_; }

 private:
  // module() without the remembered name.
  VexaResourceModule* moduleByKey(const wchar_t* name);
  // The open module named `key` (as QvRxModuleLocator::key gives it), in any case.
  VexaResourceModule* findOpen(const QvString& key) const;

  std::vector<std::unique_ptr<VexaResourceModule>> modules_;  // in opening order
  std::vector<VexaResourceModule*> stack_;                    // back() is current
  QvString lastError_;
  // The name module() was last given and what it answered: commands switch to the same
  // module at every run.
  std::wstring lastName_;
  VexaResourceModule* lastNamed_ = nullptr;
};

// The host's resource switch: makes the named module current; true when it switched.
bool SetCurrentResourceName(const wchar_t* moduleName);
// Undoes the last successful SetCurrentResourceName; false when there was none.
bool RestorePreviousResource();
