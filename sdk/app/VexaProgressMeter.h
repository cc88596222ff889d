#pragma once

#include <memory>

#include "sdk/app/VexaProgressSink.h"
#include "sdk/base/IVexaProgress.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The host's status-bar progress meter: a label and a position in a range, one meter at a
// time. It shows itself through its sink, when one is installed.
class VexaProgressMeter : public VexaHostService, public IVexaProgress {
 public:
  // Starts the meter at `minimum`; a running meter is replaced. Answers 0; -1 (and nothing
  // changes) when minimum is above maximum.
  int start(const QvString& text, int minimum, int maximum) override;
  // Moves the meter. Answers 0; -1 (and nothing changes) when no meter runs or the position is
  // outside the range.
  int setPosition(int position) override;
  // Stops the meter; nothing happens when none runs.
  void stop() override;

  bool isRunning() const override { return running_; }
  const QvString& text() const { return text_; }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int position() const { return position_; }

  // Installs the sink (owned); null removes it.
  void setSink(std::unique_ptr<VexaProgressSink> sink) { sink_ = std::move(sink); }
  VexaProgressSink* sink() const { return sink_.get(); }

  // The meter of the running host, or null when no host runs.
  static VexaProgressMeter* current();

 private:
  bool running_ = false;
  QvString text_;
  int minimum_ = 0;
  int maximum_ = 0;
  int position_ = 0;
  std::unique_ptr<VexaProgressSink> sink_;
};

// The host's classic entry points. They answer as the meter does, and -1 when no host runs.
int vexaSetStatusBarProgressMeter(const wchar_t* text, int minimum, int maximum);
int vexaSetStatusBarProgressMeterPos(int position);
int vexaRestoreStatusBarProgressMeter();
