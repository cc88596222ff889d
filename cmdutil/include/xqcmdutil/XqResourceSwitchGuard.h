#pragma once

#include "xqcmdutil/XqCmdUtilExport.h"

// The resource module that holds the module's own messages and dialogs.
inline constexpr const wchar_t* kXqCmdShareResName = L"XqCmdShareRes.dll";

// Makes a resource module current for a command's duration: the constructor switches with
// SetCurrentResourceName, the destructor restores the previous module when, and only when,
// the switch succeeded, also when the command leaves by an exception.
class XQCMDUTIL_EXPORT XqResourceSwitchGuard {
 public:
  explicit XqResourceSwitchGuard(const wchar_t* moduleName = kXqCmdShareResName);
  XqResourceSwitchGuard(const XqResourceSwitchGuard&) = delete;
  XqResourceSwitchGuard& operator=(const XqResourceSwitchGuard&) = delete;
  ~XqResourceSwitchGuard();

  bool switched() const { return switched_; }

 private:
  bool switched_;
};
