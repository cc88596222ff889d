#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// What the classic input functions keep between calls: the controls that qvedInitGet set for
// the next question, and the text of the last keyword or other input for qvedGetInput; and the
// input-state flags that say where the answers come from (qvedGetInputState).
class VexaInputState : public VexaHostService {
 public:
  void setNext(int flags, const QvString& keywords) {
    flags_ = flags;
    keywords_ = keywords;
  }
  // Takes the controls for a question: they apply to that one only.
  void takeNext(int& flags, QvString& keywords) {
    flags = flags_;
    keywords = keywords_;
    flags_ = 0;
    keywords_.empty();
  }

  // The text of the last keyword (its global form) or other input; empty after other answers.
  const QvString& lastInput() const { return lastInput_; }
  void setLastInput(const QvString& text) { lastInput_ = text; }

  // The input-state flags now set, and how many script files (kQvInputFromScript) are running.
  int sourceFlags() const { return sourceFlags_; }
  int scriptDepth() const { return scriptDepth_; }
  // Sets flags while it lives; at its end the flags are as they were.
  class SourceScope {
   public:
    SourceScope(VexaInputState& state, int flags)
        : state_(state), saved_(state.sourceFlags_), script_(flags & 1) {
      state_.sourceFlags_ |= flags;
      state_.scriptDepth_ += script_;
    }
    ~SourceScope() {
      state_.sourceFlags_ = saved_;
      state_.scriptDepth_ -= script_;
    }
    SourceScope(const SourceScope&) = delete;
    SourceScope& operator=(const SourceScope&) = delete;

   private:
    VexaInputState& state_;
    int saved_;
    int script_;
  };

 private:
  int flags_ = 0;
  QvString keywords_;
  QvString lastInput_;
  int sourceFlags_ = 0;
  int scriptDepth_ = 0;
};
