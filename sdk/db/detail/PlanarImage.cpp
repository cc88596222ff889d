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
  result = n;
  return true;
}

}  // namespace

bool imageNormal(const QvGeMatrix3d& xform, const QvGeVector3d& normal, QvGeVector3d& result) {
  // The last image found is remembered with what it was found from (the matrix, the normal
  // and the tolerances): the entities of a selection or block mostly share their normal and
  // are transformed by one matrix.
  struct Key {
    double entry[4][4];
    double normal[3];
    double tolerances[2];
  };
  struct Last {
    Key key;
    QvGeVector3d image;
    bool valid = false;
  };
  thread_local Last last;
  Key key;
  std::memcpy(key.entry, xform.entry, sizeof key.entry);
  key.normal[0] = normal.x;
  key.normal[1] = normal.y;
  key.normal[2] = normal.z;
  key.tolerances[0] = QvGeContext::gTol.equalPoint();
  key.tolerances[1] = QvGeContext::gTol.equalVector();
  if (last.valid && std::memcmp(&last.key, &key, sizeof key) == 0) {
    result = last.image;
    return true;
  }
  if (!computeImageNormal(xform, normal, result)) return false;
  last.key = key;
  last.image = result;
  last.valid = true;
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

double angleInFrame(const QvGeVector3d& direction, const QvGeVector3d& normal) {
  const QvGeVector3d n = normal.normal();
  const QvGeVector3d x = n.perpVector().normal();
  const QvGeVector3d y = n.crossProduct(x);
  return normalizeAngle(std::atan2(direction.dotProduct(y), direction.dotProduct(x)));
}

QvGeVector3d directionInFrame(double angle, const QvGeVector3d& normal) {
  const QvGeVector3d n = normal.normal();
  const QvGeVector3d x = n.perpVector().normal();
  const QvGeVector3d y = n.crossProduct(x);
  return x * std::cos(angle) + y * std::sin(angle);
}

}  // namespace qvdb_detail
