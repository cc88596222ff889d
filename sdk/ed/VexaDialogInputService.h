#pragma once

#include "sdk/base/VexaHost.h"
#include "sdk/win/IVexaDialogInput.h"

// The headless dialogs answered from the input script: each field or question is one line,
// asked with its prompt on the command line.
class VexaDialogInputService : public IVexaDialogInput, public VexaHostService {
 public:
  VexaDialogReply askLine(const QvString& prompt) override;
  void show(const QvString& text) override;
};
