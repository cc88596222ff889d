#pragma once

#include "sdk/ge/QvGeTol.h"

// Global settings of the geometry library.
//
// gTol is the host's global tolerance, used wherever a comparison names no tolerance of its
// own. Its values are an equal-point distance of 1e-10 drawing units and an equal-vector length
// of 1e-12: drawing coordinates are compared absolutely, so two points a tenth of a nanounit
// apart are one point, and unit directions whose difference is below 1e-12 are one direction.
struct QvGeContext {
  static QvGeTol gTol;
};
