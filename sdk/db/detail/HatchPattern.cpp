#include "sdk/db/detail/HatchPattern.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbHatch.h"
#include "sdk/db/detail/HatchEvaluation.h"

namespace qvdb_detail {

namespace {

constexpr size_t kMaxDashes = 1000000;

// The parts of the line p + t d (t along the unit direction) inside the rings, even-odd, as
// parameter intervals in increasing order.
void insideIntervals(const HatchEvaluation& evaluation, const QvGePoint2d& p,
                     const QvGeVector2d& d, std::vector<double>& crossings) {
  crossings.clear();
  const QvGeVector2d n(-d.y, d.x);
  const double h = n.dotProduct(p.asVector());
  for (const HatchEvaluation::Loop& loop : evaluation.loops) {
    const std::vector<QvGePoint2d>& ring = loop.ring;
    const size_t count = ring.size();
    if (count < 3) continue;
    for (size_t i = 0, j = count - 1; i < count; j = i++) {
      const double ha = n.dotProduct(ring[j].asVector()) - h;
      const double hb = n.dotProduct(ring[i].asVector()) - h;
      if ((ha > 0.0) == (hb > 0.0)) continue;
      const QvGePoint2d x = ring[j] + (ring[i] - ring[j]) * (ha / (ha - hb));
      crossings.push_back(d.dotProduct(x - p));
    }
  }
  std::sort(crossings.begin(), crossings.end());
}

}  // namespace

bool patternDashes(const std::vector<QvDbHatchPatternLine>& lines,
                   const HatchEvaluation& evaluation, std::vector<PatternDash>& dashes) {
  dashes.clear();
  if (!evaluation.box.isValidExtents()) return true;
  const QvGePoint2d lo = evaluation.box.minPoint(), hi = evaluation.box.maxPoint();
  const QvGePoint2d corners[4] = {lo, {hi.x, lo.y}, hi, {lo.x, hi.y}};
  std::vector<double> crossings;
  for (const QvDbHatchPatternLine& line : lines) {
    const QvGeVector2d d(std::cos(line.angle), std::sin(line.angle));
    const QvGeVector2d n(-d.y, d.x);
    const double spacing = n.dotProduct(line.offset);
    if (!(std::fabs(spacing) > 1e-12 * std::max(evaluation.box.diagonal(), 1.0))) continue;
    // The family's lines that cross the box: base + k offset for k in [kLo, kHi].
    double hMin = HUGE_VAL, hMax = -HUGE_VAL;
    for (const QvGePoint2d& c : corners) {
      const double h = n.dotProduct(c - line.base);
      hMin = std::min(hMin, h);
      hMax = std::max(hMax, h);
    }
    const double kA = hMin / spacing, kB = hMax / spacing;
    const double kLo = std::floor(std::min(kA, kB)), kHi = std::ceil(std::max(kA, kB));
    if (kHi - kLo > static_cast<double>(kMaxDashes)) return dashes.clear(), false;
    double period = 0.0;
    for (int i = 0; i < line.dashes.length(); ++i) period += std::fabs(line.dashes[i]);
    for (double k = kLo; k <= kHi; k += 1.0) {
      const QvGePoint2d origin = line.base + line.offset * k;
      insideIntervals(evaluation, origin, d, crossings);
      for (size_t c = 0; c + 1 < crossings.size(); c += 2) {
        const double t0 = crossings[c], t1 = crossings[c + 1];
        if (!(t1 > t0)) continue;
        if (!(period > 0.0)) {
          dashes.push_back({origin + d * t0, origin + d * t1});
        } else {
          // Dashes repeat from the line's origin.
          double t = std::floor(t0 / period) * period;
          for (; t < t1; ) {
            for (int i = 0; i < line.dashes.length() && t < t1; ++i) {
              const double len = line.dashes[i];
              const double a = t, b = t + std::fabs(len);
              if (len >= 0.0 && b >= t0) {
                if (len == 0.0)
                  dashes.push_back({origin + d * a, origin + d * a});
                else
                  dashes.push_back({origin + d * std::max(a, t0), origin + d * std::min(b, t1)});
              }
              t = b;
            }
          }
        }
        if (dashes.size() > kMaxDashes) return dashes.clear(), false;
      }
    }
  }
  return true;
}

}  // namespace qvdb_detail
