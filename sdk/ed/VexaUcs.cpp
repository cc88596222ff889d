#include "sdk/ed/VexaUcs.h"

#include <cmath>

namespace {

using Vec = VexaUcs::Vec;

// Lengths below this count as zero when axes are built.
constexpr double kAxisTolerance = 1e-10;
// Axes this close to unit length and right angles are taken as they are.
constexpr double kOrthonormalTolerance = 1e-14;

double dot(const Vec& a, const Vec& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
double length(const Vec& a) {
  return std::sqrt(dot(a, a));
}
Vec scaled(const Vec& a, double s) {
  return {a[0] * s, a[1] * s, a[2] * s};
}
Vec minus(const Vec& a, const Vec& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
bool finite(const Vec& a) {
  return std::isfinite(a[0]) && std::isfinite(a[1]) && std::isfinite(a[2]);
}

}  // namespace

std::optional<VexaUcs> VexaUcs::fromAxes(const Vec& origin, const Vec& xDirection,
                                         const Vec& yDirection) {
  if (!finite(origin) || !finite(xDirection) || !finite(yDirection)) return std::nullopt;
  VexaUcs ucs;
  ucs.origin_ = origin;
  // Axes that are already orthonormal are kept bit for bit, so a UCS read back from its
  // variables is the one that was written.
  if (std::abs(dot(xDirection, xDirection) - 1.0) <= kOrthonormalTolerance &&
      std::abs(dot(yDirection, yDirection) - 1.0) <= kOrthonormalTolerance &&
      std::abs(dot(xDirection, yDirection)) <= kOrthonormalTolerance) {
    ucs.x_ = xDirection;
    ucs.y_ = yDirection;
    return ucs;
  }
  const double xLength = length(xDirection);
  if (xLength < kAxisTolerance) return std::nullopt;
  const Vec x = scaled(xDirection, 1.0 / xLength);
  const double yLength = length(yDirection);
  const Vec yPerp = minus(yDirection, scaled(x, dot(yDirection, x)));
  const double yPerpLength = length(yPerp);
  if (yPerpLength < kAxisTolerance || yPerpLength < kAxisTolerance * yLength) return std::nullopt;
  ucs.x_ = x;
  ucs.y_ = scaled(yPerp, 1.0 / yPerpLength);
  return ucs;
}

Vec VexaUcs::zAxis() const {
  return cross(x_, y_);
}

bool VexaUcs::isWorld() const {
  return origin_ == Vec{0, 0, 0} && x_ == Vec{1, 0, 0} && y_ == Vec{0, 1, 0};
}

Vec VexaUcs::toWorld(const Vec& p, bool displacement) const {
  const Vec z = zAxis();
  Vec w{};
  for (int i = 0; i < 3; ++i) w[i] = x_[i] * p[0] + y_[i] * p[1] + z[i] * p[2];
  if (!displacement)
    for (int i = 0; i < 3; ++i) w[i] += origin_[i];
  return w;
}

Vec VexaUcs::toUcs(const Vec& p, bool displacement) const {
  const Vec d = displacement ? p : minus(p, origin_);
  return {dot(d, x_), dot(d, y_), dot(d, zAxis())};
}

void VexaUcs::toWorldMatrix(double m[4][4]) const {
  const Vec z = zAxis();
  for (int i = 0; i < 3; ++i) {
    m[i][0] = x_[i];
    m[i][1] = y_[i];
    m[i][2] = z[i];
    m[i][3] = origin_[i];
  }
  m[3][0] = m[3][1] = m[3][2] = 0.0;
  m[3][3] = 1.0;
}
