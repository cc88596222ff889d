#pragma once

#include <cstdint>

#include "sdk/db/QvDbHeader.h"
#include "sdk/db/QvDbObjectId.h"

// The settings of a drawing that are not objects: the header variables, the current viewport
// and the current records. A transaction saves and restores them as a whole.
struct QvDbDrawingState {
  QvDbHeader header;
  int16_t cvport = 2;
  QvDbObjectId clayer;
  QvDbObjectId textstyle;
  QvDbObjectId dimstyle;
  QvDbObjectId celtype;
};
