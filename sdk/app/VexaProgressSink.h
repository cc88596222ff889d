#pragma once

#include "sdk/base/QvString.h"

// Where the status-bar progress meter shows itself: the program draws it, tests record it.
class VexaProgressSink {
 public:
  virtual ~VexaProgressSink() = default;
  virtual void started(const QvString& text, int minimum, int maximum) = 0;
  virtual void moved(int position) = 0;
  virtual void stopped() = 0;
};
