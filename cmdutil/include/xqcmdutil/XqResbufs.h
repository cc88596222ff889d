#pragma once

#include <cstddef>
#include <cstdint>

#include "sdk/base/resbuf.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// Result-buffer lists of the classic interface: finding, reading and changing the first record
// of a group code. A reader or writer checks the kind of the record it finds (a string is
// never read from a point) and answers kQvError for a record of another kind.

// The first record of `code`, or null.
XQCMDUTIL_EXPORT resbuf* dxf(resbuf* list, int code);
// The same through `rec`: 0, or -1 (rec set to null) when there is none.
XQCMDUTIL_EXPORT int xq_Associate(resbuf* list, int code, resbuf** rec);
// Gives the first string record of `code` the string `str` (allocated as the host's strings
// are, qvutDupString; the list owns it then). The old string goes back through `old`, else it
// is released. 1 when a string record was found, else 0 (`str` stays the caller's).
XQCMDUTIL_EXPORT int setrb_string(resbuf* list, int code, wchar_t* str, wchar_t** old);
// Appends `tail` to the list *head (an empty head becomes tail).
XQCMDUTIL_EXPORT void append_rblist(resbuf** head, resbuf* tail);

// The value of the first record of `code`: kQvNormal, or kQvError when there is none, it is of
// another kind, or the output is null. Integers are 16-bit or 32-bit records; a string is cut
// to size - 1 characters.
XQCMDUTIL_EXPORT int GetBufInt(const resbuf* list, int code, int* value);
XQCMDUTIL_EXPORT int GetBufReal(const resbuf* list, int code, double* value);
XQCMDUTIL_EXPORT int GetBufString(const resbuf* list, int code, wchar_t* buffer, size_t size);
// Overwrites the value of the first record of `code` (a 16-bit record takes only values in its
// range): kQvNormal, else kQvError.
XQCMDUTIL_EXPORT int SetBufInt(resbuf* list, int code, int value);
XQCMDUTIL_EXPORT int SetBufReal(resbuf* list, int code, double value);
// The entity name of the list's first record; kQvError when it holds none.
XQCMDUTIL_EXPORT int GetFirstNameInBuf(const resbuf* list, int64_t name[2]);
// The entity name of the first record of `code`; kQvError when there is none.
XQCMDUTIL_EXPORT int GetEntNameFromRb(const resbuf* list, int code, int64_t name[2]);
