#include "sdk/ed/commands/VexaObjectUcs.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

}  // namespace

int VexaObjectUcs::ask(std::optional<VexaUcs>& ucs) {
  VexaSelectionQuestion::Setup setup;
  setup.prompt = L"\nSelect object to align UCS: ";
  setup.single = true;
  VexaSelectSet selected;
  const int rc = VexaSelectionQuestion(setup).ask(selected);
  if (rc == kQvCancel) return kQvCancel;
  if (rc != kQvNormal) {
    say(L"\nNo object selected.");
    return kQvError;
  }
  ucs = of(selected.firstId());
  if (!ucs) {
    say(L"\nThe object does not define a coordinate system.");
    return kQvError;
  }
  return kQvNormal;
}

std::optional<VexaUcs> VexaObjectUcs::of(QvDbObjectId /*entityId*/) {
  return std::nullopt;
}
