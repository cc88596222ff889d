#include "sdk/db/detail/PlanarImage.h"

#include <cmath>
#include <cstring>

#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGePrecision.h"

namespace qvdb_detail {

namespace {

QvGeVector3d linear(const QvGeMatrix3d& m, const QvGeVector3d& v) {
  QvGeVector3d r = v;
  return r.transformBy(m);
}

// The last result of a computation, with the bytes of what it was computed from.
template <typename Key, typename Value>
struct Remembered {
  bool holds(const Key& from) const { return valid && std::memcmp(&key, &from, sizeof key) == 0; }
  void keep(const Key& from, const Value& result) {
    key = from;
    value = result;
    valid = true;
  }
  Key key;
  Value value;
  bool valid = false;
};

// A normal with the tolerances that normalizing it depends on.
struct NormalKey {
  static NormalKey of(const QvGeVector3d& normal) {
    return {{normal.x, normal.y, normal.z},
            {QvGeContext::gTol.equalPoint(), QvGeContext::gTol.equalVector()}};
  }
  double normal[3];
  double tolerances[2];
};

// The vector with +0.0 for every zero: a rotation leaves signed zeros in computed normals,
// which compare equal but are other bytes, and other bytes to the remembered results.
QvGeVector3d withoutNegativeZeros(const QvGeVector3d& v) {
  return QvGeVector3d(v.x + 0.0, v.y + 0.0, v.z + 0.0);
}

}  // namespace

bool isMirroring(const QvGeMatrix3d& xform) {
  return xform.det() < 0.0;
}

namespace {

bool computeImageNormal(const QvGeMatrix3d& xform, const QvGeVector3d& normal,
                        QvGeVector3d& result) {
  // The image plane is spanned by the images of two in-plane axes; its normal is taken on
  // the side of the image of the normal.
  const QvGeVector3d u = normal.perpVector();
  const QvGeVector3d v = normal.crossProduct(u);
  QvGeVector3d n = linear(xform, u).crossProduct(linear(xform, v));
  if (n.isZeroLength() || !std::isfinite(n.length())) return false;
  n.normalize();
  if (isMirroring(xform)) n = -n;
  result = withoutNegativeZeros(n);
  return true;
}

}  // namespace

bool imageNormal(const QvGeMatrix3d& xform, const QvGeVector3d& normal, QvGeVector3d& result) {
  // The entities of a selection or block mostly share their normal and are transformed by one
  // matrix.
  struct Key {
    double entry[4][4];
    NormalKey normal;
  };
  thread_local Remembered<Key, QvGeVector3d> last;
  Key key;
  std::memcpy(key.entry, xform.entry, sizeof key.entry);
  key.normal = NormalKey::of(normal);
  if (last.holds(key)) {
    result = last.value;
    return true;
  }
  if (!computeImageNormal(xform, normal, result)) return false;
  last.keep(key, result);
  return true;
}

bool isUniformInPlane(const QvGeMatrix3d& xform, const QvGeVector3d& normal, double& factor) {
  const QvGeVector3d u = normal.perpVector().normal();
  const QvGeVector3d v = normal.normal().crossProduct(u);
  const QvGeVector3d mu = linear(xform, u), mv = linear(xform, v);
  const double lu = mu.length(), lv = mv.length();
  if (!(lu > 0.0) || !(lv > 0.0)) return false;
  const double tol = QvGePrecision::kRelative * std::fmax(lu, lv);
  if (std::fabs(lu - lv) > tol || std::fabs(mu.dotProduct(mv)) > tol * std::fmax(lu, lv))
    return false;
  factor = lu;
  return true;
}

double areaScaleInPlane(const QvGeMatrix3d& xform, const QvGeVector3d& normal) {
  const QvGeVector3d u = normal.perpVector().normal();
  const QvGeVector3d v = normal.normal().crossProduct(u);
  return std::sqrt(linear(xform, u).crossProduct(linear(xform, v)).length());
}

double normalizeAngle(double angle) {
  double a = std::fmod(angle, QvGe::k2Pi);
  if (a < 0.0) a += QvGe::k2Pi;
  if (a >= QvGe::k2Pi) a -= QvGe::k2Pi;
  return a;
}

namespace {

// The in-plane axes of the plane of `normal`: x by the arbitrary axis rule, y = normal x x. Most
// entities of a drawing share their normal.
void planeAxes(const QvGeVector3d& normal, QvGeVector3d& x, QvGeVector3d& y) {
  struct Axes {
    QvGeVector3d x, y;
  };
  thread_local Remembered<NormalKey, Axes> last;
  const QvGeVector3d plain = withoutNegativeZeros(normal);
  const NormalKey key = NormalKey::of(plain);
  if (!last.holds(key)) {
    const QvGeVector3d n = plain.normal();
    const QvGeVector3d inPlane = n.perpVector().normal();
    last.keep(key, Axes{inPlane, n.crossProduct(inPlane)});
  }
  x = last.value.x;
  y = last.value.y;
}

}  // namespace

double angleInFrame(const QvGeVector3d& direction, const QvGeVector3d& normal) {
  QvGeVector3d x, y;
  planeAxes(normal, x, y);
  return normalizeAngle(std::atan2(direction.dotProduct(y), direction.dotProduct(x)));
}

QvGeVector3d directionInFrame(double angle, const QvGeVector3d& normal) {
  QvGeVector3d x, y;
  planeAxes(normal, x, y);
  return x * std::cos(angle) + y * std::sin(angle);
}

}  // namespace qvdb_detail
