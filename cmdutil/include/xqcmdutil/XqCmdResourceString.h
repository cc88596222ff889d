#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/CString.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Message texts by numeric id from the resource module current at the call (see
// XqResourceSwitchGuard); they select no module themselves and never fail: a missing id gives
// an empty text, the fallback, or false.

// Text `id`, or the empty string.
XQCMDUTIL_EXPORT QvString qvcmdQvResourceString(unsigned int id);
// Text `id`, or `fallback` (null is the empty string) when the current module lacks it.
XQCMDUTIL_EXPORT QvString qvcmdQvResourceString(unsigned int id, const wchar_t* fallback);
// Loads text `id` into `out`; true when it was found (`out` is emptied otherwise).
XQCMDUTIL_EXPORT bool qvcmdQvResourceString(unsigned int id, QvString& out);
// Text `id` used as a printf-style format for the arguments (%s and %ls are wide strings); an
// empty string when the id is missing, whatever the arguments.
XQCMDUTIL_EXPORT QvString qvcmdQvResourceStringF(unsigned int id, ...);

// The same as a CString. These load with CString::LoadString, which searches the whole chain
// of resource modules, the current one first.
XQCMDUTIL_EXPORT CString qvcmdCResourceString(unsigned int id);
XQCMDUTIL_EXPORT bool qvcmdCResourceString(unsigned int id, CString& out);
// Loads the format from the current module only (like qvcmdQvResourceStringF) and answers
// the formatted text as a CString.
XQCMDUTIL_EXPORT CString qvcmdCResourceStringF(unsigned int id, ...);
