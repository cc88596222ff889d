#include "xqcmdutil/XqLineIntersection.h"

#include <cmath>

#include "sdk/base/QvClassicGeometry.h"
#include "sdk/base/QvInvalidParameter.h"
#include "xqcmdutil/XqNumericPrimitives.h"

namespace {

// The classic tolerances of the plan intersection: determinants and slope differences of
// parallel lines, coincident and degenerate points, and the product test of the on-segment
// flags.
constexpr double kParallel = 1e-10;
constexpr double kSamePoint = 1e-11;
constexpr double kOnSegmentProduct = 1e-7;

bool present(const char* function, const void* a, const void* b, const void* c, const void* d) {
  if (a && b && c && d) return true;
  qvReportInvalidParameter(function, "point != nullptr");
  return false;
}

// 1 unless the coordinate lies outside [e1, e2] (either order) by more than the product
// tolerance.
int productFlag(double c, double e1, double e2, double tol) {
  return (c - e1) * (c - e2) > tol ? 0 : 1;
}

// Plan slope used to reject parallel lines: dx / dy, infinite for horizontal lines.
double inverseSlope(double dx, double dy) {
  if (std::fabs(dy) < kSamePoint) return std::fabs(dx) > kParallel ? HUGE_VAL : 0.0;
  return dx / dy;
}

}  // namespace

int16_t LineXline(const double* a1, const double* a2, const double* b1, const double* b2,
                  double* out) {
  if (!present("LineXline", a1, a2, b1, b2) || !present("LineXline", out, out, out, out)) return -1;
  const double d1[3] = {a2[0] - a1[0], a2[1] - a1[1], a2[2] - a1[2]};
  const double d2[3] = {b2[0] - b1[0], b2[1] - b1[1], b2[2] - b1[2]};
  const double det = d2[1] * d1[0] - d2[0] * d1[1];
  if (std::fabs(det) <= kParallel) return -1;
  if (IMvexaPointEqual(a1, a2, kSamePoint) || IMvexaPointEqual(b1, b2, kSamePoint)) return -1;
  if (std::fabs(inverseSlope(d1[0], d1[1]) - inverseSlope(d2[0], d2[1])) < kParallel) return -1;

  const double x =
      (b1[0] * d2[1] * d1[0] - a1[0] * d2[0] * d1[1] - (b1[1] - a1[1]) * d1[0] * d2[0]) / det;
  const double y = std::fabs(d1[0]) > std::fabs(d2[0]) ? a1[1] + (x - a1[0]) * d1[1] / d1[0]
                                                       : b1[1] + (x - b1[0]) * d2[1] / d2[0];
  const double xy[2] = {x, y};
  const int ca = std::fabs(d1[0]) > std::fabs(d1[1]) ? 0 : 1;
  const int cb = std::fabs(d2[0]) > std::fabs(d2[1]) ? 0 : 1;
  int flagA = productFlag(xy[ca], a1[ca], a2[ca], kOnSegmentProduct);
  int flagB = productFlag(xy[cb], b1[cb], b2[cb], kOnSegmentProduct);
  // An intersection on an end point counts as on that segment (compared in plan).
  auto atEnd = [&](const double* e) {
    const double p[3] = {x, y, e[2]};
    return IMvexaPointEqual(p, e, kSamePoint);
  };
  if (atEnd(a1) || atEnd(a2)) flagA = 1;
  if (atEnd(b1) || atEnd(b2)) flagB = 1;
  const int16_t code = IMshortCast(flagA + 2 * flagB);

  // z along a when the point is on a only, else along b, through its dominant coordinate.
  const bool alongA = code == 1;
  const double* base = alongA ? a1 : b1;
  const double* d = alongA ? d1 : d2;
  const double t = std::fabs(d[1]) > std::fabs(d[0]) ? (y - base[1]) / d[1] : (x - base[0]) / d[0];
  out[0] = x;
  out[1] = y;
  out[2] = base[2] + t * d[2];
  return code;
}

int16_t PtLnDist(const double* p, const double* a, const double* b, double* dist, double* foot) {
  if (!p || !a || !b) {
    qvReportInvalidParameter("PtLnDist", "point != nullptr");
    if (dist) *dist = 0.0;
    return -2;
  }
  const double len = IMqv_dist3d(a, b);
  if (IMvexaRealEqual(len, 0.0, kSamePoint)) {
    if (foot) copySdsPoint(foot, a);
    if (dist) *dist = IMqv_dist3d(p, a);
    return -1;
  }
  const double u[3] = {(b[0] - a[0]) / len, (b[1] - a[1]) / len, (b[2] - a[2]) / len};
  const double t = (p[0] - a[0]) * u[0] + (p[1] - a[1]) * u[1] + (p[2] - a[2]) * u[2];
  const double f[3] = {a[0] + t * u[0], a[1] + t * u[1], a[2] + t * u[2]};
  if (foot) copySdsPoint(foot, f);
  if (dist) *dist = IMqv_dist3d(p, f);
  // The axis of the largest direction component decides (lower axis on a tie).
  int k = 0;
  for (int i = 1; i < 3; ++i)
    if (std::fabs(u[i]) > std::fabs(u[k])) k = i;
  return (f[k] - a[k]) * (f[k] - b[k]) <= 0.0 ? 1 : 0;
}

bool isPtOnLine(const double* p, const double* a, const double* b) {
  if (!p || !a || !b) {
    qvReportInvalidParameter("isPtOnLine", "point != nullptr");
    return false;
  }
  return std::fabs(qvutDistance(p, a) + qvutDistance(p, b) - qvutDistance(a, b)) <= kSamePoint;
}
