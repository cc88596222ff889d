#pragma once

#include <cstddef>

// Escapes that stand for one character inside a symbol name: "\U+" and four hexadecimal digits
// (7 characters), or "\M+", one decimal digit and four hexadecimal digits (8 characters). U and
// M may be either case.

// The length of the escape that starts at `text` (7 or 8), or 0 when none starts there.
// `remaining` is the number of characters from `text` to the end of the name.
int xqNameEscapeLength(const wchar_t* text, size_t remaining);
