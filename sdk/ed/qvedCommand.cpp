#include "sdk/ed/qvedCommand.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <optional>
#include <vector>

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ed/VexaCommandRunner.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/qvedSelection.h"

namespace {

using Answers = std::vector<VexaInputScriptLine>;

// A number as typed: the shortest text that reads back to the same double, in any locale.
std::optional<QvString> numberText(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return std::nullopt;
  *end = '\0';
  return QvString(buffer);
}

bool addText(Answers& answers, const wchar_t* text) {
  if (!text) return false;
  answers.emplace_back(QvString(text));
  return true;
}

bool addNumber(Answers& answers, double value, const wchar_t* suffix = L"") {
  const std::optional<QvString> text = numberText(value);
  if (!text) return false;
  answers.emplace_back(*text + suffix);
  return true;
}

bool addPoint(Answers& answers, const double* point, int dimensions) {
  if (!point) return false;
  QvString text;
  for (int i = 0; i < dimensions; ++i) {
    const std::optional<QvString> coordinate = numberText(point[i]);
    if (!coordinate) return false;
    if (i > 0) text += L",";
    text += *coordinate;
  }
  answers.emplace_back(text);
  return true;
}

bool addObjects(Answers& answers, const VexaSelectSet& objects, const QvString& echo) {
  VexaInputScriptLine line(echo);
  line.objects = true;
  line.selection = objects;
  answers.push_back(std::move(line));
  return true;
}

bool addEntity(Answers& answers, const int64_t* name) {
  QvDbObjectId id;
  if (!name || qvdbGetObjectId(id, name) != Vexa::eOk || !id.isValid() || id.isErased())
    return false;
  VexaSelectSet one;
  one.append(id);
  return addObjects(answers, one,
                    QvString::format(L"<Entity name: %ls>", id.handle().ascii().c_str()));
}

bool addSelection(Answers& answers, const int64_t* name) {
  VexaSelectSet set;
  if (!name || qvedSSToSelectSet(name, set) != kQvNormal) return false;
  return addObjects(answers, set, QvString::format(L"<Selection set: %d>", set.length()));
}

int run(const Answers& answers, bool ok) {
  return ok ? VexaCommandRunner::runSent(answers) : kQvError;
}

}  // namespace

int qvedCommand(int type, ...) {
  Answers answers;
  bool ok = true;
  va_list args;
  va_start(args, type);
  for (; ok && type != 0 && type != kRbNone; type = va_arg(args, int)) {
    switch (type) {
      case kRbString:
        ok = addText(answers, va_arg(args, const wchar_t*));
        break;
      case kRbPoint3d:
        ok = addPoint(answers, va_arg(args, const double*), 3);
        break;
      case kRbPoint2d:
        ok = addPoint(answers, va_arg(args, const double*), 2);
        break;
      case kRbReal:
        ok = addNumber(answers, va_arg(args, double));
        break;
      case kRbAngle:
        ok = addNumber(answers, va_arg(args, double), L"r");
        break;
      case kRbShort:
      case kRbLong:
        ok = addNumber(answers, va_arg(args, int));
        break;
      case kRbEntityName:
        ok = addEntity(answers, va_arg(args, const int64_t*));
        break;
      case kRbPickSet:
        ok = addSelection(answers, va_arg(args, const int64_t*));
        break;
      default:
        ok = false;  // the value's type is unknown: the rest cannot be read
        break;
    }
  }
  va_end(args);
  return run(answers, ok);
}

int qvedCmd(const resbuf* arguments) {
  Answers answers;
  bool ok = true;
  for (const resbuf* rb = arguments; ok && rb; rb = rb->next) {
    switch (rb->type) {
      case kRbString:
        ok = addText(answers, rb->value.string);
        break;
      case kRbPoint3d:
        ok = addPoint(answers, rb->value.point, 3);
        break;
      case kRbPoint2d:
        ok = addPoint(answers, rb->value.point, 2);
        break;
      case kRbReal:
        ok = addNumber(answers, rb->value.real);
        break;
      case kRbAngle:
        ok = addNumber(answers, rb->value.real, L"r");
        break;
      case kRbShort:
        ok = addNumber(answers, rb->value.int16);
        break;
      case kRbLong:
        ok = addNumber(answers, rb->value.int32);
        break;
      case kRbEntityName:
        ok = addEntity(answers, rb->value.name);
        break;
      case kRbPickSet:
        ok = addSelection(answers, rb->value.name);
        break;
      default:
        ok = false;
        break;
    }
  }
  return run(answers, ok);
}
