// The input script and the classic questions answering from it. The input is a file:
//   line 1: the plan, one byte per question (which question and its qvedInitGet flags), taken
//           in turn until the script has run out;
//   line 2: the keyword list given to qvedInitGet;
//   the rest: the script, loaded from a file as `tarvo run` loads one.
// An answer a question accepts must be what it promises (an integer in range, an angle in
// [0, 2 pi), no zero under kQvInitNoZero...); every question ends.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <numbers>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/qvedInput.h"

namespace {

constexpr int kFlagSets[] = {0,
                             kQvInitNoNull,
                             kQvInitNoZero | kQvInitNoNegative,
                             kQvInitOther,
                             kQvInitNoNull | kQvInitNoZero,
                             kQvInitNoNegative | kQvInitOther,
                             kQvInit3d,
                             kQvInitNoNull | kQvInitNoZero | kQvInitNoNegative | kQvInitOther};
constexpr int kQuestions = 13;

// A private file for the script, removed at exit.
const std::string& scriptPath() {
  static const std::string path = [] {
    char name[] = "/tmp/tarvo-fuzz-script-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) fuzzFinding("no temporary file for the script");
    close(fd);
    std::atexit([] { std::remove(scriptPath().c_str()); });
    return std::string(name);
  }();
  return path;
}

std::string line(const std::string& text, size_t& at) {
  const size_t end = text.find('\n', at);
  const std::string first = text.substr(at, end == std::string::npos ? end : end - at);
  at = end == std::string::npos ? text.size() : end + 1;
  return first;
}

void checkNumber(double value, int flags, const char* question) {
  if (!std::isfinite(value)) fuzzFinding(std::string(question) + " answered a number not finite");
  if ((flags & kQvInitNoZero) && value == 0)
    fuzzFinding(std::string(question) + " answered zero under kQvInitNoZero");
  if ((flags & kQvInitNoNegative) && value < 0)
    fuzzFinding(std::string(question) + " answered a negative number under kQvInitNoNegative");
}

void checkPoint(const double* p, const char* question) {
  for (int i = 0; i < 3; ++i)
    if (!std::isfinite(p[i])) fuzzFinding(std::string(question) + " answered a point not finite");
}

// Asks question `which` (0 to kQuestions - 1) under `flags`; the status.
int ask(int which, int flags, size_t bufferSize) {
  const double base[3] = {1, 2, 0};
  double point[3] = {0, 0, 0};
  double number = 0;
  int integer = 0;
  QvString text;
  wchar_t buffer[64];
  int rc = kQvNormal;
  switch (which) {
    case 0:
    case 1:
      rc = qvedGetPoint(which == 0 ? nullptr : base, L"Point", point);
      if (rc == kQvNormal) checkPoint(point, "qvedGetPoint");
      return rc;
    case 2:
      rc = qvedGetCorner(base, L"Corner", point);
      if (rc == kQvNormal) checkPoint(point, "qvedGetCorner");
      return rc;
    case 3:
    case 4:
      rc = qvedGetDist(which == 3 ? nullptr : base, L"Distance", &number);
      if (rc == kQvNormal) checkNumber(number, flags, "qvedGetDist");
      return rc;
    case 5:
    case 6:
      rc = qvedGetAngle(which == 5 ? nullptr : base, L"Angle", &number);
      if (rc == kQvNormal && !(number >= 0 && number < 2 * std::numbers::pi))
        fuzzFinding("qvedGetAngle answered " + std::to_string(number) + ", not in [0, 2 pi)");
      return rc;
    case 7:
      rc = qvedGetInt(L"Integer", &integer);
      if (rc == kQvNormal) {
        if (integer < -32768 || integer > 32767)
          fuzzFinding("qvedGetInt answered " + std::to_string(integer));
        checkNumber(integer, flags, "qvedGetInt");
      }
      return rc;
    case 8:
      rc = qvedGetReal(L"Real", &number);
      if (rc == kQvNormal) checkNumber(number, flags, "qvedGetReal");
      return rc;
    case 9:
    case 10:
      return qvedGetString(which - 9, L"Text", text);
    case 11:
      rc = qvedGetString(which & 1, L"Text", buffer, bufferSize);
      if (rc == kQvError) fuzzFinding("qvedGetString refused an answer instead of asking again");
      if (rc == kQvNormal && std::wcslen(buffer) >= bufferSize)
        fuzzFinding("qvedGetString answered more than its buffer holds");
      return rc;
    default:
      rc = qvedGetKword(L"Keyword", buffer, bufferSize);
      if (rc == kQvNormal && std::wcslen(buffer) >= bufferSize)
        fuzzFinding("qvedGetKword answered more than its buffer holds");
      if (rc == kQvNormal && qvedGetInput(text) == kQvNormal && text.length() >= 0 &&
          static_cast<size_t>(text.length()) >= bufferSize)
        fuzzFinding("qvedGetInput's text does not fit the keyword answered");
      return rc;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  size_t at = 0;
  std::string plan = line(input, at);
  if (plan.empty()) plan = "\x01";
  const std::string keywords = line(input, at);
  {
    FILE* file = std::fopen(scriptPath().c_str(), "wb");
    if (!file) fuzzFinding("cannot write the script file");
    std::fwrite(input.data() + at, 1, input.size() - at, file);
    std::fclose(file);
  }

  FuzzHost host;
  VexaInputScript& script = host.host().service<VexaInputScript>();
  if (script.loadFile(scriptPath()) != Vexa::eOk) fuzzFinding("the script file was not loaded");
  const int lines = script.linesLeft();
  // Each question takes a line or a word typed ahead, so the script runs out before this.
  const size_t bound = 2 * (size + static_cast<size_t>(lines)) + 4;
  size_t asked = 0;
  for (; asked < bound && script.readsPastEnd() == 0; ++asked) {
    const auto step = static_cast<unsigned char>(plan[asked % plan.size()]);
    const int flags = kFlagSets[(step / kQuestions) % 8];
    const QvString list(keywords.c_str());
    qvedInitGet(flags, list.c_str());
    const size_t bufferSize = 1 + step % 16;
    ask(step % kQuestions, flags, bufferSize);
  }
  if (script.readsPastEnd() == 0 && !script.atEnd())
    fuzzFinding(std::to_string(asked) + " questions did not use up a script of " +
                std::to_string(lines) + " lines");
  return 0;
}
