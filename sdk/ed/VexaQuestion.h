#pragma once

#include <array>
#include <optional>

#include "sdk/base/QvString.h"
#include "sdk/ed/VexaKeywordList.h"
#include "sdk/ed/VexaSelectSet.h"

// What a question expects.
enum class VexaAnswerKind {
  kPoint,        // "x,y[,z]" in the current UCS
  kDistance,     // a number, or a point (the distance to it from the base point)
  kAngle,        // degrees ("r" suffix: radians), or a point (the angle to it from the base)
  kInteger,      // a whole number of the 16-bit range
  kReal,         // a number
  kString,       // any text
  kKeyword,      // one of the keywords
  kScaleFactor,  // a number (one factor), or a point (a corner from the base point)
};

// A question to ask on the command line.
struct VexaQuestionSetup {
  VexaAnswerKind kind = VexaAnswerKind::kString;
  QvString prompt;
  VexaKeywordList keywords;     // not offered to string questions
  bool rejectEmpty = false;     // an empty answer asks again
  bool rejectZero = false;      // a zero number (or distance) asks again
  bool rejectNegative = false;  // a negative typed number asks again
  bool acceptOther = false;     // text that is neither a value nor a keyword is answered as such
  bool spacesAllowed = true;    // string questions: false ends the answer at the first blank
  int maxLength = -1;           // string questions: the longest answer; negative for no limit
  bool acceptObjects = false;   // entities sent from code answer it (kObjects), else ask again
  // World coordinates. Distances and angles given by a point are measured from it; without
  // one, a point answer asks for a second point and measures from the first.
  std::optional<std::array<double, 3>> basePoint;
};

// How a question was answered.
struct VexaAnswer {
  enum class Outcome {
    kValue,    // a value of the expected kind
    kSample,   // a cursor line during a drag: a value that is not accepted
    kKeyword,  // `keywordIndex`, `keyword` (the global one) and `text` (as typed)
    kOther,    // text that is neither (only with acceptOther): `text`
    kEmpty,    // Enter
    kCancel,   // a cancel, or the script has run out
    kObjects,  // entities sent from code (only with acceptObjects): `objects`
  };
  Outcome outcome = Outcome::kCancel;
  std::array<double, 3> point{0, 0, 0};  // a point or corner, world coordinates
  bool fromPoint = false;                // the number was given by a point, not typed
  double number = 0.0;  // distance, angle (radians, in [0, 2 pi)), real, typed factor
  int integer = 0;
  QvString text;  // a string answer, the keyword or other text as typed
  int keywordIndex = -1;
  QvString keyword;
  VexaSelectSet objects;
};

// Asks one question of the input script, writing prompt, answers and the reasons for asking
// again to the transcript. A line that is not what the question expects is answered with a
// message, and the prompt is shown again. Without a running host every question is cancelled.
class VexaQuestion {
 public:
  explicit VexaQuestion(VexaQuestionSetup setup) : setup_(std::move(setup)) {}

  // Shows the prompt and reads until an answer; cursor lines only move the cursor.
  VexaAnswer ask();

  // For drags: shows the prompt (once, when the drag starts).
  void showPrompt() const;
  // For drags: reads the next answer without showing the prompt first; a cursor line answers
  // a sample when `samples` is set.
  VexaAnswer read(bool samples);

  const VexaQuestionSetup& setup() const { return setup_; }

 private:
  enum class Reading { kDone, kAskAgain };
  Reading interpret(const QvString& typed, VexaAnswer& answer, QvString& reason);
  bool interpretValue(const QvString& typed, VexaAnswer& answer, QvString& reason);
  bool fromPoint(const std::array<double, 3>& world, VexaAnswer& answer, bool& needSecondPoint);
  bool checkNumber(double value, QvString& reason) const;
  QvString wantedText() const;

  VexaQuestionSetup setup_;
};
