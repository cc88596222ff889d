#include "sdk/ed/VexaUcs.h"

#include <cmath>

#include "sdk/ge/QvGePrecision.h"

namespace {

// Axes this close to unit length and right angles are taken as they are.
constexpr double kOrthonormalTolerance = 1e-14;

// The plain root of the squared length, so that the axes made from the same directions keep
// the bits they had when the UCS was written.
double length(const QvGeVector3d& v) {
  return std::sqrt(v.lengthSqrd());
}
bool isFinite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

std::optional<VexaUcs> VexaUcs::fromAxes(const QvGePoint3d& origin, const QvGeVector3d& xDirection,
                                         const QvGeVector3d& yDirection) {
  if (!isFinite(origin.asVector()) || !isFinite(xDirection) || !isFinite(yDirection))
    return std::nullopt;
  VexaUcs ucs;
  ucs.origin_ = origin;
  // Axes that are already orthonormal are kept bit for bit, so a UCS read back from its
  // variables is the one that was written.
  if (std::abs(xDirection.lengthSqrd() - 1.0) <= kOrthonormalTolerance &&
      std::abs(yDirection.lengthSqrd() - 1.0) <= kOrthonormalTolerance &&
      std::abs(xDirection.dotProduct(yDirection)) <= kOrthonormalTolerance) {
    ucs.x_ = xDirection;
    ucs.y_ = yDirection;
    return ucs;
  }
  const double xLength = length(xDirection);
  if (xLength < QvGePrecision::confusion()) return std::nullopt;
  const QvGeVector3d x = xDirection * (1.0 / xLength);
  const double yLength = length(yDirection);
  const QvGeVector3d yPerp = yDirection - x * yDirection.dotProduct(x);
  const double yPerpLength = length(yPerp);
  if (yPerpLength < QvGePrecision::confusion() || yPerpLength < QvGePrecision::kRelative * yLength)
    return std::nullopt;
  ucs.x_ = x;
  ucs.y_ = yPerp * (1.0 / yPerpLength);
  return ucs;
}

bool VexaUcs::isWorld() const {
  auto exactly = [](const auto& a, double x, double y, double z) {
    return a.x == x && a.y == y && a.z == z;
  };
  return exactly(origin_, 0, 0, 0) && exactly(x_, 1, 0, 0) && exactly(y_, 0, 1, 0);
}

QvGePoint3d VexaUcs::toWorld(const QvGePoint3d& p, bool displacement) const {
  const QvGeVector3d w = x_ * p.x + y_ * p.y + zAxis() * p.z;
  return displacement ? QvGePoint3d(w.x, w.y, w.z) : origin_ + w;
}

QvGePoint3d VexaUcs::toUcs(const QvGePoint3d& p, bool displacement) const {
  const QvGeVector3d d = displacement ? p.asVector() : p - origin_;
  return {d.dotProduct(x_), d.dotProduct(y_), d.dotProduct(zAxis())};
}

void VexaUcs::toWorldMatrix(double m[4][4]) const {
  const QvGeVector3d z = zAxis();
  for (int i = 0; i < 3; ++i) {
    m[i][0] = x_[i];
    m[i][1] = y_[i];
    m[i][2] = z[i];
    m[i][3] = origin_[i];
  }
  m[3][0] = m[3][1] = m[3][2] = 0.0;
  m[3][3] = 1.0;
}
