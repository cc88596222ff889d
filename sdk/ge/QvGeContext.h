#pragma once

#include "sdk/ge/QvGeTol.h"

// Global settings of the geometry library.
//
// gTol is the host's global tolerance, used wherever a comparison names no tolerance of its
// own. Its values are an equal-point distance of 1e-10 drawing units and an equal-vector length
// of 1e-12: drawing coordinates are compared absolutely, so two points a tenth of a nanounit
// apart are one point, and unit directions whose difference is below 1e-12 are one direction.
//
// gIntersectionWorkLimit is the work limit a new curve intersection object starts with (see
// QvGeCurveCurveInt3d): the most pairs of curve pieces its general method examines for one pair
// of simple curves. It reaches intersections made on the caller's behalf, such as those of
// entities, that take no limit of their own. A value below 1 counts as 1.
struct QvGeContext {
  static constexpr int kDefaultIntersectionWorkLimit = 400000;

  static QvGeTol gTol;
  static int gIntersectionWorkLimit;
};
