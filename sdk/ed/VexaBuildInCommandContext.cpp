#include "sdk/ed/VexaBuildInCommandContext.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaSysVarService.h"

bool VexaBuildInCommandContext::isSpaceAllowedInNames() const {
  const VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return false;
  const std::optional<VexaSysVarValue> extNames = vars->get(L"EXTNAMES");
  return extNames && extNames->type() == kRbShort && extNames->shortValue() != 0;
}

Vexa::ErrorStatus VexaBuildInCommandContext::setViewNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  viewNormal_ = normal.normal();
  return Vexa::eOk;
}

VexaCommandContexts* VexaCommandContexts::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaCommandContexts>() : nullptr;
}

VexaCommandContexts::RunningScope::RunningScope(IVexaBuildInCommandContext& context)
    : contexts_(VexaCommandContexts::current()) {
  if (contexts_) contexts_->running_.push_back(&context);
}

VexaCommandContexts::RunningScope::~RunningScope() {
  if (contexts_ && !contexts_->running_.empty()) contexts_->running_.pop_back();
}
