#include "xqcmdutil/XqResourceSwitchGuard.h"

#include "sdk/app/VexaResourceService.h"

XqResourceSwitchGuard::XqResourceSwitchGuard(const wchar_t* moduleName)
    : switched_(SetCurrentResourceName(moduleName)) {}

XqResourceSwitchGuard::~XqResourceSwitchGuard() {
  if (switched_) RestorePreviousResource();
}
