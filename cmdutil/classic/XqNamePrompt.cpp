#include "xqcmdutil/XqNamePrompt.h"

#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/qvedInput.h"

int qvedGetStringForName(const IVexaBuildInCommandContext* context, const wchar_t* prompt,
                         QvString& answer) {
  if (!context) return kQvError;
  return qvedGetString(context->isSpaceAllowedInNames() ? 1 : 0, prompt, answer);
}

int qvedGetStringForName(const IVexaBuildInCommandContext* context, const wchar_t* prompt,
                         wchar_t* answer, size_t size) {
  if (!context) return kQvError;
  return qvedGetString(context->isSpaceAllowedInNames() ? 1 : 0, prompt, answer, size);
}
