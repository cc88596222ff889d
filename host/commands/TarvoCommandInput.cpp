#include "host/commands/TarvoCommandInput.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedOutput.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace {

QvGePoint3d toWorld(const double ucs[3]) {
  QvGePoint3d world;
  qvedTrans(QvGePoint3d(ucs[0], ucs[1], ucs[2]), kQvTransUcs, kQvTransWorld, false, world);
  return world;
}

// The answer of a question that took `keywords`, after its result code.
TarvoAnswer answerOf(int code) {
  TarvoAnswer answer;
  switch (code) {
    case kQvNone:
      answer.kind = TarvoAnswer::Kind::kEnter;
      break;
    case kQvKeyword:
      answer.kind = TarvoAnswer::Kind::kKeyword;
      qvedGetInput(answer.keyword);
      break;
    default:
      answer.kind = TarvoAnswer::Kind::kCancel;
  }
  return answer;
}

// The X and Z axes of the current UCS (unchanged when no host runs).
void ucsAxes(QvGeVector3d& xAxis, QvGeVector3d& zAxis) {
  QvGeMatrix3d ucs;
  if (qvedGetCurrentUCS(ucs) != Vexa::eOk) return;
  QvGePoint3d origin;
  QvGeVector3d y;
  ucs.getCoordSystem(origin, xAxis, y, zAxis);
  xAxis.normalize();
  zAxis.normalize();
}

}  // namespace

QvGePoint3d TarvoCommandInput::toUcs(const QvGePoint3d& world) {
  QvGePoint3d ucs;
  qvedTrans(world, kQvTransWorld, kQvTransUcs, false, ucs);
  return ucs;
}

TarvoAnswer TarvoCommandInput::text(const wchar_t* prompt, bool spacesAllowed, QvString& value) {
  const int code = qvedGetString(spacesAllowed ? 1 : 0, prompt, value);
  TarvoAnswer answer;
  if (code != kQvNormal) return answerOf(code);
  value.trim();
  answer.kind = value.isEmpty() ? TarvoAnswer::Kind::kEnter : TarvoAnswer::Kind::kValue;
  return answer;
}

std::optional<int> TarvoCommandInput::integer(const wchar_t* prompt, int low, int high,
                                              int byDefault) {
  for (;;) {
    qvedInitGet(0, nullptr);
    int value = byDefault;
    const int code = qvedGetInt(prompt, &value);
    if (code == kQvNone) return byDefault;
    if (code != kQvNormal) return std::nullopt;
    if (value >= low && value <= high) return value;
    say(QvString::format(L"\nA whole number from %d to %d, please.", low, high));
  }
}

std::optional<double> TarvoCommandInput::positive(const wchar_t* prompt, double byDefault) {
  for (;;) {
    qvedInitGet(0, nullptr);
    double value = byDefault;
    const int code = qvedGetReal(prompt, &value);
    if (code == kQvNone) return byDefault;
    if (code != kQvNormal) return std::nullopt;
    if (value > 0.0) return value;
    say(L"\nThe value must be greater than zero.");
  }
}

std::optional<double> TarvoCommandInput::angle(const wchar_t* prompt, double byDefault) {
  qvedInitGet(0, nullptr);
  double value = byDefault;
  const int code = qvedGetAngle(nullptr, prompt, &value);
  if (code == kQvNone) return byDefault;
  if (code != kQvNormal) return std::nullopt;
  return value;
}

TarvoAnswer TarvoCommandInput::point(const wchar_t* prompt, const QvGePoint3d* from,
                                     const wchar_t* keywords, bool required) {
  qvedInitGet(required ? kQvInitNoNull : 0, keywords);
  double base[3] = {0, 0, 0};
  if (from) {
    const QvGePoint3d ucs = toUcs(*from);
    base[0] = ucs.x, base[1] = ucs.y, base[2] = ucs.z;
  }
  double typed[3] = {0, 0, 0};
  const int code = qvedGetPoint(from ? base : nullptr, prompt, typed);
  if (code != kQvNormal) return answerOf(code);
  TarvoAnswer answer;
  answer.kind = TarvoAnswer::Kind::kValue;
  answer.point = toWorld(typed);
  return answer;
}

TarvoAnswer TarvoCommandInput::distance(const wchar_t* prompt, const QvGePoint3d& from,
                                        double& value, const wchar_t* keywords) {
  qvedInitGet(kQvInitNoNull | kQvInitNoZero | kQvInitNoNegative, keywords);
  const QvGePoint3d ucs = toUcs(from);
  const double base[3] = {ucs.x, ucs.y, ucs.z};
  const int code = qvedGetDist(base, prompt, &value);
  if (code != kQvNormal) return answerOf(code);
  TarvoAnswer answer;
  answer.kind = TarvoAnswer::Kind::kValue;
  answer.point = from;
  return answer;
}

std::optional<bool> TarvoCommandInput::yesNo(const wchar_t* prompt, bool byDefault) {
  qvedInitGet(0, L"Yes No");
  QvString keyword;
  const int code = qvedGetKword(prompt, keyword);
  if (code == kQvNone) return byDefault;
  if (code != kQvNormal) return std::nullopt;
  return keyword == L"Yes";
}

QvGeVector3d TarvoCommandInput::ucsNormal() {
  QvGeVector3d x = QvGeVector3d::kXAxis, z = QvGeVector3d::kZAxis;
  ucsAxes(x, z);
  return z;
}

QvGeVector3d TarvoCommandInput::ucsXAxis() {
  QvGeVector3d x = QvGeVector3d::kXAxis, z = QvGeVector3d::kZAxis;
  ucsAxes(x, z);
  return x;
}

void TarvoCommandInput::say(const QvString& text) {
  qvedPrompt(text.c_str());
}
