#include "sdk/ed/VexaDialogInputService.h"

#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaTranscript.h"

VexaDialogReply VexaDialogInputService::askLine(const QvString& prompt) {
  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kString;
  setup.prompt = prompt;
  setup.spacesAllowed = true;
  const VexaAnswer answer = VexaQuestion(setup).ask();
  VexaDialogReply reply;
  switch (answer.outcome) {
    case VexaAnswer::Outcome::kValue:
      reply.kind =
          answer.text.isEmpty() ? VexaDialogReply::Kind::kEnter : VexaDialogReply::Kind::kText;
      reply.text = answer.text;
      break;
    case VexaAnswer::Outcome::kEmpty:
      reply.kind = VexaDialogReply::Kind::kEnter;
      break;
    default:
      reply.kind = VexaDialogReply::Kind::kCancel;
      break;
  }
  return reply;
}

void VexaDialogInputService::show(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}
