#pragma once

#include <cstdint>

#include "xqcmdutil/XqCmdUtilExport.h"

// Name checks. Both accept the escapes that stand for one character inside a name: "\U+" and
// four hexadecimal digits, or "\M+", one decimal digit and four hexadecimal digits (U and M in
// either case). A backslash that starts no complete escape is an ordinary backslash.

// Whether `name` may name a symbol (a block, a layer, ...) of the working database. Nonzero
// when it may. The rules follow "EXTNAMES" (0 when it cannot be read):
//   - 0 (old names): letters and digits of any script, escapes, "$", "-" and "_"; "|" only
//     when `flag` is 0.
//   - not 0 (extended names): anything but control characters and < > / \ " : ? * , = ` ;
//     and "|", which passes when `flag` is nonzero.
// The flag thus reads the other way round under the two settings; callers rely on that.
// Characters the user's locale does not define are refused in both. The name may be as long as
// the host's symbol utilities allow in the working database (255 characters, 31 for old
// names); a null or empty name, or no working database to ask, is invalid. A name that starts
// with a blank is invalid unless it holds an escape.
XQCMDUTIL_EXPORT int16_t isValidSymbolName(const wchar_t* name, int flag);

// Whether `name` is usable as a name: 1 to 255 characters, not starting with a blank, each a
// letter or digit (of any script, in the user's locale), part of an escape, or any character
// other than " * , / : ; < = > ? \ ` and |. Nonzero when it is. The process locale is left as
// it was found.
XQCMDUTIL_EXPORT int16_t IsValidName(const wchar_t* name);
