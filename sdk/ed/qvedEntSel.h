#pragma once

#include <cstdint>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"

// Picking one entity through the classic interface, answered as VexaNestedPickQuestion reads
// its lines (a point, or H with a path of handles and the pick point). Names are two 64-bit
// words (qvdbGetAdsName); points are in the current UCS. Results:
//   kQvNormal  a pick
//   kQvNone    an empty answer
//   kQvCancel  a cancel, or the script has run out
//   kQvError   a null result argument, no running host or no working database; with the
//              pick flag, no entity near the point given

// The entity of the current space picked (the outermost block reference when the pick lies
// inside one) and the pick point. `prompt` null asks "Select object: ".
int qvedEntSel(const wchar_t* prompt, int64_t entity[2], double point[3]);

// The entity itself, also inside block references: its name, the pick point, the matrix that
// carries the entity's coordinates to the world (row-major, acting on column vectors, may be
// null) and, in `refStack` (may be null), a new list of kRbEntityName buffers naming the block
// references it lies in, the innermost first (null when it lies in none; the caller releases
// it with qvutRelRb). With `pickFlag` non-zero no question is asked: `point` (current UCS) is
// the pick.
int qvedNEntSelP(const wchar_t* prompt, int64_t entity[2], double point[3], int pickFlag,
                 double xform[4][4], resbuf** refStack);
