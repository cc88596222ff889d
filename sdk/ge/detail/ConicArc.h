#pragma once

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/detail/Finite.h"
#include "sdk/ge/detail/GeSpace.h"

// The point function center + a cos t major + b sin t minor of circular and elliptical arcs,
// over [start, end] with 0 < end - start <= 2pi. major and minor are perpendicular unit
// vectors; their order gives the sense of travel. Written once for 2D and 3D.
namespace qvge_detail {

// Sweeps closer than this to 0 or 2pi count as a full turn.
inline constexpr double kFullTurnTol = QvGePrecision::kRoundoff;

// Brings end into (start, start + 2pi]; a sweep of a whole number of turns (other than zero)
// or within kFullTurnTol of it is a full turn. False for non-finite angles or equal angles.
inline bool normalizeSweep(double start, double& end) {
  if (!std::isfinite(start) || !std::isfinite(end) || start == end) return false;
  double sweep = std::fmod(end - start, QvGe::k2Pi);
  if (sweep < 0.0) sweep += QvGe::k2Pi;
  if (sweep <= kFullTurnTol || sweep >= QvGe::k2Pi - kFullTurnTol) sweep = QvGe::k2Pi;
  end = start + sweep;
  return true;
}

// The point of the ellipse x^2/e0^2 + y^2/e1^2 = 1 (e0 >= e1 > 0) nearest (y0, y1) with
// y0, y1 >= 0, by bisection on the root of the distance equation (robust near the axes).
inline void closestOnEllipseQuadrant(double e0, double e1, double y0, double y1, double& x0,
                                     double& x1) {
  if (y1 > 0.0) {
    if (y0 > 0.0) {
      const double z0 = y0 / e0, z1 = y1 / e1;
      double g = z0 * z0 + z1 * z1 - 1.0;
      if (g != 0.0) {
        const double r0 = (e0 / e1) * (e0 / e1);
        const double n0 = r0 * z0;
        double s0 = z1 - 1.0;
        double s1 = g < 0.0 ? 0.0 : std::hypot(n0, z1) - 1.0;
        double s = 0.0;
        for (int i = 0; i < 1100; ++i) {
          s = 0.5 * (s0 + s1);
          if (s == s0 || s == s1) break;
          const double ratio0 = n0 / (s + r0), ratio1 = z1 / (s + 1.0);
          g = ratio0 * ratio0 + ratio1 * ratio1 - 1.0;
          if (g > 0.0)
            s0 = s;
          else if (g < 0.0)
            s1 = s;
          else
            break;
        }
        x0 = r0 * y0 / (s + r0);
        x1 = y1 / (s + 1.0);
      } else {
        x0 = y0;
        x1 = y1;
      }
    } else {
      x0 = 0.0;
      x1 = e1;
    }
  } else {
    const double numer = e0 * y0, denom = e0 * e0 - e1 * e1;
    if (numer < denom) {
      x0 = e0 * e0 * y0 / denom;
      const double q = x0 / e0;
      x1 = e1 * std::sqrt(std::fmax(0.0, 1.0 - q * q));
    } else {
      x0 = e0;
      x1 = 0.0;
    }
  }
}

template <int Dim>
struct ConicArc {
  using Point = typename GeSpace<Dim>::Point;
  using Vector = typename GeSpace<Dim>::Vector;
  using Extents = typename GeSpace<Dim>::Extents;

  Point center;
  Vector major = unitAxis<Vector>(0);
  Vector minor = unitAxis<Vector>(1);
  double a = 1.0;
  double b = 1.0;
  double start = 0.0;
  double end = QvGe::k2Pi;

  Point at(double t) const {
    return center + major * (a * std::cos(t)) + minor * (b * std::sin(t));
  }

  void derivs(double t, int n, Point& p, Vector* d) const {
    const double c = std::cos(t), s = std::sin(t);
    p = center + major * (a * c) + minor * (b * s);
    // The k-th derivative turns (cos, sin) a quarter turn k times.
    double ck = c, sk = s;
    for (int k = 0; k < n; ++k) {
      const double nc = -sk, ns = ck;
      ck = nc;
      sk = ns;
      d[k] = major * (a * ck) + minor * (b * sk);
    }
  }

  double sweep() const { return end - start; }
  bool isFull() const { return sweep() >= QvGe::k2Pi - kFullTurnTol; }
  bool isCircle() const { return a == b; }

  // t moved by whole turns into [start, start + 2pi).
  double wrap(double t) const {
    double w = std::fmod(t - start, QvGe::k2Pi);
    if (w < 0.0) w += QvGe::k2Pi;
    return start + w;
  }

  // The eccentric angle of p's foot in the conic's plane: the parameter of p when p lies on
  // the conic, and of the nearest point of a circle. start when p is on the axis.
  double frameAngle(const Point& p) const {
    const Vector r = p - center;
    const double x = r.dotProduct(major) / a, y = r.dotProduct(minor) / b;
    if (x == 0.0 && y == 0.0) return start;
    return std::atan2(y, x);
  }

  // Parameter of the point of the whole conic nearest p.
  double closestParamOnCarrier(const Point& p) const {
    if (isCircle()) return frameAngle(p);
    const Vector r = p - center;
    const double y0 = r.dotProduct(major), y1 = r.dotProduct(minor);
    double x0, x1;
    if (a >= b) {
      closestOnEllipseQuadrant(a, b, std::fabs(y0), std::fabs(y1), x0, x1);
    } else {
      closestOnEllipseQuadrant(b, a, std::fabs(y1), std::fabs(y0), x1, x0);
    }
    return std::atan2(std::copysign(x1, y1) / b, std::copysign(x0, y0) / a);
  }

  // The parameter within [start, end] of a carrier parameter: itself (wrapped) when inside,
  // else the nearer end point's.
  double clampToArc(double t, const Point& p) const {
    const double w = wrap(t);
    if (isFull() || w <= end + kFullTurnTol) return std::fmin(w, end);
    return (at(start) - p).lengthSqrd() <= (at(end) - p).lengthSqrd() ? start : end;
  }

  bool inArc(double t, double tol) const {
    if (isFull()) return true;
    return wrap(t - tol) <= end + tol || std::fabs(t - start) <= tol;
  }

  void addToBox(double from, double to, Extents& box) const {
    box.addPoint(at(from));
    box.addPoint(at(to));
    for (int i = 0; i < Dim; ++i) {
      const double A = a * major[i], B = b * minor[i];
      if (A == 0.0 && B == 0.0) continue;
      const double t0 = std::atan2(B, A);
      for (double t : {t0, t0 + QvGe::kPi}) {
        // The first copy of t at or after from.
        double k = std::ceil((from - t) / QvGe::k2Pi);
        for (double u = t + k * QvGe::k2Pi; u <= to; u += QvGe::k2Pi) box.addPoint(at(u));
      }
    }
  }

  // The same points run the other way: minor axis negated, angles mirrored, start in
  // [0, 2pi).
  void reverse() {
    minor = -minor;
    const double s = -end, e = -start;
    const double shift = std::floor(s / QvGe::k2Pi) * QvGe::k2Pi;
    start = s - shift;
    end = e - shift;
  }

  // The image under an affine map (given as point and vector maps) as a conic with principal
  // axes: the images of a*major and b*minor are conjugate semi-diameters. Parameters shift by
  // the angle to the principal axes. False when the image is flat.
  template <class MapPoint, class MapVector>
  bool mapped(MapPoint mapPoint, MapVector mapVector, ConicArc& out) const {
    const Vector p = mapVector(major * a), q = mapVector(minor * b);
    const double pp = p.lengthSqrd(), qq = q.lengthSqrd(), pq = p.dotProduct(q);
    const double scale = pp + qq;
    if (!(scale > 0.0) || !std::isfinite(scale)) return false;
    // Flat when the two diameters are (nearly) parallel.
    if (pp * qq - pq * pq <= 1e-20 * scale * scale) return false;
    // Of the two principal directions take the one nearer the image of major, so that a map
    // keeping the axes perpendicular keeps them (and their order) as they are.
    double theta = 0.0;
    if (std::fabs(pq) > 1e-15 * scale) {
      theta = 0.5 * std::atan2(2.0 * pq, pp - qq);
      if (theta > 0.25 * QvGe::kPi) theta -= QvGe::kHalfPi;
      if (theta < -0.25 * QvGe::kPi) theta += QvGe::kHalfPi;
    }
    const double c = std::cos(theta), s = std::sin(theta);
    const Vector m1 = p * c + q * s, m2 = q * c - p * s;
    out.center = mapPoint(center);
    out.a = m1.length();
    out.b = m2.length();
    out.major = m1 / out.a;
    out.minor = m2 / out.b;
    out.start = start - theta;
    out.end = end - theta;
    return true;
  }

  // True when the radii agree closely enough to call the conic a circle.
  bool isRound(double relTol = QvGePrecision::kRelative) const {
    return std::fabs(a - b) <= relTol * std::fmax(a, b);
  }
};

// Eccentric parameter of the ellipse point seen at a geometric angle from the major axis, on
// the same turn as the angle (radii a along the major axis, b along the minor).
inline double ellipseParamAtAngle(double a, double b, double angle) {
  const double t = std::atan2(a * std::sin(angle), b * std::cos(angle));
  return t + QvGe::k2Pi * std::round((angle - t) / QvGe::k2Pi);
}

inline double ellipseAngleAtParam(double a, double b, double param) {
  const double angle = std::atan2(b * std::sin(param), a * std::cos(param));
  return angle + QvGe::k2Pi * std::round((param - angle) / QvGe::k2Pi);
}

// An ellipse conic from raw axes and radii; false when the data cannot make one.
template <class Conic, class Point, class Vector>
bool ellipseConic(const Point& center, const Vector& majorAxis, const Vector& minorAxis,
                  double majorRadius, double minorRadius, double startAng, double endAng,
                  Conic& out) {
  if (!(majorRadius > 0.0) || !(minorRadius > 0.0) || !std::isfinite(majorRadius) ||
      !std::isfinite(minorRadius) || !isFinite(center))
    return false;
  const double lu = majorAxis.length(), lv = minorAxis.length();
  if (!(lu > 1e-300) || !(lv > 1e-300) || !std::isfinite(lu) || !std::isfinite(lv)) return false;
  const Vector u = majorAxis / lu;
  Vector v = minorAxis / lv;
  const double cosine = u.dotProduct(v);
  if (std::fabs(cosine) > QvGePrecision::kRelative) return false;
  v = v - u * cosine;
  v = v / v.length();
  double end = endAng;
  if (!normalizeSweep(startAng, end)) return false;
  out.center = center;
  out.major = u;
  out.minor = v;
  out.a = majorRadius;
  out.b = minorRadius;
  out.start = startAng;
  out.end = end;
  return true;
}

}  // namespace qvge_detail
