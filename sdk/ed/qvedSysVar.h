#pragma once

#include "sdk/base/resbuf.h"

// System variables through the classic interface. Names are matched in any case.
//
// qvedGetVar fills `result` (type and value; its next is left alone) with the variable's
// value: kRbShort, kRbReal, kRbPoint3d or kRbString. A string is a new allocation owned by
// `result` (std::free it, or qvutRelRb a buffer from qvutNewRb). Returns kQvNormal, or
// kQvError for an unknown name or a null argument (then `result` is untouched).
int qvedGetVar(const wchar_t* name, resbuf* result);

// qvedSetVar changes a variable to the value of `value`, which must have the variable's type.
// Returns kQvNormal; kQvError for an unknown name, a null argument, a value of another type or
// a read-only variable; kQvRejected for a short outside the variable's range or a real or point
// that is not finite. A refused change changes nothing.
int qvedSetVar(const wchar_t* name, const resbuf* value);
