#include "sdk/ed/qvedInput.h"

#include <cwchar>

#include "sdk/ed/VexaClassicQuestion.h"
#include "sdk/ed/VexaInputState.h"

namespace {

VexaInputState* inputState() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaInputState>() : nullptr;
}

// The question of a classic call, with the controls qvedInitGet left for it (taken, so they
// apply to this call only). `basePoint` is in the current UCS.
VexaClassicQuestion takeQuestion(VexaInputState& state, VexaAnswerKind kind, const wchar_t* prompt,
                                 const double* basePoint = nullptr) {
  int flags = 0;
  QvString keywords;
  state.takeNext(flags, keywords);
  VexaQuestionSetup setup;
  setup.kind = kind;
  setup.prompt = prompt;
  setup.keywords = VexaKeywordList(keywords);
  setup.rejectEmpty = (flags & kQvInitNoNull) != 0;
  setup.rejectZero = (flags & kQvInitNoZero) != 0;
  setup.rejectNegative = (flags & kQvInitNoNegative) != 0;
  setup.acceptOther = (flags & kQvInitOther) != 0;
  VexaClassicQuestion question(std::move(setup));
  question.setBasePoint(basePoint);
  return question;
}

// Refuses a call with bad arguments. The controls qvedInitGet left were meant for this call,
// so they are dropped rather than passed on to the next question.
int refuse(VexaInputState* state) {
  if (state) {
    int flags = 0;
    QvString keywords;
    state->takeNext(flags, keywords);
  }
  return kQvError;
}

// Copies text into a caller's buffer; false when it does not fit.
bool copyOut(const QvString& text, wchar_t* result, size_t size) {
  if (!result || size == 0 || static_cast<size_t>(text.length()) >= size) return false;
  std::wmemcpy(result, text.c_str(), static_cast<size_t>(text.length()) + 1);
  return true;
}

int askPoint(const double* basePoint, const wchar_t* prompt, double* result) {
  VexaInputState* state = inputState();
  if (!state || !result) return refuse(state);
  VexaClassicQuestion question = takeQuestion(*state, VexaAnswerKind::kPoint, prompt, basePoint);
  const int rc = question.ask();
  if (rc == kQvNormal) {
    const auto p = question.ucsPoint();
    for (int i = 0; i < 3; ++i) result[i] = p[static_cast<size_t>(i)];
  }
  return rc;
}

int askNumber(VexaAnswerKind kind, const double* basePoint, const wchar_t* prompt, double* result) {
  VexaInputState* state = inputState();
  if (!state || !result) return refuse(state);
  VexaClassicQuestion question = takeQuestion(*state, kind, prompt, basePoint);
  const int rc = question.ask();
  if (rc == kQvNormal) *result = question.answer().number;
  return rc;
}

int askText(VexaAnswerKind kind, int spacesAllowed, const wchar_t* prompt, QvString& result,
            int maxLength) {
  VexaInputState* state = inputState();
  if (!state) return kQvError;
  VexaClassicQuestion question = takeQuestion(*state, kind, prompt);
  question.setup().spacesAllowed = spacesAllowed != 0;
  question.setup().maxLength = maxLength;
  if (kind == VexaAnswerKind::kString) question.setup().rejectEmpty = false;
  int rc = question.ask();
  if (kind == VexaAnswerKind::kString) {
    if (rc == kQvNone) {
      result.empty();
      return kQvNormal;
    }
    if (rc == kQvNormal) result = question.answer().text;
    return rc;
  }
  // Keyword questions answer the keyword itself; an empty answer leaves an empty text.
  if (rc == kQvKeyword) {
    result = state->lastInput();
    rc = kQvNormal;
  } else if (rc == kQvNone) {
    result.empty();
  }
  return rc;
}

}  // namespace

int qvedInitGet(int flags, const wchar_t* keywords) {
  VexaInputState* state = inputState();
  if (!state) return kQvError;
  state->setNext(flags, keywords ? keywords : L"");
  return kQvNormal;
}

int qvedGetPoint(const double* basePoint, const wchar_t* prompt, double* result) {
  return askPoint(basePoint, prompt, result);
}

int qvedGetCorner(const double* basePoint, const wchar_t* prompt, double* result) {
  if (!basePoint) return refuse(inputState());
  return askPoint(basePoint, prompt, result);
}

int qvedGetDist(const double* basePoint, const wchar_t* prompt, double* result) {
  return askNumber(VexaAnswerKind::kDistance, basePoint, prompt, result);
}

int qvedGetAngle(const double* basePoint, const wchar_t* prompt, double* result) {
  return askNumber(VexaAnswerKind::kAngle, basePoint, prompt, result);
}

int qvedGetReal(const wchar_t* prompt, double* result) {
  return askNumber(VexaAnswerKind::kReal, nullptr, prompt, result);
}

int qvedGetInt(const wchar_t* prompt, int* result) {
  VexaInputState* state = inputState();
  if (!state || !result) return refuse(state);
  VexaClassicQuestion question = takeQuestion(*state, VexaAnswerKind::kInteger, prompt);
  const int rc = question.ask();
  if (rc == kQvNormal) *result = question.answer().integer;
  return rc;
}

int qvedGetString(int spacesAllowed, const wchar_t* prompt, QvString& result) {
  return askText(VexaAnswerKind::kString, spacesAllowed, prompt, result, -1);
}

int qvedGetString(int spacesAllowed, const wchar_t* prompt, wchar_t* result, size_t size) {
  if (!result || size == 0) return refuse(inputState());
  QvString text;
  const int maxLength = size - 1 > 0x7fffffff ? 0x7fffffff : static_cast<int>(size - 1);
  const int rc = askText(VexaAnswerKind::kString, spacesAllowed, prompt, text, maxLength);
  if (rc == kQvNormal && !copyOut(text, result, size)) return kQvError;
  return rc;
}

int qvedGetKword(const wchar_t* prompt, QvString& result) {
  return askText(VexaAnswerKind::kKeyword, 1, prompt, result, -1);
}

int qvedGetKword(const wchar_t* prompt, wchar_t* result, size_t size) {
  if (!result || size == 0) return refuse(inputState());
  QvString text;
  const int rc = qvedGetKword(prompt, text);
  if (rc == kQvNormal && !copyOut(text, result, size)) return kQvError;
  if (rc == kQvNone) result[0] = L'\0';
  return rc;
}

int qvedGetInput(QvString& result) {
  VexaInputState* state = inputState();
  if (!state || state->lastInput().isEmpty()) return kQvError;
  result = state->lastInput();
  return kQvNormal;
}

int qvedGetInput(wchar_t* result, size_t size) {
  QvString text;
  const int rc = qvedGetInput(text);
  if (rc == kQvNormal && !copyOut(text, result, size)) return kQvError;
  return rc;
}
