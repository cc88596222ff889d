#pragma once

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaTranscript.h"

// Small steps the host's own commands share.
namespace VexaCommandAsk {

// Asks one question of the input script.
inline VexaAnswer ask(VexaQuestionSetup setup) {
  return VexaQuestion(std::move(setup)).ask();
}
inline VexaAnswer ask(VexaAnswerKind kind, const QvString& prompt,
                      const wchar_t* keywords = nullptr) {
  VexaQuestionSetup setup;
  setup.kind = kind;
  setup.prompt = prompt;
  if (keywords) setup.keywords = VexaKeywordList(keywords);
  return ask(std::move(setup));
}

inline bool isValue(const VexaAnswer& answer) {
  return answer.outcome == VexaAnswer::Outcome::kValue;
}
inline bool isEmpty(const VexaAnswer& answer) {
  return answer.outcome == VexaAnswer::Outcome::kEmpty;
}

// Asks for a block name; answers kQvNormal with the trimmed name, kQvNone for an empty answer or
// a blank name, kQvCancel otherwise.
inline int askBlockName(bool spacesAllowed, QvString& name) {
  VexaQuestionSetup question;
  question.prompt = L"\nEnter block name: ";
  question.spacesAllowed = spacesAllowed;
  const VexaAnswer named = ask(question);
  if (!isValue(named)) return isEmpty(named) ? kQvNone : kQvCancel;
  name = named.text;
  name.trim();
  return name.isEmpty() ? kQvNone : kQvNormal;
}

// A message on the command line.
inline void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

}  // namespace VexaCommandAsk
