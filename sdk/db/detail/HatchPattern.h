#pragma once

#include <vector>

#include "sdk/ge/QvGePoint2d.h"

struct QvDbHatchPatternLine;

namespace qvdb_detail {

struct HatchEvaluation;

// A piece of a pattern line inside the hatch, in plane coordinates; a dot when its ends are
// equal.
struct PatternDash {
  QvGePoint2d from;
  QvGePoint2d to;
};

// The pattern's dashes inside the evaluated boundary (even-odd). False, with nothing given,
// when the pattern is too dense to draw (more than a million dashes).
bool patternDashes(const std::vector<QvDbHatchPatternLine>& lines,
                   const HatchEvaluation& evaluation, std::vector<PatternDash>& dashes);

}  // namespace qvdb_detail
