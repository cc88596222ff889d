#include "sdk/ed/qvedCommandState.h"

#include "sdk/ed/VexaInputScript.h"

bool qvedCurFDERunning() {
  const VexaInputScript* script = VexaInputScript::current();
  return script && script->nesting() > 0;
}
