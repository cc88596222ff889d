#pragma once

#include <cstddef>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"

// Questions on the command line through the classic interface, answered from the input script
// (VexaInputScript). Points passed in and out are in the current UCS, three doubles, as the
// script's typed points are: a typed point comes back unchanged (qvedTrans gives world points).
// Prompts, answers and the reasons for asking again go to the transcript. Results:
//   kQvNormal   a value (or, for qvedGetKword, a keyword)
//   kQvNone     an empty answer (Enter), unless kQvInitNoNull
//   kQvCancel   a cancel, or the script has run out
//   kQvKeyword  a keyword of the qvedInitGet list, or other input under kQvInitOther; the text
//               comes from qvedGetInput
//   kQvError    a null result argument, or no running host
// A line the question cannot use (a word where a number is asked, zero under kQvInitNoZero, ...)
// makes the question ask again after a message, as the host does.

// Control flags of qvedInitGet (bit values).
inline constexpr int kQvInitNoNull = 1;      // an empty answer asks again
inline constexpr int kQvInitNoZero = 2;      // zero asks again (numbers, distances)
inline constexpr int kQvInitNoNegative = 4;  // a negative typed number asks again
inline constexpr int kQvInit3d = 16;         // points and distances keep Z (always so here)
inline constexpr int kQvInitOther = 128;     // other text is answered: kQvKeyword

// Sets the control flags and keyword list (see VexaKeywordList) of the next question only:
// that question takes them even when it is refused for a bad argument. Returns kQvNormal.
int qvedInitGet(int flags, const wchar_t* keywords);

// A point (current UCS). With a base point (current UCS) the prompt is measured from it
// (rubber band).
int qvedGetPoint(const double* basePoint, const wchar_t* prompt, double* result);
// The other corner (current UCS) of a rectangle from `basePoint` (current UCS, required).
int qvedGetCorner(const double* basePoint, const wchar_t* prompt, double* result);
// A distance: typed, or from the base point (current UCS) to a point answer; without a base
// point a point answer asks for a second point.
int qvedGetDist(const double* basePoint, const wchar_t* prompt, double* result);
// An angle in radians in [0, 2 pi) measured in the UCS XY plane from its X axis: typed in
// degrees (an "r" suffix for radians), or the direction from the base point (current UCS) to a
// point answer (without a base point, from a first point to a second).
int qvedGetAngle(const double* basePoint, const wchar_t* prompt, double* result);
// A whole number from -32768 to 32767.
int qvedGetInt(const wchar_t* prompt, int* result);
// A real number.
int qvedGetReal(const wchar_t* prompt, double* result);
// A text. With `spacesAllowed` zero the answer ends at the first blank (the rest of the line is
// typed ahead for the next question). An empty answer is kQvNormal with an empty text. The
// buffer form refuses (asks again) an answer longer than size - 1 characters.
int qvedGetString(int spacesAllowed, const wchar_t* prompt, wchar_t* result, size_t size);
int qvedGetString(int spacesAllowed, const wchar_t* prompt, QvString& result);
// One of the keywords of qvedInitGet: kQvNormal with its global form. Under kQvInitOther
// other text is kQvNormal with the text as typed. An empty answer is kQvNone with an empty
// text.
int qvedGetKword(const wchar_t* prompt, wchar_t* result, size_t size);
int qvedGetKword(const wchar_t* prompt, QvString& result);
// The text of the last keyword (global form) or other input: kQvNormal; kQvError when the last
// answer was neither, or the text does not fit.
int qvedGetInput(wchar_t* result, size_t size);
int qvedGetInput(QvString& result);
