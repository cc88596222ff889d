#pragma once

#include <memory>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaUserInteraction.h"

// Whether the host runs a user interaction, and which. None runs until one is begun: the
// program begins one for a command it runs; a test begins one, or not, as it needs.
class VexaUserInteractionService : public VexaHostService {
 public:
  // Begins a new interaction (replacing one that runs) and answers it.
  VexaUserInteraction& begin(
      VexaConsoleOutputController::eType initial = VexaConsoleOutputController::eDefault);
  // Ends the running interaction, if any.
  void end() { active_.reset(); }
  // The running interaction, or null.
  VexaUserInteraction* active() const { return active_.get(); }

 private:
  std::unique_ptr<VexaUserInteraction> active_;
};
