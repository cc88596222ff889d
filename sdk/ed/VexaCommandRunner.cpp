#include "sdk/ed/VexaCommandRunner.h"

#include <exception>
#include <optional>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysVarValue.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

constexpr const wchar_t* kCommandPrompt = L"\nCommand: ";

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

bool echoOn() {
  const VexaSysVarService* vars = VexaSysVarService::current();
  const std::optional<VexaSysVarValue> echo = vars ? vars->get(L"CMDECHO") : std::nullopt;
  return !echo || echo->shortValue() != 0;
}

}  // namespace

VexaCommandEnd VexaCommandRunner::runCommand(const QvString& text) {
  QvString name = text;
  name.trim();
  bool builtIn = false;
  while (!name.isEmpty() && (name.getAt(0) == L'_' || name.getAt(0) == L'.')) {
    builtIn = builtIn || name.getAt(0) == L'.';
    name = name.mid(1);
  }
  VexaCommandStack* stack = VexaCommandStack::current();
  const VexaCommandStack::Command* command = !stack    ? nullptr
                                             : builtIn ? stack->lookupBuiltIn(name)
                                                       : stack->lookup(name);
  if (!command) {
    say(QvString::format(L"\nUnknown command \"%s\".", text.c_str()));
    return VexaCommandEnd::kUnknown;
  }
  // The command may add or remove commands while it runs: hold on to its own copy.
  const VexaCommandStack::Function function = command->function;
  const QvString commandName = command->name;

  VexaInputScript* script = VexaInputScript::current();
  const int cancelsBefore = script ? script->readsPastEnd() : 0;
  int rc = kQvError;
  try {
    VexaBuildInCommandContext context;
    if (const VexaCommandContexts* contexts = VexaCommandContexts::current())
      context.setNonInteractive(contexts->nonInteractive());
    const VexaCommandContexts::RunningScope running(context);
    rc = function(context);
  } catch (const std::exception& error) {
    say(QvString::format(L"\nThe command %s stopped: %hs", commandName.c_str(), error.what()));
    return VexaCommandEnd::kFailed;
  } catch (...) {
    say(QvString::format(L"\nThe command %s stopped.", commandName.c_str()));
    return VexaCommandEnd::kFailed;
  }
  if (rc == kQvCancel || (script && script->readsPastEnd() > cancelsBefore))
    return VexaCommandEnd::kCancelled;
  return rc < 0 ? VexaCommandEnd::kFailed : VexaCommandEnd::kDone;
}

VexaCommandRunner::Summary VexaCommandRunner::runScript() {
  Summary summary;
  VexaInputScript* script = VexaInputScript::current();
  VexaTranscript* transcript = VexaTranscript::current();
  if (!script || !transcript) return summary;
  for (;;) {
    const VexaScriptLine line = script->next();
    if (line.kind == VexaScriptLine::Kind::kEnd) break;
    if (line.kind != VexaScriptLine::Kind::kAnswer) continue;
    QvString name = line.text;
    name.trim();
    if (name.isEmpty()) continue;
    int blank = 0;
    while (blank < name.length() && !qvIsSpace(name.getAt(blank))) ++blank;
    QvString rest = name.mid(blank);
    rest.trimLeft();
    name = name.left(blank);
    if (!rest.isEmpty()) script->pushFront(rest);

    transcript->addPrompt(kCommandPrompt);
    transcript->addAnswer(name);
    ++summary.commands;
    switch (runCommand(name)) {
      case VexaCommandEnd::kDone:
        ++summary.done;
        break;
      case VexaCommandEnd::kCancelled:
        ++summary.cancelled;
        break;
      case VexaCommandEnd::kFailed:
      case VexaCommandEnd::kUnknown:
        ++summary.failed;
        break;
    }
  }
  return summary;
}

int VexaCommandRunner::runSent(const std::vector<VexaInputScriptLine>& answers) {
  VexaInputScript* script = VexaInputScript::current();
  VexaTranscript* transcript = VexaTranscript::current();
  if (!script || !transcript) return kQvError;
  if (script->nesting() >= kMaxNesting) {
    say(L"\nCommands sent from commands nest too deep.");
    return kQvError;
  }
  const VexaInputScript::NestedScope nested(*script);
  for (const VexaInputScriptLine& answer : answers) {
    if (answer.objects)
      script->appendObjects(answer.selection, answer.text);
    else
      script->appendSent(answer.text);
  }
  std::optional<VexaTranscript::EchoOff> quiet;
  if (!echoOn()) quiet.emplace(*transcript);
  const Summary summary = runScript();
  if (summary.failed > 0) return kQvError;
  return summary.cancelled > 0 ? kQvCancel : kQvNormal;
}
