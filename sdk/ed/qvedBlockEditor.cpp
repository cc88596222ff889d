#include "sdk/ed/qvedBlockEditor.h"

#include "sdk/base/QvClassicCodes.h"

VexaBlockEditorState* VexaBlockEditorState::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaBlockEditorState>() : nullptr;
}

int qvedBEditGetEditBlockName(QvString& name) {
  const VexaBlockEditorState* state = VexaBlockEditorState::current();
  if (!state) return kQvError;
  name = state->editBlockName();
  return name.isEmpty() ? kQvNone : kQvNormal;
}
