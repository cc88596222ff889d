#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/rx/QvRxObject.h"

// The host's module loader, found in the system registry under "DynamicLinker". A module is a
// shared library that exports qvrxGetApiVersion and GetVexaCmdApplication. Loading checks the
// interface version, then calls the application object's initApplication; unloading calls
// exitApplication before the library is closed. A module is loaded at most once; its name is
// the host's (see QvRxModuleLocator).
class QvRxDynamicLinker : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvRxDynamicLinker);

  // Loads and initialises the module; true when it is loaded afterwards (also when it already
  // was). A module that cannot be found or opened, lacks an entry point, was built for another
  // interface version or fails to initialise is refused: nothing of it stays loaded and
  // lastError() says why. `printIt` also writes that message to the error stream; `asCommand`
  // marks a load asked for by the user (no difference here).
  virtual bool loadModule(const wchar_t* name, bool printIt, bool asCommand = false) = 0;
  // Calls the module's exitApplication and closes it; false when it is not loaded.
  virtual bool unloadModule(const wchar_t* name, bool printIt = false) = 0;
  virtual bool isModuleLoaded(const wchar_t* name) const = 0;
  // Unloads every module, the last loaded first (at host shutdown).
  virtual void unloadAllModules() = 0;
  // The loaded modules' base names, in load order.
  virtual std::vector<QvString> loadedModules() const = 0;
  // The file a loaded module was opened from, or empty.
  virtual QvString modulePath(const wchar_t* name) const = 0;
  // Why the last load or unload failed; empty after a success.
  virtual QvString lastError() const = 0;
};

// The linker of the system registry's "DynamicLinker" entry, or null when there is none.
QvRxDynamicLinker* qvrxDynamicLinker();
