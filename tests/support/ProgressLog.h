#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaProgressMeter.h"
#include "sdk/app/VexaProgressSink.h"

// Writes down what the progress meter showed: "start TEXT MIN..MAX", "move N", "stop".
class ProgressLog : public VexaProgressSink {
 public:
  explicit ProgressLog(std::vector<std::string>& log) : log_(log) {}
  // Installs a log of `meter` writing into `log`.
  static void install(VexaProgressMeter& meter, std::vector<std::string>& log) {
    meter.setSink(std::make_unique<ProgressLog>(log));
  }

  void started(const QvString& text, int minimum, int maximum) override {
    log_.push_back("start " + text.utf8() + " " + std::to_string(minimum) + ".." +
                   std::to_string(maximum));
  }
  void moved(int position) override { log_.push_back("move " + std::to_string(position)); }
  void stopped() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};
