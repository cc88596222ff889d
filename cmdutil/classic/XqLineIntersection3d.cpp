#include <algorithm>
#include <cmath>

#include "sdk/base/QvInvalidParameter.h"
#include "xqcmdutil/XqLineIntersection.h"
#include "xqcmdutil/XqNumericPrimitives.h"

// LineXline3d: the five cases of two segments in space, tried in order.
namespace {

// Differences at most this large are zero.
constexpr double kTol = 1e-7;

bool isZero(double v) {
  return std::fabs(v) <= kTol;
}

// Two values are the same when their difference is zero in the sense of isZero.
bool same(double a, double b) {
  return isZero(a - b);
}

struct Segment {
  const double* p1;
  const double* p2;
  double d[3];

  Segment(const double* a, const double* b) : p1(a), p2(b) {
    for (int i = 0; i < 3; ++i) d[i] = b[i] - a[i];
  }
  bool verticalOrPoint() const { return isZero(d[0]) && isZero(d[1]); }
  // The plan coordinate along which the segment runs most (x on a tie).
  int dominant() const { return std::fabs(d[0]) > std::fabs(d[1]) ? 0 : 1; }
  int dominantYFirst() const { return std::fabs(d[1]) > std::fabs(d[0]) ? 1 : 0; }
  double zAt(double x, double y) const {
    const double t = dominantYFirst() == 1 ? (y - p1[1]) / d[1] : (x - p1[0]) / d[0];
    return p1[2] + t * d[2];
  }
  int planFlag(double x, double y) const {
    const double xy[2] = {x, y};
    const int c = dominant();
    return (xy[c] - p1[c]) * (xy[c] - p2[c]) > kTol ? 0 : 1;
  }
  int zFlag(double z) const {
    return z >= std::min(p1[2], p2[2]) && z <= std::max(p1[2], p2[2]) ? 1 : 0;
  }
  // Whether the plan point lies on this segment's plan line.
  bool planLineHolds(double x, double y) const {
    const bool atEnd = (same(x, p1[0]) && same(y, p1[1])) || (same(x, p2[0]) && same(y, p2[1]));
    return atEnd || IMvexaRealEqual((x - p1[0]) * d[1], (y - p1[1]) * d[0], kTol);
  }
};

void write(double* out, double x, double y, double z) {
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

// Case 1: both vertical (or points) in plan.
int bothVertical(const Segment& a, const Segment& b, double* out) {
  if (!IMvexaRealEqual(a.p1[0], b.p1[0], kTol) || !IMvexaRealEqual(a.p1[1], b.p1[1], kTol))
    return -1;
  const double aLo = std::min(a.p1[2], a.p2[2]), aHi = std::max(a.p1[2], a.p2[2]);
  const double bLo = std::min(b.p1[2], b.p2[2]), bHi = std::max(b.p1[2], b.p2[2]);
  const double sum = (aHi - aLo) + (bHi - bLo);
  const double span = std::max(aHi, bHi) - std::min(aLo, bLo);
  if (same(span, sum)) {
    write(out, a.p1[0], a.p1[1], same(aHi, bLo) ? aHi : bHi);
    return 3;
  }
  if (sum > span) {
    write(out, a.p1[0], a.p1[1], std::max(aLo, bLo));
    return -2;
  }
  return -3;
}

// Segments in one vertical plane that are not collinear: their crossing in that plane, with
// plan distance along a and height as coordinates.
int inVerticalPlane(const Segment& a, const Segment& b, double* out) {
  const double planLen = std::hypot(a.d[0], a.d[1]);
  const double ux = a.d[0] / planLen, uy = a.d[1] / planLen;
  auto along = [&](const double* p) { return (p[0] - a.p1[0]) * ux + (p[1] - a.p1[1]) * uy; };
  // a: (0, z1) to (planLen, z2); b: (s1, w1) to (s2, w2).
  const double as[2] = {planLen, a.d[2]};
  const double s1 = along(b.p1), s2 = along(b.p2);
  const double bs[2] = {s2 - s1, b.d[2]};
  const double det = as[0] * bs[1] - as[1] * bs[0];
  if (std::fabs(det) <= kTol * std::hypot(as[0], as[1]) * std::hypot(bs[0], bs[1])) return -1;
  const double rx = s1, rz = b.p1[2] - a.p1[2];
  const double t = (rx * bs[1] - rz * bs[0]) / det;
  const double s = t * as[0];
  const double x = a.p1[0] + ux * s, y = a.p1[1] + uy * s, z = a.p1[2] + t * a.d[2];
  write(out, x, y, z);
  const int flagA = (s - 0.0) * (s - planLen) > kTol ? 0 : 1;
  const int flagB = (s - s1) * (s - s2) > kTol ? 0 : 1;
  return flagA + 2 * flagB;
}

// Case 2: parallel in plan, neither degenerate.
int parallelInPlan(const Segment& a, const Segment& b, double* out) {
  const double la = IMqv_dist3d(a.p1, a.p2), lb = IMqv_dist3d(b.p1, b.p2);
  auto between = [](double whole, double part1, double part2) {
    return IMvexaRealEqual(whole, part1 + part2, kTol);
  };
  const double a1b1 = IMqv_dist3d(a.p1, b.p1), a2b1 = IMqv_dist3d(a.p2, b.p1);
  const double a1b2 = IMqv_dist3d(a.p1, b.p2), a2b2 = IMqv_dist3d(a.p2, b.p2);
  const bool onLineA =
      between(la, a1b1, a2b1) || between(a1b1, a2b1, la) || between(a2b1, a1b1, la);
  if (!onLineA) {
    // In one vertical plane they may still cross.
    if (a.planLineHolds(b.p1[0], b.p1[1])) return inVerticalPlane(a, b, out);
    return -1;
  }
  const double sum = la + lb;
  if (IMvexaRealEqual(a1b1, sum, kTol) || IMvexaRealEqual(a1b2, sum, kTol)) {
    write(out, a.p2[0], a.p2[1], a.p2[2]);
    return 3;
  }
  if (IMvexaRealEqual(a2b1, sum, kTol) || IMvexaRealEqual(a2b2, sum, kTol)) {
    write(out, a.p1[0], a.p1[1], a.p1[2]);
    return 3;
  }
  if (between(la, a1b1, a2b1)) {
    write(out, b.p1[0], b.p1[1], b.p1[2]);
    return -2;
  }
  if (between(la, a1b2, a2b2)) {
    write(out, b.p2[0], b.p2[1], b.p2[2]);
    return -2;
  }
  // b longer than a and holding all of it: the overlap starts at a's start.
  if (between(lb, a1b1, a1b2)) {
    write(out, a.p1[0], a.p1[1], a.p1[2]);
    return -2;
  }
  return -3;
}

// Case 3: the general case.
int general(const Segment& a, const Segment& b, double* out) {
  double x, y;
  if (!isZero(a.d[0]) && !isZero(b.d[0])) {
    const double det = b.d[1] * a.d[0] - b.d[0] * a.d[1];
    x = (b.p1[0] * b.d[1] * a.d[0] - a.p1[0] * b.d[0] * a.d[1] -
         (b.p1[1] - a.p1[1]) * a.d[0] * b.d[0]) /
        det;
    y = std::fabs(a.d[0]) > std::fabs(b.d[0]) ? a.p1[1] + (x - a.p1[0]) * a.d[1] / a.d[0]
                                              : b.p1[1] + (x - b.p1[0]) * b.d[1] / b.d[0];
  } else if (isZero(b.d[0])) {
    x = b.p1[0];
    y = a.p1[1] + (x - a.p1[0]) * a.d[1] / a.d[0];
  } else {
    x = a.p1[0];
    y = b.p1[1] + (x - b.p1[0]) * b.d[1] / b.d[0];
  }
  const double z = a.zAt(x, y);
  const bool skipZCheck = isZero(b.d[2]) && same(z, b.p1[2]);
  if (!skipZCheck) {
    const int c = b.dominantYFirst();
    const double xy[2] = {x, y};
    if (!IMvexaRealEqual((z - b.p1[2]) * b.d[c], (xy[c] - b.p1[c]) * b.d[2], kTol)) return -4;
  }
  write(out, x, y, z);
  return a.planFlag(x, y) + 2 * b.planFlag(x, y);
}

// Cases 4 and 5: `flat` degenerate in plan (vertical or a point), `line` not. The point is
// flat's plan position at line's height there. Flags: the plan test on `line`, the height test
// on `flat`, each on its own segment's bit.
int oneVertical(const Segment& flat, const Segment& line, bool flatIsA, double* out) {
  const double x = flat.p1[0], y = flat.p1[1];
  if (!line.planLineHolds(x, y)) return -4;
  const double z = line.zAt(x, y);
  write(out, x, y, z);
  const int lineFlag = line.planFlag(x, y), flatFlag = flat.zFlag(z);
  return flatIsA ? flatFlag + 2 * lineFlag : lineFlag + 2 * flatFlag;
}

}  // namespace

int LineXline3d(const double* a1, const double* a2, const double* b1, const double* b2,
                double* out) {
  if (!a1 || !a2 || !b1 || !b2 || !out) {
    qvReportInvalidParameter("LineXline3d", "point != nullptr");
    return -1;
  }
  const Segment a(a1, a2), b(b1, b2);
  const bool vertA = a.verticalOrPoint(), vertB = b.verticalOrPoint();
  if (vertA && vertB) return bothVertical(a, b, out);
  const double det = b.d[1] * a.d[0] - b.d[0] * a.d[1];
  if (!vertA && !vertB) return isZero(det) ? parallelInPlan(a, b, out) : general(a, b, out);
  if (vertB) return oneVertical(b, a, false, out);
  return oneVertical(a, b, true, out);
}
