#pragma once

#include <algorithm>

#include "sdk/ge/QvGeContext.h"

// The tolerances of the geometry library and of the areas built on it, one name for each idea,
// so that the same question gets the same answer wherever it is asked. Distances are drawing
// units; the relative values are fractions of a size the caller names.
struct QvGePrecision {
  // Points closer than this are one point and a length below it is no length: the equal-point
  // value of QvGeContext::gTol.
  static double confusion() { return QvGeContext::gTol.equalPoint(); }

  // Unit directions whose difference is shorter than this are one direction: the equal-vector
  // value of QvGeContext::gTol.
  static double angular() { return QvGeContext::gTol.equalVector(); }

  // Parameters of a range reaching `size` from zero that lie this close are one parameter: the
  // confusion distance, grown with the range beyond 1 (on a curve run at unit speed a
  // parameter is a length).
  static double parametric(double size) { return confusion() * std::max(1.0, size); }

  // Round-off: a parameter, angle or ratio computed from data that reaches a bound may miss it
  // by this fraction of its size (at least this much), and is then taken to reach it (the end
  // of a range, a full turn, a radius ratio of 1).
  static constexpr double kRoundoff = 1e-12;

  // Shape tests of given data, relative to its size: two lengths that differ by less than this
  // fraction of the larger are equal, two unit directions whose cosine is below it are at right
  // angles, and a point this fraction of its own size from a curve lies on it. A circle mapped
  // by such lengths stays round; axes within it are perpendicular; a frame within it is
  // orthonormal.
  static constexpr double kRelative = 1e-9;

  // A matrix whose determinant is within this of zero is singular.
  static constexpr double kSingular = 1e-14;
};
