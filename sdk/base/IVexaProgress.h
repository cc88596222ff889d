#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The host's progress meter as lower areas see it (reading and writing drawings report through
// it). The application's meter is bound here when the host starts.
class IVexaProgress {
 public:
  // Starts the meter at `minimum`; 0, or -1 when minimum is above maximum.
  virtual int start(const QvString& text, int minimum, int maximum) = 0;
  // Moves the meter; 0, or -1 when none runs or the position is outside the range.
  virtual int setPosition(int position) = 0;
  virtual void stop() = 0;
  virtual bool isRunning() const = 0;

 protected:
  ~IVexaProgress() = default;
};

// The running host's progress meter; null when no host runs or its meter was never made.
inline IVexaProgress* vexaProgress() {
  const VexaHost* host = VexaHost::current();
  return host ? host->findService<IVexaProgress>() : nullptr;
}
