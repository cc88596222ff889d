#include "sdk/db/detail/PlanarArea.h"

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

}  // namespace

double planarArea(const QvGeCurve3d& curve, const QvGePlane& plane) {
  QvGeInterval interval;
  curve.getInterval(interval);
  if (!interval.isBounded()) return 0.0;
  const QvGePoint3d origin = plane.pointOnPlane();
  const QvGeVector3d u = plane.uAxis(), v = plane.vAxis();
  QvGeDoubleArray breaks;
  curve.getBreakParams(breaks);
  QvGeDoubleArray bounds;
  bounds.append(interval.lowerBound());
  for (int i = 0; i < breaks.length(); ++i)
    if (breaks[i] > bounds.last() && breaks[i] < interval.upperBound()) bounds.append(breaks[i]);
  bounds.append(interval.upperBound());

  double twice = 0.0;  // the integral of x dy - y dx
  for (int k = 0; k + 1 < bounds.length(); ++k) {
    const double step = (bounds[k + 1] - bounds[k]) / kSubdivisions;
    for (int s = 0; s < kSubdivisions; ++s) {
      const double a = bounds[k] + s * step, half = 0.5 * step;
      for (int g = 0; g < 8; ++g) {
        const double t = a + half * (1.0 + kNodes[g]);
        QvGePoint3d p;
        QvGeVector3d d;
        curve.evalDerivatives(t, 1, p, &d);
        const QvGeVector3d r = p - origin;
        const double x = r.dotProduct(u), y = r.dotProduct(v);
        twice += kWeights[g] * half * (x * d.dotProduct(v) - y * d.dotProduct(u));
      }
    }
  }
  // The chord back from the end to the start.
  const QvGeVector3d s = curve.evalPoint(interval.lowerBound()) - origin;
  const QvGeVector3d e = curve.evalPoint(interval.upperBound()) - origin;
  twice += e.dotProduct(u) * s.dotProduct(v) - e.dotProduct(v) * s.dotProduct(u);
  return 0.5 * twice;
}

}  // namespace qvdb_detail
