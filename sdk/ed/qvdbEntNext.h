#pragma once

#include <cstdint>

#include "sdk/base/QvClassicCodes.h"

// The entities of the working database in drawing order, through entity names (see
// qvdbGetAdsName): the live entities of model space and of every layout's paper space, in the
// order they were added. Entities inside block definitions, and the attributes and vertices
// their owners hold, are not among them.

// The entity that follows `entity`; a null `entity` or the name (0, 0) asks for the first one.
// kQvNormal with its name in `next`; kQvError when none follows, when `entity` names nothing of
// the working database, for a null `next` and when there is no working database.
int qvdbEntNext(const int64_t entity[2], int64_t next[2]);

// The last entity of the drawing. kQvNormal with its name; kQvError when the drawing has none.
int qvdbEntLast(int64_t entity[2]);
