#pragma once

#include <vector>

#include "sdk/ed/IVexaUserInteraction.h"

// The stand-in's user interaction. It keeps the console output controller type and records
// every change asked of it, so tests can see what a command did. The transcript keeps every
// entry whatever the type.
class VexaUserInteraction : public IVexaUserInteraction {
 public:
  struct ControllerCall {
    VexaConsoleOutputController::eType type;
    bool option;
    VexaConsoleOutputController::Callback first;
    VexaConsoleOutputController::Callback second;
    VexaConsoleOutputController::eType previous;  // what the call answered
  };

  explicit VexaUserInteraction(
      VexaConsoleOutputController::eType initial = VexaConsoleOutputController::eDefault)
      : type_(initial) {}

  VexaConsoleOutputController::eType setConsoleOutputControllerType(
      VexaConsoleOutputController::eType type, bool option,
      VexaConsoleOutputController::Callback first,
      VexaConsoleOutputController::Callback second) override;
  VexaConsoleOutputController::eType consoleOutputControllerType() const override { return type_; }

  const std::vector<ControllerCall>& controllerCalls() const { return calls_; }

 private:
  VexaConsoleOutputController::eType type_;
  std::vector<ControllerCall> calls_;
};
