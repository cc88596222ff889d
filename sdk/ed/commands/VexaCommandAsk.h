#pragma once

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

// A message on the command line.
inline void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

}  // namespace VexaCommandAsk
