#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"
#include "xqcmdutil/XqCmdUtilExport.h"

class IVexaBuildInCommandContext;

// Asks for a name on the command line. The command context decides whether the name may hold
// blanks at this point: when it may, the answer is the whole line; when not, a blank ends it
// (qvedGetString with 1 or 0). Returns the code of qvedGetString (an empty answer is kQvNormal
// with an empty name), or kQvError for a null context.
XQCMDUTIL_EXPORT int qvedGetStringForName(const IVexaBuildInCommandContext* context,
                                          const wchar_t* prompt, QvString& answer);
// The same into a buffer of `size` characters: an answer that does not fit is asked again.
// kQvError for a null context or buffer.
XQCMDUTIL_EXPORT int qvedGetStringForName(const IVexaBuildInCommandContext* context,
                                          const wchar_t* prompt, wchar_t* answer, size_t size);
