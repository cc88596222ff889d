#include "xqcmdutil/XqArbitraryAxis.h"

#include <cmath>

#include "sdk/base/QvInvalidParameter.h"
#include "xqcmdutil/XqNumericPrimitives.h"

namespace {

constexpr double kArbitraryAxisLimit = 1.0 / 64.0;
// The classic tolerances: an axis this short has no direction, and a unit normal this close to
// world Z in each coordinate is world Z.
constexpr double kZeroLength = 1e-10;
constexpr double kWorldZ = 1e-7;

}  // namespace

int16_t qv_arbaxis(const double* normal, double* xAxis, double* yAxis, double* zAxis) {
  if (!normal || !xAxis || !yAxis || !zAxis) {
    qvReportInvalidParameter("qv_arbaxis", "vector != nullptr");
    return -1;
  }
  double z[3] = {normal[0], normal[1], normal[2]};
  copySdsPoint(zAxis, z);
  const double lenZ = std::sqrt(z[0] * z[0] + z[1] * z[1] + z[2] * z[2]);
  if (IMvexaRealEqual(lenZ, 0.0, kZeroLength)) return -1;
  for (double& c : z) c /= lenZ;
  if (std::fabs(z[0]) < kWorldZ && std::fabs(z[1]) < kWorldZ && std::fabs(z[2] - 1.0) < kWorldZ) {
    const double wx[3] = {1, 0, 0}, wy[3] = {0, 1, 0}, wz[3] = {0, 0, 1};
    copySdsPoint(xAxis, wx);
    copySdsPoint(yAxis, wy);
    copySdsPoint(zAxis, wz);
    return 0;
  }
  double x[3];
  if (std::fabs(z[0]) < kArbitraryAxisLimit && std::fabs(z[1]) < kArbitraryAxisLimit) {
    x[0] = z[2];  // world Y x z
    x[1] = 0.0;
    x[2] = -z[0];
  } else {
    x[0] = -z[1];  // world Z x z
    x[1] = z[0];
    x[2] = 0.0;
  }
  const double lenX = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
  if (IMvexaRealEqual(lenX, 0.0, kZeroLength)) return -1;
  for (double& c : x) c /= lenX;
  copySdsPoint(zAxis, z);
  copySdsPoint(xAxis, x);
  calcCrossProduct(z, x, yAxis);
  return 0;
}

bool vexaGetArbitraryAxis(const QvGeVector3d& normal, QvGeVector3d& xAxis, QvGeVector3d& yAxis,
                          QvGeVector3d& zAxis) {
  const QvGeTol& tol = QvGeContext::gTol;
  QvGe::ErrorCondition flag;
  const QvGeVector3d z = QvGeVector3d(normal).normalize(tol, flag);
  if (flag != QvGe::kOk) return false;
  if (z.isEqualTo(QvGeVector3d::kZAxis, tol)) {
    xAxis = QvGeVector3d::kXAxis;
    yAxis = QvGeVector3d::kYAxis;
    zAxis = QvGeVector3d::kZAxis;
    return true;
  }
  QvGeVector3d x = std::fabs(z.x) < kArbitraryAxisLimit && std::fabs(z.y) < kArbitraryAxisLimit
                       ? QvGeVector3d::kYAxis.crossProduct(z)
                       : QvGeVector3d::kZAxis.crossProduct(z);
  if (x.isZeroLength(tol)) return false;
  x.normalize(tol);
  xAxis = x;
  yAxis = z.crossProduct(x);
  zAxis = z;
  return true;
}
