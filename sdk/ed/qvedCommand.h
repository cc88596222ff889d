#pragma once

#include <cstdint>

#include "sdk/base/resbuf.h"

// Commands sent from code. The arguments are the answers typed at the command line, in order:
// command names ("_.LINE"), texts, points, numbers, entities and selection sets; "" is Enter.
// The commands run at once, reading only these answers: never a line of the input script, and
// a question left when they run out is cancelled. Prompts and answers are echoed when "CMDECHO"
// is on. Points are in the current UCS; an angle (kRbAngle) is in radians.
//
// qvedCommand takes (type, value) pairs ended by 0 or kRbNone, the value's C type following the
// type: const wchar_t* for kRbString, const double* (3) for kRbPoint3d and (2) for kRbPoint2d,
// double for kRbReal and kRbAngle, int for kRbShort and kRbLong, const int64_t* (2) for
// kRbEntityName and kRbPickSet. qvedCmd takes the same as a result-buffer list.
//
// Results: kQvNormal when every command named was done; kQvCancel when one was cancelled (its
// questions outlasted the answers); kQvError when one failed or was unknown, and, with nothing
// run, for an argument of another type, a null text or point, a number or point that is not
// finite, an entity or set that names nothing live, or no running host.
int qvedCommand(int type, ...);
int qvedCmd(const resbuf* arguments);
