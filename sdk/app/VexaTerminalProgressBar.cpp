#include "sdk/app/VexaTerminalProgressBar.h"

#include <unistd.h>

#include <memory>
#include <string>

#include "sdk/app/VexaProgressMeter.h"

bool VexaTerminalProgressBar::installOnStandardError(VexaProgressMeter& meter) {
  if (!::isatty(STDERR_FILENO)) return false;
  meter.setSink(std::make_unique<VexaTerminalProgressBar>(stderr));
  return true;
}

void VexaTerminalProgressBar::started(const QvString& text, int minimum, int maximum) {
  text_ = text;
  minimum_ = minimum;
  maximum_ = maximum;
  drawnPercent_ = -1;
  draw(0);
}

void VexaTerminalProgressBar::moved(int position) {
  const long long span = static_cast<long long>(maximum_) - minimum_;
  const int percent =
      span <= 0 ? 100
                : static_cast<int>((static_cast<long long>(position) - minimum_) * 100 / span);
  if (percent != drawnPercent_) draw(percent);
}

void VexaTerminalProgressBar::stopped() {
  // Back to the start of the line, and clear it.
  std::fputs("\r\x1b[K", stream_);
  std::fflush(stream_);
  drawnPercent_ = -1;
}

void VexaTerminalProgressBar::draw(int percent) {
  const int filled = percent * kBarWidth / 100;
  const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                          std::string(static_cast<size_t>(kBarWidth - filled), ' ');
  std::fprintf(stream_, "\r%s [%s] %3d%%", text_.utf8().c_str(), bar.c_str(), percent);
  std::fflush(stream_);
  drawnPercent_ = percent;
}
