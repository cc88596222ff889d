#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/VexaWindowTypes.h"

// An icon image of the headless window layer: its name and its size in pixels.
struct HICON__ {
  QvString name;
  int size = 0;
};
