#pragma once

#include <cstdint>

class IVexaProgress;

// How far a read or a write of a drawing is, on the host's progress meter: shown from 0 to
// 100 percent while it lives, when a host runs and no other meter is running (a command's own
// meter is left alone). Moving it costs a division until the whole percentage changes.
class QvDxfProgress {
 public:
  QvDxfProgress(const wchar_t* text, uint64_t total);
  QvDxfProgress(const QvDxfProgress&) = delete;
  QvDxfProgress& operator=(const QvDxfProgress&) = delete;
  ~QvDxfProgress();

  // `done` of the total is done (clamped to it).
  void at(uint64_t done);
  bool shown() const { return meter_ != nullptr; }

 private:
  IVexaProgress* meter_ = nullptr;
  uint64_t total_;
  uint64_t nextStep_ = 0;  // the amount at which the next whole percentage is reached
  int percent_ = 0;
};
