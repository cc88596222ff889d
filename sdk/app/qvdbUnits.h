#pragma once

#include <cstddef>

#include "sdk/base/QvString.h"

// Lengths and angles as text through the classic interface (VexaUnitsFormatter gives the
// forms). A mode or precision of -1 is the current drawing's: LUNITS and LUPREC for lengths,
// AUNITS and AUPREC for angles.
//
// Every function returns kQvNormal with its result, or kQvError with the output untouched: a
// null pointer, a mode or precision out of range, a value that is not finite, a text that
// does not read, or (buffer forms) a result that does not fit in `size` characters with its
// terminating NUL.

// A length: modes 1 scientific, 2 decimal, 3 engineering, 4 architectural, 5 fractional.
int qvdbRToS(double value, int unit, int precision, wchar_t* text, size_t size);
int qvdbRToS(double value, int unit, int precision, QvString& text);
// An angle in radians, as it stands (no base angle or direction applied): modes 0 degrees,
// 1 degrees/minutes/seconds, 2 grads, 3 radians, 4 surveyor.
int qvdbRawAngToS(double angle, int unit, int precision, wchar_t* text, size_t size);
int qvdbRawAngToS(double angle, int unit, int precision, QvString& text);
// The length a text gives in `unit`'s forms, in drawing units.
int qvdbDisToF(const wchar_t* text, int unit, double* value);
// The angle a text gives, in radians in [0, 2 pi).
int qvdbAngToF(const wchar_t* text, int unit, double* value);
