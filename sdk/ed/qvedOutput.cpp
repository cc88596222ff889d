#include "sdk/ed/qvedOutput.h"

#include <cstdarg>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaTranscript.h"

int qvutPrintf(const wchar_t* format, ...) {
  VexaTranscript* transcript = VexaTranscript::current();
  if (!transcript || !format) return kQvError;
  QvString text;
  va_list args;
  va_start(args, format);
  vexaFormatVS(text, format, args);
  va_end(args);
  transcript->addMessage(text);
  return kQvNormal;
}

int qvedPrompt(const wchar_t* text) {
  VexaTranscript* transcript = VexaTranscript::current();
  if (!transcript || !text) return kQvError;
  transcript->addMessage(text);
  return kQvNormal;
}

int qvedTextScr() {
  VexaTranscript* transcript = VexaTranscript::current();
  if (!transcript) return kQvError;
  transcript->showTextScreen();
  return kQvNormal;
}
