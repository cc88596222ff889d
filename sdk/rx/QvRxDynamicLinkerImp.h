#pragma once

#include <memory>
#include <vector>

#include "sdk/rx/QvRxDynamicLinker.h"

class IVexaCmdApplication;

// The host's dynamic linker: modules opened with dlopen from the module search path.
class QvRxDynamicLinkerImp : public QvRxDynamicLinker {
 public:
  QVRX_DECLARE_MEMBERS(QvRxDynamicLinkerImp);

  QvRxDynamicLinkerImp();
  QvRxDynamicLinkerImp(const QvRxDynamicLinkerImp&) = delete;
  QvRxDynamicLinkerImp& operator=(const QvRxDynamicLinkerImp&) = delete;
  ~QvRxDynamicLinkerImp() override;

  bool loadModule(const wchar_t* name, bool printIt, bool asCommand = false) override;
  bool unloadModule(const wchar_t* name, bool printIt = false) override;
  bool isModuleLoaded(const wchar_t* name) const override;
  void unloadAllModules() override;
  std::vector<QvString> loadedModules() const override;
  QvString modulePath(const wchar_t* name) const override;
  QvString lastError() const override { return lastError_; }

 private:
  struct Module;

  const Module* find(const QvString& key) const;
  bool refuse(const QvString& message, bool printIt);

  std::vector<std::unique_ptr<Module>> modules_;  // in load order
  QvString lastError_;
};
