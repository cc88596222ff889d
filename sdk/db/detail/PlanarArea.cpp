#include "sdk/db/detail/PlanarArea.h"

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGePlane.h"

namespace qvdb_detail {

namespace {

// Gauss-Legendre nodes and weights of order 8 on [-1, 1].
constexpr double kNodes[8] = {-0.9602898564975363, -0.7966664774136267, -0.5255324099163290,
                              -0.1834346424956498, 0.1834346424956498,  0.5255324099163290,
                              0.7966664774136267,  0.9602898564975363};
constexpr double kWeights[8] = {0.1012285362903763, 0.2223810344533745, 0.3137066458778873,
                                0.3626837833783620, 0.3626837833783620, 0.3137066458778873,
                                0.2223810344533745, 0.1012285362903763};
constexpr int kSubdivisions = 16;

// Twice the signed area of `curve` and its closing chord; `flat` takes a point and its first
// derivative to plane coordinates (x, y, dx, dy).
template <class Curve, class Flat>
double twiceArea(const Curve& curve, Flat flat) {
  QvGeInterval interval;
  curve.getInterval(interval);
  if (!interval.isBounded()) return 0.0;
  QvGeDoubleArray breaks;
  curve.getBreakParams(breaks);
  QvGeDoubleArray bounds;
  bounds.append(interval.lowerBound());
  for (int i = 0; i < breaks.length(); ++i)
    if (breaks[i] > bounds.last() && breaks[i] < interval.upperBound()) bounds.append(breaks[i]);
  bounds.append(interval.upperBound());

  double twice = 0.0;  // the integral of x dy - y dx
  double x = 0.0, y = 0.0, dx = 0.0, dy = 0.0;
  for (int k = 0; k + 1 < bounds.length(); ++k) {
    const double step = (bounds[k + 1] - bounds[k]) / kSubdivisions;
    for (int s = 0; s < kSubdivisions; ++s) {
      const double a = bounds[k] + s * step, half = 0.5 * step;
      for (int g = 0; g < 8; ++g) {
        flat(a + half * (1.0 + kNodes[g]), x, y, dx, dy);
        twice += kWeights[g] * half * (x * dy - y * dx);
      }
    }
  }
  // The chord back from the end to the start.
  double sx = 0.0, sy = 0.0, ex = 0.0, ey = 0.0;
  flat(interval.lowerBound(), sx, sy, dx, dy);
  flat(interval.upperBound(), ex, ey, dx, dy);
  return twice + ex * sy - ey * sx;
}

}  // namespace

double planarArea(const QvGeCurve3d& curve, const QvGePlane& plane) {
  const QvGePoint3d origin = plane.pointOnPlane();
  const QvGeVector3d u = plane.uAxis(), v = plane.vAxis();
  return 0.5 * twiceArea(curve, [&](double t, double& x, double& y, double& dx, double& dy) {
           QvGePoint3d p;
           QvGeVector3d d;
           curve.evalDerivatives(t, 1, p, &d);
           const QvGeVector3d r = p - origin;
           x = r.dotProduct(u);
           y = r.dotProduct(v);
           dx = d.dotProduct(u);
           dy = d.dotProduct(v);
         });
}

double planarArea(const QvGeCurve2d& curve) {
  return 0.5 * twiceArea(curve, [&](double t, double& x, double& y, double& dx, double& dy) {
           QvGePoint2d p;
           QvGeVector2d d;
           curve.evalDerivatives(t, 1, p, &d);
           x = p.x;
           y = p.y;
           dx = d.x;
           dy = d.y;
         });
}

}  // namespace qvdb_detail
