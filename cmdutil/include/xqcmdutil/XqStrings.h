#pragma once

#include <cstddef>

#include "sdk/win/CStringArray.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Wide-string helpers of the classic interface. Strings are NUL-terminated.

// Trims `s` in place by the mode letters of `how`, applied in order, in either case: 'B'
// removes leading blanks, 'E' trailing blanks, 'M' every blank between the first and the last
// other character. Other letters are skipped. Only the blank (32) counts, and a text of blanks
// only becomes empty whatever `how` says. A null `how` is an empty one; a null `s` is ignored.
XQCMDUTIL_EXPORT void qv_trim(wchar_t* s, const wchar_t* how);
// As qv_trim, but 'B' removes tabs too.
XQCMDUTIL_EXPORT void trimWhiteSpace(wchar_t* s, const wchar_t* how);
// Removes enclosing quotation marks (when `s` has at least two characters and starts and ends
// with one), then leading and trailing blanks.
XQCMDUTIL_EXPORT void qv_trimDoubleQuotation(wchar_t* s);

// Writes to `ext` (room for `size` characters with the NUL) the extension of `path`: from the
// last full stop after the last '/', blanks trimmed (modes B, M, E); a lone "." when there is
// none. Nothing is written when `ext` is null or `size` is 0.
XQCMDUTIL_EXPORT void qv_getext(const wchar_t* path, wchar_t* ext, size_t size);

// Compares with A-Z folded to a-z: the difference of the first unequal folded characters, 0
// when equal, -1 when either is null.
XQCMDUTIL_EXPORT int strings_i_compare(const wchar_t* a, const wchar_t* b);

// Replaces *dst (freed with delete[]) by a new copy of at most `n` characters of `src` (all of
// it when n < 0); null when `src` is null.
XQCMDUTIL_EXPORT void db_astrncpy(wchar_t** dst, const wchar_t* src, int n);

// Digits and at most one full stop (true for the empty string; false for null).
XQCMDUTIL_EXPORT bool IsAllNum(const wchar_t* s);
// False when `s` holds any of " ' * , / : < = > ? \ | (true for the empty string; false for
// null).
XQCMDUTIL_EXPORT bool IsLegalName(const wchar_t* s);
// 1 when `s` equals (with case) an element of `list`, else 0.
XQCMDUTIL_EXPORT int IsStringSelected(const wchar_t* s, const CStringArray& list);
