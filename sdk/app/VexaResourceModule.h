#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "sdk/base/QvString.h"

// A module of message texts by numeric id. Either a shared library that exports
//   extern "C" const wchar_t* vexaResourceString(unsigned int id)
// (null when it has no text `id`), or a table held in memory. Ids can be hidden, so that the
// module answers as if it lacked them (tests use this to reach the callers' fallbacks).
class VexaResourceModule {
 public:
  using LookupFunc = const wchar_t* (*)(unsigned int id);
  static constexpr const char* kLookupSymbol = "vexaResourceString";

  // Opens the library of module `name` from the module search path; null, with the reason in
  // `error`, when it cannot be found or opened or lacks the lookup function.
  static std::unique_ptr<VexaResourceModule> openLibrary(const wchar_t* name, QvString& error);
  static std::unique_ptr<VexaResourceModule> fromTable(const wchar_t* name,
                                                       std::map<unsigned int, QvString> texts);

  VexaResourceModule(const VexaResourceModule&) = delete;
  VexaResourceModule& operator=(const VexaResourceModule&) = delete;
  ~VexaResourceModule();

  // The module's base name ("XqCmdShareRes").
  const QvString& name() const { return name_; }
  // Text `id`, or false when the module has none (or it is hidden).
  bool lookUp(unsigned int id, QvString& text) const;
  bool has(unsigned int id) const;

  void hide(unsigned int id) { hidden_.insert(id); }
  void showAll() { hidden_.clear(); }

 private:
  VexaResourceModule() = default;

  QvString name_;
  void* library_ = nullptr;  // dlopen handle when the texts come from a library
  LookupFunc lookup_ = nullptr;
  std::map<unsigned int, QvString> table_;
  std::set<unsigned int> hidden_;
};
