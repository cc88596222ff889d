#include "sdk/app/VexaProgressMeter.h"

int VexaProgressMeter::start(const QvString& text, int minimum, int maximum) {
  if (minimum > maximum) return -1;
  running_ = true;
  text_ = text;
  minimum_ = minimum;
  maximum_ = maximum;
  position_ = minimum;
  if (sink_) sink_->started(text_, minimum_, maximum_);
  return 0;
}

int VexaProgressMeter::setPosition(int position) {
  if (!running_ || position < minimum_ || position > maximum_) return -1;
  position_ = position;
  if (sink_) sink_->moved(position_);
  return 0;
}

void VexaProgressMeter::stop() {
  if (!running_) return;
  running_ = false;
  if (sink_) sink_->stopped();
}

VexaProgressMeter* VexaProgressMeter::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaProgressMeter>() : nullptr;
}

int vexaSetStatusBarProgressMeter(const wchar_t* text, int minimum, int maximum) {
  VexaProgressMeter* meter = VexaProgressMeter::current();
  return meter ? meter->start(text, minimum, maximum) : -1;
}

int vexaSetStatusBarProgressMeterPos(int position) {
  VexaProgressMeter* meter = VexaProgressMeter::current();
  return meter ? meter->setPosition(position) : -1;
}

int vexaRestoreStatusBarProgressMeter() {
  VexaProgressMeter* meter = VexaProgressMeter::current();
  if (!meter) return -1;
  meter->stop();
  return 0;
}
