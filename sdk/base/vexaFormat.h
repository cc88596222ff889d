#pragma once

#include <cstdarg>

class QvString;

// Formats `fmt` with `args` into `out`, printf-style on wide text. Conversions follow the
// host's wide-text convention: %s and %ls take a wide string, %hs a narrow (UTF-8) one, %c a
// wide character; the numeric conversions are C's (%d %i %u %x %X %o %e %f %g %G %p, with
// flags, width, precision, `*` and the length modifiers hh h l ll z j t L). A null format
// gives an empty string; a null string argument prints "(null)". Returns the length written.
int vexaFormatVS(QvString& out, const wchar_t* fmt, va_list args);
int vexaFormatS(QvString& out, const wchar_t* fmt, ...);

// What a printf conversion character takes as its argument. The length modifier then says how
// wide an integer or floating value is, and whether a character or text is narrow.
enum class VexaFormatArgument {
  kSignedInteger,    // d i
  kUnsignedInteger,  // u x X o
  kFloating,         // e E f F g G a A
  kCharacter,        // c C
  kText,             // s S
  kPointer,          // p
  kCount,            // n (never written)
  kUnknown,          // anything else: no argument
};
VexaFormatArgument vexaFormatArgument(wchar_t conversion);
