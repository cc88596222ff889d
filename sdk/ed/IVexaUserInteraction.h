#pragma once

// The console output controller of a user interaction decides how the command line shows a
// command's output while the interaction runs.
struct VexaConsoleOutputController {
  enum eType {
    eDefault = 1,  // output shown as the user's own
    eQuiet = 2,    // output of a command run on the user's behalf
  };
  // Called by the controller with text it handles; may be null.
  using Callback = void (*)(const wchar_t* text);
};

// The user interaction the host is running (a command typed by the user, a script). Modules
// reach it through qvedGetActiveUserInteraction.
class IVexaUserInteraction {
 public:
  virtual ~IVexaUserInteraction() = default;

  // Makes `type` the console output controller type and answers the previous one. `option` and
  // the two callbacks go with the type.
  virtual VexaConsoleOutputController::eType setConsoleOutputControllerType(
      VexaConsoleOutputController::eType type, bool option,
      VexaConsoleOutputController::Callback first,
      VexaConsoleOutputController::Callback second) = 0;
  virtual VexaConsoleOutputController::eType consoleOutputControllerType() const = 0;
};

// The active user interaction of the running host, or null when there is none.
IVexaUserInteraction* qvedGetActiveUserInteraction();
