#pragma once

#include "sdk/base/QvClassicCodes.h"

// Output to the command line. Everything goes to the running host's transcript
// (VexaTranscript) as a message.

// printf-style wide output, formatted with vexaFormatVS (%s and %ls take wide strings).
// Returns kQvNormal; kQvError for a null format or when no host runs.
int qvutPrintf(const wchar_t* format, ...);

// Prints `text` as it stands (no formatting). Returns kQvNormal; kQvError for null text or
// when no host runs.
int qvedPrompt(const wchar_t* text);

// Switches the command line to the text screen: the transcript shows the switch. Returns
// kQvNormal; kQvError when no host runs.
int qvedTextScr();
