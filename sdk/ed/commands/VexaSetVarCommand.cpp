#include "sdk/ed/commands/VexaSetVarCommand.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaAnswerText.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysvarData.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

VexaAnswer ask(VexaAnswerKind kind, const QvString& prompt, bool spacesAllowed = true) {
  VexaQuestionSetup setup;
  setup.kind = kind;
  setup.prompt = prompt;
  setup.spacesAllowed = spacesAllowed;
  return VexaQuestion(std::move(setup)).ask();
}

void listAll(const VexaSysVarService& vars) {
  for (const VexaSysvarData& var : vexaSysvarTable()) {
    QvString line = QvString::format(L"\n%s = %s", var.name, vars.get(var).toText().c_str());
    if (var.isReadOnly() || (var.flags & kSysVarUcsAxis)) line += L"  (read only)";
    say(line);
  }
}

// The value typed for a variable; nothing when the text is not of its type (`reason` says
// what is expected).
std::optional<VexaSysVarValue> valueOf(const VexaSysvarData& var, const QvString& typed,
                                       QvString& reason) {
  switch (var.type) {
    case kRbShort: {
      int value = 0;
      int min = -32768;
      int max = 32767;
      var.shortRange(min, max);
      if (VexaAnswerText::toInteger(typed, value) && value >= min && value <= max)
        return VexaSysVarValue::ofShort(static_cast<int16_t>(value));
      reason = QvString::format(L"\nRequires an integer between %d and %d.", min, max);
      return std::nullopt;
    }
    case kRbReal: {
      double value = 0.0;
      if (VexaAnswerText::toNumber(typed, value)) return VexaSysVarValue::ofReal(value);
      reason = L"\nRequires a number.";
      return std::nullopt;
    }
    case kRbPoint3d: {
      std::array<double, 3> point{};
      if (VexaAnswerText::toPoint(typed, point)) return VexaSysVarValue::ofPoint(point);
      reason = L"\nRequires a point: x,y or x,y,z.";
      return std::nullopt;
    }
    default:
      return VexaSysVarValue::ofText(typed == L"." ? QvString() : typed);
  }
}

}  // namespace

int VexaSetVarCommand::run(IVexaBuildInCommandContext& /*context*/) {
  VexaSysVarService* vars = VexaSysVarService::current();
  if (!vars) return kQvError;
  const VexaAnswer name =
      ask(VexaAnswerKind::kString, L"\nEnter variable name or [?]: ", /*spacesAllowed=*/false);
  if (name.outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
  if (name.outcome == VexaAnswer::Outcome::kEmpty || name.text.isEmpty()) return kQvNone;
  if (name.text == L"?") {
    listAll(*vars);
    return kQvNormal;
  }
  const VexaSysvarData* var = vexaFindSysvarData(name.text.c_str());
  if (!var) {
    say(QvString::format(L"\nUnknown variable name \"%s\".", name.text.c_str()));
    return kQvError;
  }
  const QvString current = vars->get(*var).toText();
  if (var->isReadOnly() || (var->flags & kSysVarUcsAxis)) {
    say(QvString::format(L"\n%s = %s (read only)", var->name, current.c_str()));
    return kQvError;
  }
  const QvString prompt =
      QvString::format(L"\nEnter new value for %s <%s>: ", var->name, current.c_str());
  for (;;) {
    const VexaAnswer typed = ask(VexaAnswerKind::kString, prompt);
    if (typed.outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
    if (typed.outcome == VexaAnswer::Outcome::kEmpty) return kQvNone;
    QvString reason;
    const std::optional<VexaSysVarValue> value = valueOf(*var, typed.text, reason);
    if (!value) {
      say(reason);
      continue;
    }
    switch (vars->set(var->name, *value)) {
      case VexaSysVarResult::kOk:
        return kQvNormal;
      case VexaSysVarResult::kOutOfRange:
        say(L"\nThe value is out of range.");
        continue;
      default:
        say(QvString::format(L"\nThe value of %s was refused.", var->name));
        return kQvError;
    }
  }
}
