#include "sdk/ed/VexaUserInteraction.h"

VexaConsoleOutputController::eType VexaUserInteraction::setConsoleOutputControllerType(
    VexaConsoleOutputController::eType type, bool option,
    VexaConsoleOutputController::Callback first, VexaConsoleOutputController::Callback second) {
  const VexaConsoleOutputController::eType previous = type_;
  type_ = type;
  calls_.push_back({type, option, first, second, previous});
  return previous;
}
