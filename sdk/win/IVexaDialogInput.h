#pragma once

#include "sdk/base/QvString.h"

// One line given to a headless dialog: a text, Enter, or a cancel ("^C", or no line left).
struct VexaDialogReply {
  enum class Kind { kText, kEnter, kCancel };
  Kind kind = Kind::kCancel;
  QvString text;
};

// What answers the headless dialogs and message boxes: the host's input script and command
// line. The editor owns them, so the application binds its service here when the host starts.
class IVexaDialogInput {
 public:
  // Shows `prompt` and reads one line (blanks kept).
  virtual VexaDialogReply askLine(const QvString& prompt) = 0;
  // Shows a text on the command line.
  virtual void show(const QvString& text) = 0;

 protected:
  ~IVexaDialogInput() = default;
};

// The running host's dialog input; null when no host runs or none is bound.
IVexaDialogInput* vexaDialogInput();
