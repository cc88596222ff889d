#include "xqcmdutil/XqNumericPrimitives.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "sdk/base/QvInvalidParameter.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Angles this close are one angle in the reduction of qv_normang.
constexpr double kAngleEps = 1e-10;

// Reports a null array and answers false; true when every pointer is set.
bool present(const char* function, const void* a, const void* b = "", const void* c = "") {
  if (a && b && c) return true;
  qvReportInvalidParameter(function, "array != nullptr");
  return false;
}

// Angle reduced to [0, 2pi] for comparisons.
double reduceForCompare(double x) {
  double r = std::fabs(x);
  if (r >= kTwoPi) r -= std::trunc(r / kTwoPi) * kTwoPi;
  if (x < 0.0) r = kTwoPi - r;
  return r;
}

// The coarse and fine reductions of qv_normang; `upperTest` is the sign used against eps in
// the upper test (-1 for the start, +1 for the end).
double reduceAngle(double x, double upperSign) {
  constexpr double kTurns1e5 = 628318.5307179586, kTurns1e3 = 6283.185307179586;
  constexpr double eps = kAngleEps;
  for (double step : {kTurns1e5, kTurns1e3}) {
    while (x > step) x -= step;
    while (x < -step) x += step;
  }
  if (x + eps < 0.0) {
    while (x + eps < 0.0) x += kTwoPi;
  } else {
    while (x - upperSign * eps >= kTwoPi) x -= kTwoPi;
  }
  return x;
}

void crossInto(const double* a, const double* b, double* out) {
  const double x = a[1] * b[2] - a[2] * b[1];
  const double y = a[2] * b[0] - a[0] * b[2];
  const double z = a[0] * b[1] - a[1] * b[0];
  out[0] = x;
  out[1] = y;
  out[2] = z;
}

}  // namespace

bool IMvexaRealEqual(double a, double b, double tol) {
  if (std::fabs(b) <= tol) return std::fabs(a) <= tol;
  return std::fabs(a / b - 1.0) <= tol;
}

bool IMvexaPointEqual(const double* p, const double* q, double tol) {
  if (!present("IMvexaPointEqual", p, q)) return false;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(q[i]) <= tol) {
      if (std::fabs(p[i]) > tol) return false;
    } else if (!(std::fabs(p[i] / q[i] - 1.0) < tol)) {
      return false;
    }
  }
  return true;
}

bool IMvexaAngleEqual(double a, double b, double tol) {
  return IMvexaRealEqual(reduceForCompare(a), reduceForCompare(b), tol);
}

bool isPointEqual(const double* p, const double* q, double tol) {
  if (!present("isPointEqual", p, q)) return false;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(q[i]) <= tol) {
      if (std::fabs(p[i]) > tol) return false;
    } else if (!(std::fabs(p[i] - q[i]) < std::fabs(q[i] * tol))) {
      return false;
    }
  }
  return true;
}

int qv_isvalid_real(double x) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const uint64_t exponent = (bits >> 52) & 0x7FF;
  const uint64_t magnitude = bits & 0x7FFFFFFFFFFFFFFFull;
  if (exponent == 0x7FF) return 0;
  if (exponent == 0 && magnitude != 0) return 0;
  return 1;
}

void qv_normang(double* start, double* end) {
  if (!present("qv_normang", start)) return;
  if (!qv_isvalid_real(*start) || std::fabs(*start) > 1e6) {
    *start = 0.0;
    return;
  }
  *start = reduceAngle(*start, -1.0);
  if (!end) return;
  if (!qv_isvalid_real(*end) || std::fabs(*end) > 1e6) {
    *end = 0.0;
    return;
  }
  *end = reduceAngle(*end, 1.0);
  if (IMvexaAngleEqual(*end, *start, kAngleEps) || *start <= *end) return;
  *end += kTwoPi;
}

double IMqv_dist3d(const double* p, const double* q) {
  if (!present("IMqv_dist3d", p, q)) return 0.0;
  const double dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

int16_t IMshortCast(int i) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned int>(i) & 0xFFFFu));
}

void calcCrossProduct(const double* a, const double* b, double* out) {
  if (present("calcCrossProduct", a, b, out)) crossInto(a, b, out);
}

void qv_crossproduct(const double* a, const double* b, double* out) {
  if (present("qv_crossproduct", a, b, out)) crossInto(a, b, out);
}

void xq_crossproduct(const double* a, const double* b, double* out) {
  if (present("xq_crossproduct", a, b, out)) crossInto(a, b, out);
}

double crossProduct2d(const QvGeVector2d& a, const QvGeVector2d& b) {
  return a.x * b.y - a.y * b.x;
}

void copySdsPoint(double* dst, const double* src) {
  if (!present("copySdsPoint", dst, src)) return;
  std::memmove(dst, src, 3 * sizeof(double));
}

void copyOdGePoint3dToSdsPoint(double* dst, const QvGePoint3d& src) {
  if (!present("copyOdGePoint3dToSdsPoint", dst)) return;
  dst[0] = src.x;
  dst[1] = src.y;
  dst[2] = src.z;
}
