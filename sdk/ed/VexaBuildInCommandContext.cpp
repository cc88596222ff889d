#include "sdk/ed/VexaBuildInCommandContext.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaSysVarService.h"

bool VexaBuildInCommandContext::isSpaceAllowedInNames() const {
  const VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return false;
  const std::optional<VexaSysVarValue> extNames = vars->get(L"EXTNAMES");
  return extNames && extNames->type() == kRbShort && extNames->shortValue() != 0;
}
