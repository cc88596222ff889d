#pragma once

#include <cstdio>

#include "sdk/app/VexaProgressSink.h"

class VexaProgressMeter;

// Draws the progress meter as one line on a terminal, redrawn in place:
//   "Reading drawing [##########          ]  50%"
// The line is drawn again only when the whole percentage changes, and cleared when the meter
// stops. The stream is not owned.
class VexaTerminalProgressBar : public VexaProgressSink {
 public:
  static constexpr int kBarWidth = 20;

  explicit VexaTerminalProgressBar(std::FILE* stream) : stream_(stream) {}

  // Installs a bar on the standard error stream when that is a terminal; true when it did.
  static bool installOnStandardError(VexaProgressMeter& meter);

  void started(const QvString& text, int minimum, int maximum) override;
  void moved(int position) override;
  void stopped() override;

 private:
  void draw(int percent);

  std::FILE* stream_;
  QvString text_;
  int minimum_ = 0;
  int maximum_ = 0;
  int drawnPercent_ = -1;
};
