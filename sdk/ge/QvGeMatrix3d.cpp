#include "sdk/ge/QvGeMatrix3d.h"

#include <cmath>
#include <utility>

#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"

const QvGeMatrix3d QvGeMatrix3d::kIdentity{};

namespace {

QvGeVector3d column(const QvGeMatrix3d& m, int c) {
  return {m.entry[0][c], m.entry[1][c], m.entry[2][c]};
}

// Gauss-Jordan elimination of `m` beside the identity, with partial pivoting, over the first
// `width` columns of `a`: 8 leaves the inverse on the right; 4 only tells whether there is
// one (the left half never depends on the right). False for a matrix with a non-finite entry,
// all zeros, or a pivot within `tol` of its size.
bool reduce(const QvGeMatrix3d& m, double (&a)[4][8], int width, double tol) {
  double size = 0.0;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      a[i][j] = m.entry[i][j];
      a[i][j + 4] = (i == j) ? 1.0 : 0.0;
      if (!std::isfinite(m.entry[i][j])) return false;
      const double magnitude = std::fabs(m.entry[i][j]);
      if (magnitude > size) size = magnitude;
    }
  }
  if (!(size > 0.0)) return false;
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (!(std::fabs(a[pivot][col]) > tol * size)) return false;
    if (pivot != col)
      for (int j = 0; j < width; ++j) std::swap(a[pivot][j], a[col][j]);
    const double p = a[col][col];
    for (int j = 0; j < width; ++j) a[col][j] /= p;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double f = a[r][col];
      for (int j = 0; j < width; ++j) a[r][j] -= f * a[col][j];
    }
  }
  return true;
}

}  // namespace

QvGeMatrix3d& QvGeMatrix3d::setToIdentity() {
  return *this = QvGeMatrix3d();
}

QvGeMatrix3d& QvGeMatrix3d::setToTranslation(const QvGeVector3d& v) {
  setToIdentity();
  entry[0][3] = v.x;
  entry[1][3] = v.y;
  entry[2][3] = v.z;
  return *this;
}

QvGeMatrix3d& QvGeMatrix3d::setToScaling(double factor, const QvGePoint3d& center) {
  setToIdentity();
  for (int i = 0; i < 3; ++i) {
    entry[i][i] = factor;
    entry[i][3] = center[i] * (1.0 - factor);
  }
  return *this;
}

QvGeMatrix3d& QvGeMatrix3d::setToScaling(const QvGeScale3d& scale, const QvGePoint3d& center) {
  setToIdentity();
  const double factors[3] = {scale.sx, scale.sy, scale.sz};
  for (int i = 0; i < 3; ++i) {
    entry[i][i] = factors[i];
    entry[i][3] = center[i] * (1.0 - factors[i]);
  }
  return *this;
}

bool QvGeMatrix3d::setToRotation(double angle, const QvGeVector3d& axis,
                                 const QvGePoint3d& center) {
  QvGe::ErrorCondition flag;
  const QvGeVector3d k = QvGeVector3d(axis).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk) return false;
  const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  QvGeMatrix3d r;
  r.entry[0][0] = t * k.x * k.x + c;
  r.entry[0][1] = t * k.x * k.y - s * k.z;
  r.entry[0][2] = t * k.x * k.z + s * k.y;
  r.entry[1][0] = t * k.x * k.y + s * k.z;
  r.entry[1][1] = t * k.y * k.y + c;
  r.entry[1][2] = t * k.y * k.z - s * k.x;
  r.entry[2][0] = t * k.x * k.z - s * k.y;
  r.entry[2][1] = t * k.y * k.z + s * k.x;
  r.entry[2][2] = t * k.z * k.z + c;
  // Rotation about center: p -> R (p - c) + c.
  for (int i = 0; i < 3; ++i) {
    r.entry[i][3] = center[i] - (r.entry[i][0] * center.x + r.entry[i][1] * center.y +
                                 r.entry[i][2] * center.z);
  }
  *this = r;
  return true;
}

bool QvGeMatrix3d::setToMirroring(const QvGePlane& plane) {
  if (!plane.isValid()) return false;
  const QvGeVector3d n = plane.normal();
  const double d = n.dotProduct(plane.pointOnPlane().asVector());
  // p -> p - 2 ((p . n) - d) n
  QvGeMatrix3d r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.entry[i][j] = (i == j ? 1.0 : 0.0) - 2.0 * n[i] * n[j];
    r.entry[i][3] = 2.0 * d * n[i];
  }
  *this = r;
  return true;
}

QvGeMatrix3d& QvGeMatrix3d::setToMirroring(const QvGePoint3d& point) {
  setToIdentity();
  for (int i = 0; i < 3; ++i) {
    entry[i][i] = -1.0;
    entry[i][3] = 2.0 * point[i];
  }
  return *this;
}

QvGeMatrix3d& QvGeMatrix3d::setCoordSystem(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                                           const QvGeVector3d& yAxis, const QvGeVector3d& zAxis) {
  setToIdentity();
  for (int i = 0; i < 3; ++i) {
    entry[i][0] = xAxis[i];
    entry[i][1] = yAxis[i];
    entry[i][2] = zAxis[i];
    entry[i][3] = origin[i];
  }
  return *this;
}

void QvGeMatrix3d::getCoordSystem(QvGePoint3d& origin, QvGeVector3d& xAxis, QvGeVector3d& yAxis,
                                  QvGeVector3d& zAxis) const {
  xAxis = column(*this, 0);
  yAxis = column(*this, 1);
  zAxis = column(*this, 2);
  const QvGeVector3d t = column(*this, 3);
  origin.set(t.x, t.y, t.z);
}

bool QvGeMatrix3d::setToAlignCoordSys(const QvGePoint3d& fromOrigin, const QvGeVector3d& fromXAxis,
                                      const QvGeVector3d& fromYAxis, const QvGeVector3d& fromZAxis,
                                      const QvGePoint3d& toOrigin, const QvGeVector3d& toXAxis,
                                      const QvGeVector3d& toYAxis, const QvGeVector3d& toZAxis) {
  const QvGeMatrix3d from =
      QvGeMatrix3d().setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
  QvGeMatrix3d fromInverse;
  if (!from.inverse(fromInverse)) return false;
  const QvGeMatrix3d to = QvGeMatrix3d().setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
  *this = to * fromInverse;
  return true;
}

bool QvGeMatrix3d::setToPlaneToWorld(const QvGeVector3d& normal) {
  const QvGePlane plane(QvGePoint3d::kOrigin, normal);
  return setToPlaneToWorld(plane);
}

bool QvGeMatrix3d::setToWorldToPlane(const QvGeVector3d& normal) {
  const QvGePlane plane(QvGePoint3d::kOrigin, normal);
  return setToWorldToPlane(plane);
}

bool QvGeMatrix3d::setToPlaneToWorld(const QvGePlane& plane) {
  if (!plane.isValid()) return false;
  setCoordSystem(plane.pointOnPlane(), plane.uAxis(), plane.vAxis(), plane.normal());
  return true;
}

bool QvGeMatrix3d::setToWorldToPlane(const QvGePlane& plane) {
  if (!plane.isValid()) return false;
  // The transpose of the orthonormal frame, with the origin carried back: the exact inverse of
  // setToPlaneToWorld built from the same axes.
  const QvGeVector3d axes[3] = {plane.uAxis(), plane.vAxis(), plane.normal()};
  const QvGeVector3d o = plane.pointOnPlane().asVector();
  setToIdentity();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) entry[i][j] = axes[i][j];
    entry[i][3] = -axes[i].dotProduct(o);
  }
  return true;
}

bool QvGeMatrix3d::setToProjection(const QvGePlane& plane, const QvGeVector3d& direction) {
  if (!plane.isValid()) return false;
  QvGe::ErrorCondition flag;
  const QvGeVector3d d = QvGeVector3d(direction).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk) return false;
  const QvGeVector3d n = plane.normal();
  const double dn = d.dotProduct(n);
  if (std::fabs(dn) <= QvGeContext::gTol.equalVector()) return false;
  // p -> p - d ((p - o) . n) / (d . n)
  const double on = plane.pointOnPlane().asVector().dotProduct(n);
  QvGeMatrix3d r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.entry[i][j] = (i == j ? 1.0 : 0.0) - d[i] * n[j] / dn;
    r.entry[i][3] = d[i] * on / dn;
  }
  *this = r;
  return true;
}

QvGeMatrix3d QvGeMatrix3d::translation(const QvGeVector3d& v) {
  return QvGeMatrix3d().setToTranslation(v);
}

QvGeMatrix3d QvGeMatrix3d::scaling(double factor, const QvGePoint3d& center) {
  return QvGeMatrix3d().setToScaling(factor, center);
}

QvGeMatrix3d QvGeMatrix3d::rotation(double angle, const QvGeVector3d& axis,
                                    const QvGePoint3d& center) {
  QvGeMatrix3d m;
  m.setToRotation(angle, axis, center);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::mirroring(const QvGePlane& plane) {
  QvGeMatrix3d m;
  m.setToMirroring(plane);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::planeToWorld(const QvGeVector3d& normal) {
  QvGeMatrix3d m;
  m.setToPlaneToWorld(normal);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::worldToPlane(const QvGeVector3d& normal) {
  QvGeMatrix3d m;
  m.setToWorldToPlane(normal);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::planeToWorld(const QvGePlane& plane) {
  QvGeMatrix3d m;
  m.setToPlaneToWorld(plane);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::worldToPlane(const QvGePlane& plane) {
  QvGeMatrix3d m;
  m.setToWorldToPlane(plane);
  return m;
}

QvGeMatrix3d QvGeMatrix3d::operator*(const QvGeMatrix3d& m) const {
  QvGeMatrix3d r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += entry[i][k] * m.entry[k][j];
      r.entry[i][j] = sum;
    }
  }
  return r;
}

double QvGeMatrix3d::det() const {
  // Laplace expansion along row 0 with 3 by 3 minors.
  auto minor3 = [this](int skipCol) {
    int cols[3], n = 0;
    for (int c = 0; c < 4; ++c)
      if (c != skipCol) cols[n++] = c;
    const auto& e = entry;
    return e[1][cols[0]] * (e[2][cols[1]] * e[3][cols[2]] - e[2][cols[2]] * e[3][cols[1]]) -
           e[1][cols[1]] * (e[2][cols[0]] * e[3][cols[2]] - e[2][cols[2]] * e[3][cols[0]]) +
           e[1][cols[2]] * (e[2][cols[0]] * e[3][cols[1]] - e[2][cols[1]] * e[3][cols[0]]);
  };
  double d = 0.0;
  for (int c = 0; c < 4; ++c) d += (c % 2 == 0 ? 1.0 : -1.0) * entry[0][c] * minor3(c);
  return d;
}

bool QvGeMatrix3d::inverse(QvGeMatrix3d& result, double tol) const {
  double a[4][8];
  if (!reduce(*this, a, 8, tol)) return false;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) result.entry[i][j] = a[i][j + 4];
  return true;
}

QvGeMatrix3d QvGeMatrix3d::inverse() const {
  QvGeMatrix3d r;
  if (!inverse(r)) return kIdentity;
  return r;
}

bool QvGeMatrix3d::invert(double tol) {
  return inverse(*this, tol);
}

QvGeMatrix3d QvGeMatrix3d::transpose() const {
  QvGeMatrix3d r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.entry[i][j] = entry[j][i];
  return r;
}

bool QvGeMatrix3d::isSingular(double tol) const {
  double a[4][8];
  return !reduce(*this, a, 4, tol);
}

bool QvGeMatrix3d::isEqualTo(const QvGeMatrix3d& m, const QvGeTol& tol) const {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double limit = (j == 3 && i < 3) ? tol.equalPoint() : tol.equalVector();
      if (std::fabs(entry[i][j] - m.entry[i][j]) > limit) return false;
    }
  }
  return true;
}

bool QvGeMatrix3d::isScaledOrtho(const QvGeTol& tol) const {
  const QvGeVector3d x = column(*this, 0), y = column(*this, 1), z = column(*this, 2);
  if (x.isZeroLength(tol) || y.isZeroLength(tol) || z.isZeroLength(tol)) return false;
  return x.isPerpendicularTo(y, tol) && y.isPerpendicularTo(z, tol) && z.isPerpendicularTo(x, tol);
}

bool QvGeMatrix3d::isUniScaledOrtho(const QvGeTol& tol) const {
  if (!isScaledOrtho(tol)) return false;
  const double lx = column(*this, 0).length();
  const double ly = column(*this, 1).length();
  const double lz = column(*this, 2).length();
  const double limit = tol.equalVector() * lx;
  return std::fabs(lx - ly) <= limit && std::fabs(lx - lz) <= limit;
}

double QvGeMatrix3d::scale() const {
  return std::fmax(column(*this, 0).length(),
                   std::fmax(column(*this, 1).length(), column(*this, 2).length()));
}
