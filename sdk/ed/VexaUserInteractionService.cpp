#include "sdk/ed/VexaUserInteractionService.h"

VexaUserInteraction& VexaUserInteractionService::begin(VexaConsoleOutputController::eType initial) {
  active_ = std::make_unique<VexaUserInteraction>(initial);
  return *active_;
}

IVexaUserInteraction* qvedGetActiveUserInteraction() {
  VexaHost* host = VexaHost::current();
  if (!host) return nullptr;
  auto* service = host->findService<VexaUserInteractionService>();
  return service ? service->active() : nullptr;
}
