#include "sdk/ed/qvedCommandState.h"

#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaInputState.h"

bool qvedCurFDERunning() {
  const VexaInputScript* script = VexaInputScript::current();
  VexaHost* host = VexaHost::current();
  if (!script || !host) return false;
  // Script files nest the input script too; only the scopes beyond theirs are sent from code.
  return script->nesting() > host->service<VexaInputState>().scriptDepth();
}

int qvedGetInputState() {
  VexaHost* host = VexaHost::current();
  return host ? host->service<VexaInputState>().sourceFlags() : 0;
}
