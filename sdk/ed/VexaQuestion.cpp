#include "sdk/ed/VexaQuestion.h"

#include <cmath>
#include <numbers>

#include "sdk/ed/VexaAnswerText.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

using Point = std::array<double, 3>;

constexpr const wchar_t* kSecondPointPrompt = L"\nSpecify second point: ";
constexpr const wchar_t* kNeedAnswer = L"\nAn answer is required.";
constexpr const wchar_t* kNotZero = L"\nThe value must not be zero.";
constexpr const wchar_t* kNotNegative = L"\nThe value must not be negative.";
constexpr const wchar_t* kBadCursor = L"\nThe cursor line holds no point.";

VexaUcs currentUcs() {
  VexaSysVarService* vars = VexaSysVarService::current();
  return vars ? vars->currentUcs() : VexaUcs();
}

double distance(const Point& a, const Point& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// The angle from `from` to `to` in the XY plane of the current UCS, in [0, 2 pi).
double angleInUcs(const Point& from, const Point& to) {
  const VexaUcs ucs = currentUcs();
  const QvGePoint3d d = ucs.toUcs(toGePoint(to) - toGeVector(from), true);
  if (d.x == 0.0 && d.y == 0.0) return 0.0;
  return std::atan2(d.y, d.x);
}

double intoTurn(double radians) {
  const double turn = 2.0 * std::numbers::pi;
  double a = std::fmod(radians, turn);
  if (a < 0) a += turn;
  if (a >= turn) a = 0.0;
  return a;
}

VexaAnswer cancelled() {
  return VexaAnswer{};
}

}  // namespace

VexaAnswer VexaQuestion::ask() {
  showPrompt();
  return read(false);
}

void VexaQuestion::showPrompt() const {
  VexaTranscript* transcript = VexaTranscript::current();
  if (transcript && !setup_.prompt.isEmpty()) transcript->addPrompt(setup_.prompt);
}

VexaAnswer VexaQuestion::read(bool samples) {
  VexaInputScript* script = VexaInputScript::current();
  VexaTranscript* transcript = VexaTranscript::current();
  if (!script || !transcript) return cancelled();
  auto askAgain = [&](const QvString& typed, const QvString& reason) {
    transcript->addAnswer(typed);
    transcript->addMessage(reason);
    showPrompt();
  };
  for (;;) {
    VexaScriptLine line = script->next();
    switch (line.kind) {
      case VexaScriptLine::Kind::kEnd:
      case VexaScriptLine::Kind::kCancel:
        transcript->addAnswer(VexaTranscript::kCancelText);
        return cancelled();
      case VexaScriptLine::Kind::kBadCursor:
        askAgain(line.text, kBadCursor);
        continue;
      case VexaScriptLine::Kind::kCursor: {
        if (!samples) continue;
        VexaAnswer answer;
        bool needSecondPoint = false;
        const Point world = toVexaPoint(currentUcs().toWorld(toGePoint(line.cursor)));
        if (fromPoint(world, answer, needSecondPoint) && !needSecondPoint) {
          answer.outcome = VexaAnswer::Outcome::kSample;
          return answer;
        }
        continue;
      }
      case VexaScriptLine::Kind::kEmpty:
        if (setup_.rejectEmpty) {
          askAgain(QvString(), kNeedAnswer);
          continue;
        }
        transcript->addAnswer(QvString());
        {
          VexaAnswer answer;
          answer.outcome = VexaAnswer::Outcome::kEmpty;
          return answer;
        }
      case VexaScriptLine::Kind::kObjects:
        if (!setup_.acceptObjects) {
          askAgain(line.text, wantedText());
          continue;
        }
        transcript->addAnswer(line.text);
        {
          VexaAnswer answer;
          answer.outcome = VexaAnswer::Outcome::kObjects;
          answer.objects = std::move(line.objects);
          return answer;
        }
      case VexaScriptLine::Kind::kAnswer:
        break;
    }
    VexaAnswer answer;
    QvString reason;
    QvString typed = std::move(line.text);
    if (interpret(typed, answer, reason) == Reading::kAskAgain) {
      askAgain(typed, reason);
      continue;
    }
    transcript->addAnswer(answer.outcome == VexaAnswer::Outcome::kValue &&
                                  setup_.kind == VexaAnswerKind::kString
                              ? answer.text
                              : typed);
    if (answer.outcome != VexaAnswer::Outcome::kValue || answer.fromPoint == false ||
        (setup_.kind != VexaAnswerKind::kDistance && setup_.kind != VexaAnswerKind::kAngle) ||
        setup_.basePoint)
      return answer;

    // A distance or angle given by a point without a base point: the point is the base, and
    // a second point gives the value.
    VexaQuestionSetup second;
    second.kind = VexaAnswerKind::kPoint;
    second.prompt = kSecondPointPrompt;
    second.rejectEmpty = true;
    second.basePoint = answer.point;
    const VexaAnswer end = VexaQuestion(second).ask();
    if (end.outcome != VexaAnswer::Outcome::kValue) return cancelled();
    answer.number = setup_.kind == VexaAnswerKind::kDistance
                        ? distance(answer.point, end.point)
                        : intoTurn(angleInUcs(answer.point, end.point));
    answer.point = end.point;
    if (setup_.kind == VexaAnswerKind::kDistance && !checkNumber(answer.number, reason)) {
      transcript->addMessage(reason);
      showPrompt();
      continue;
    }
    return answer;
  }
}

VexaQuestion::Reading VexaQuestion::interpret(const QvString& typed, VexaAnswer& answer,
                                              QvString& reason) {
  if (interpretValue(typed, answer, reason)) return Reading::kDone;
  if (!reason.isEmpty()) return Reading::kAskAgain;
  if (setup_.kind != VexaAnswerKind::kString) {
    const int k = setup_.keywords.match(typed);
    if (k >= 0) {
      answer.outcome = VexaAnswer::Outcome::kKeyword;
      answer.keywordIndex = k;
      answer.keyword = setup_.keywords.global(k);
      answer.text = typed;
      answer.text.trim();
      return Reading::kDone;
    }
  }
  if (setup_.acceptOther) {
    answer.outcome = VexaAnswer::Outcome::kOther;
    answer.text = typed;
    answer.text.trim();
    return Reading::kDone;
  }
  reason = wantedText();
  return Reading::kAskAgain;
}

// True with a value; false with a reason (the value is wrong) or without one (not a value).
bool VexaQuestion::interpretValue(const QvString& typed, VexaAnswer& answer, QvString& reason) {
  answer.outcome = VexaAnswer::Outcome::kValue;
  Point ucsPoint{};
  double number = 0.0;
  switch (setup_.kind) {
    case VexaAnswerKind::kString: {
      QvString text = typed;
      QvString rest;
      if (!setup_.spacesAllowed) {
        text.trimLeft();
        int blank = 0;
        while (blank < text.length() && !qvIsSpace(text.getAt(blank))) ++blank;
        rest = text.mid(blank);
        rest.trimLeft();
        text = text.left(blank);
      }
      if (setup_.maxLength >= 0 && text.length() > setup_.maxLength) {
        reason =
            QvString::format(L"\nThe answer is too long: at most %d characters.", setup_.maxLength);
        return false;
      }
      // The rest of the line is typed ahead, as a blank ends the answer on the host.
      if (!rest.isEmpty()) VexaInputScript::current()->pushFront(rest);
      answer.text = std::move(text);
      return true;
    }
    case VexaAnswerKind::kKeyword:
      return false;
    case VexaAnswerKind::kInteger:
      if (!VexaAnswerText::toInteger(typed, answer.integer)) return false;
      answer.number = answer.integer;
      return checkNumber(answer.integer, reason);
    case VexaAnswerKind::kReal:
      if (!VexaAnswerText::toNumber(typed, answer.number)) return false;
      return checkNumber(answer.number, reason);
    case VexaAnswerKind::kAngle:
      if (VexaAnswerText::toAngle(typed, number)) {
        answer.number = intoTurn(number);
        // Zero is judged within the turn: "360" is a zero angle.
        return checkNumber(number, reason) && checkNumber(answer.number, reason);
      }
      break;
    case VexaAnswerKind::kDistance:
    case VexaAnswerKind::kScaleFactor:
      if (VexaAnswerText::toNumber(typed, number)) {
        answer.number = number;
        return checkNumber(number, reason);
      }
      break;
    case VexaAnswerKind::kPoint:
      break;
  }
  if (!VexaAnswerText::toPoint(typed, ucsPoint)) return false;
  bool needSecondPoint = false;
  if (!fromPoint(toVexaPoint(currentUcs().toWorld(toGePoint(ucsPoint))), answer, needSecondPoint))
    return false;
  if (setup_.kind == VexaAnswerKind::kDistance && !needSecondPoint)
    return checkNumber(answer.number, reason);
  return true;
}

// The value a point gives the question. False when a point does not answer it.
bool VexaQuestion::fromPoint(const Point& world, VexaAnswer& answer, bool& needSecondPoint) {
  answer.point = world;
  answer.fromPoint = true;
  needSecondPoint = false;
  switch (setup_.kind) {
    case VexaAnswerKind::kPoint:
    case VexaAnswerKind::kScaleFactor:
      return true;
    case VexaAnswerKind::kDistance:
    case VexaAnswerKind::kAngle:
      if (!setup_.basePoint) {
        needSecondPoint = true;
        return true;
      }
      answer.number = setup_.kind == VexaAnswerKind::kDistance
                          ? distance(*setup_.basePoint, world)
                          : intoTurn(angleInUcs(*setup_.basePoint, world));
      return true;
    default:
      return false;
  }
}

bool VexaQuestion::checkNumber(double value, QvString& reason) const {
  if (setup_.rejectZero && value == 0.0) {
    reason = kNotZero;
    return false;
  }
  if (setup_.rejectNegative && value < 0.0) {
    reason = kNotNegative;
    return false;
  }
  return true;
}

QvString VexaQuestion::wantedText() const {
  const wchar_t* what = L"An answer";
  switch (setup_.kind) {
    case VexaAnswerKind::kPoint:
      what = L"A point";
      break;
    case VexaAnswerKind::kDistance:
      what = L"A distance or a point";
      break;
    case VexaAnswerKind::kAngle:
      what = L"An angle or a point";
      break;
    case VexaAnswerKind::kInteger:
      what = L"A whole number from -32768 to 32767";
      break;
    case VexaAnswerKind::kReal:
      what = L"A number";
      break;
    case VexaAnswerKind::kScaleFactor:
      what = L"A scale factor or a point";
      break;
    case VexaAnswerKind::kKeyword:
      return QvString::format(L"\nOne of the options (%ls) is required.",
                              setup_.keywords.options().c_str());
    case VexaAnswerKind::kString:
      break;
  }
  if (setup_.keywords.isEmpty()) return QvString::format(L"\n%ls is required.", what);
  return QvString::format(L"\n%ls or an option (%ls) is required.", what,
                          setup_.keywords.options().c_str());
}
