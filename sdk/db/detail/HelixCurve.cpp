#include "sdk/db/detail/HelixCurve.h"

#include <algorithm>
#include <cmath>

namespace qvdb_detail {

namespace {

constexpr double kTwoPi = 2.0 * M_PI;
constexpr int kPiecesPerTurn = 16;

// The integral of sqrt(r^2 + k2) dr.
double radialIntegral(double r, double k2) {
  const double root = std::sqrt(r * r + k2);
  return 0.5 * (r * root + k2 * std::log(r + root));
}

}  // namespace

bool HelixCurve::make(const QvGePoint3d& axisPoint, const QvGePoint3d& startPoint,
                      const QvGeVector3d& axisVector, double topRadius, double turns,
                      double turnHeight, bool twistCcw, HelixCurve& helix) {
  const double axisLength = axisVector.length();
  if (!(axisLength > 0.0) || !std::isfinite(axisLength)) return false;
  HelixCurve h;
  h.w = axisVector / axisLength;
  const QvGeVector3d offset = startPoint - axisPoint;
  h.foot = axisPoint + h.w * offset.dotProduct(h.w);
  const QvGeVector3d radial = startPoint - h.foot;
  h.baseRadius = radial.length();
  const double size =
      std::max({1.0, startPoint.asVector().length(), axisPoint.asVector().length()});
  if (!(h.baseRadius > 1e-12 * size)) return false;
  h.u = radial / h.baseRadius;
  h.v = twistCcw ? h.w.crossProduct(h.u) : h.u.crossProduct(h.w);
  h.topRadius = topRadius;
  h.turns = turns;
  h.turnHeight = turnHeight;
  helix = h;
  return true;
}

double HelixCurve::endAngle() const {
  return kTwoPi * turns;
}

QvGePoint3d HelixCurve::pointAt(double angle) const {
  const double r = baseRadius + (topRadius - baseRadius) * angle / endAngle();
  return foot + u * (r * std::cos(angle)) + v * (r * std::sin(angle)) +
         w * (turnHeight * angle / kTwoPi);
}

QvGeVector3d HelixCurve::derivativeAt(double angle) const {
  const double slope = (topRadius - baseRadius) / endAngle();
  const double r = baseRadius + slope * angle;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return u * (slope * c - r * s) + v * (slope * s + r * c) + w * (turnHeight / kTwoPi);
}

QvGeNurbCurve3d HelixCurve::spline() const {
  const int pieces = std::max(1, static_cast<int>(std::ceil(turns * kPiecesPerTurn - 1e-9)));
  const double step = endAngle() / pieces;
  QvGePoint3dArray points;
  QvGeDoubleArray knots;
  for (int k = 0; k < 4; ++k) knots.append(0.0);
  points.append(pointAt(0.0));
  for (int i = 0; i < pieces; ++i) {
    const double a = i * step;
    const double b = i + 1 == pieces ? endAngle() : (i + 1) * step;
    const QvGePoint3d end = pointAt(b);
    points.append(pointAt(a) + derivativeAt(a) * ((b - a) / 3.0));
    points.append(end - derivativeAt(b) * ((b - a) / 3.0));
    points.append(end);
    for (int k = 0; k < (i + 1 == pieces ? 4 : 3); ++k) knots.append(b);
  }
  return QvGeNurbCurve3d(3, knots, points);
}

double HelixCurve::length() const {
  const double rise = turnHeight / kTwoPi;
  const double slope = (topRadius - baseRadius) / endAngle();
  const double scale = std::max({baseRadius, topRadius, std::fabs(rise)});
  if (std::fabs(slope) <= 1e-9 * scale) {
    const double r = 0.5 * (baseRadius + topRadius);
    return turns * std::sqrt(kTwoPi * r * kTwoPi * r + turnHeight * turnHeight);
  }
  // |P'|^2 = r^2 + slope^2 + rise^2 with r linear in the angle: dr = slope da.
  const double k2 = slope * slope + rise * rise;
  return (radialIntegral(topRadius, k2) - radialIntegral(baseRadius, k2)) / slope;
}

}  // namespace qvdb_detail
