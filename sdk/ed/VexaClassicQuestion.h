#pragma once

#include <array>
#include <utility>

#include "sdk/ed/VexaQuestion.h"

// A question of the classic interface (the qvedGet* functions, VexaAcquireInput): a
// VexaQuestion whose answer becomes a classic result code. Points go in and out in the current
// UCS. The text of a keyword or other input is kept for qvedGetInput, and an accepted point
// becomes "LASTPOINT".
class VexaClassicQuestion {
 public:
  explicit VexaClassicQuestion(VexaQuestionSetup setup) : setup_(std::move(setup)) {}

  VexaQuestionSetup& setup() { return setup_; }
  // Distances and angles given by a point are measured from `ucsPoint` (three doubles, current
  // UCS); null for none.
  void setBasePoint(const double* ucsPoint);
  // An accepted point does not become "LASTPOINT".
  void setKeepLastPoint(bool keep) { keepLastPoint_ = keep; }

  // Asks the question. Results:
  //   kQvNormal   a value
  //   kQvKeyword  a keyword or, under acceptOther, other text (qvedGetInput gives it)
  //   kQvNone     an empty answer
  //   kQvCancel   a cancel, or the script has run out
  //   kQvError    no running host
  int ask();

  const VexaAnswer& answer() const { return answer_; }
  // The point of the answer in the current UCS.
  std::array<double, 3> ucsPoint() const;

 private:
  VexaQuestionSetup setup_;
  VexaAnswer answer_;
  bool keepLastPoint_ = false;
};
