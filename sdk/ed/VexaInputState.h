#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// What the classic input functions keep between calls: the controls that qvedInitGet set for
// the next question, and the text of the last keyword or other input for qvedGetInput.
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

 private:
  int flags_ = 0;
  QvString keywords_;
  QvString lastInput_;
};
