#include "sdk/io/QvDxfProgress.h"

#include "sdk/base/IVexaProgress.h"

QvDxfProgress::QvDxfProgress(const wchar_t* text, uint64_t total) : total_(total) {
  IVexaProgress* meter = vexaProgress();
  if (!meter || meter->isRunning() || total == 0) return;
  if (meter->start(text, 0, 100) != 0) return;
  meter_ = meter;
  nextStep_ = (total_ + 99) / 100;
}

QvDxfProgress::~QvDxfProgress() {
  if (meter_) meter_->stop();
}

void QvDxfProgress::at(uint64_t done) {
  if (!meter_ || done < nextStep_) return;
  const int percent = done >= total_ ? 100 : static_cast<int>(done * 100 / total_);
  if (percent <= percent_) return;
  percent_ = percent;
  // The amount that reaches the next whole percentage: ceil((percent + 1) * total / 100).
  nextStep_ = percent_ >= 100 ? UINT64_MAX : ((percent_ + 1) * total_ + 99) / 100;
  meter_->setPosition(percent_);
}
