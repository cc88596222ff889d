#include "sdk/ge/detail/ClosedFormIntersect.h"

#include <algorithm>
#include <cmath>

#include "sdk/ge/QvGeLinearEnt3d.h"

namespace qvge_detail {

namespace {

using Conic = ConicArc<3>;

// A straight curve as base + s * dir over [lo, hi] (infinite bounds when unbounded).
struct Straight {
  QvGePoint3d base;
  QvGeVector3d dir;
  double lo, hi;
  QvGePoint3d at(double s) const { return base + dir * s; }
  // The parameter moved onto the range when it lies within `slack` of it; false when outside.
  bool accept(double& s, double slack) const {
    if (s < lo - slack || s > hi + slack) return false;
    s = std::clamp(s, lo, hi);
    return true;
  }
};

Straight straightOf(const QvGeLinearEnt3d& line) {
  QvGeInterval i;
  line.getInterval(i);
  return {line.pointOnLine(), line.paramVector(), i.isBoundedBelow() ? i.lowerBound() : -HUGE_VAL,
          i.isBoundedAbove() ? i.upperBound() : HUGE_VAL};
}

// Parameter slack along a curve moving `speed` per unit parameter.
double slackFor(double tolerance, double speed) {
  return speed > 0.0 ? tolerance / speed : 0.0;
}

// The angle moved onto the arc when within `slack` of it; false when outside.
bool acceptAngle(const Conic& c, double& t, double slack) {
  if (c.isFull()) {
    t = c.wrap(t);
    return true;
  }
  double w = c.wrap(t);
  if (w <= c.end + slack) {
    t = std::min(w, c.end);
    return true;
  }
  // Just before the start, seen from the other side of the seam.
  if (w >= c.start + QvGe::k2Pi - slack) {
    t = c.start;
    return true;
  }
  return false;
}

QvGeVector3d normalOf(const Conic& c) {
  return c.major.crossProduct(c.minor);
}

// Records a point of a straight curve and a conic (in the caller's order).
void addLineConic(double s, double theta, const Straight& line, const Conic& c, bool swapped,
                  QvGe::IntConfig config, IntSink& out) {
  const QvGePoint3d pl = line.at(s), pc = c.at(theta);
  if (swapped)
    out.add(theta, s, pc, pl, config);
  else
    out.add(s, theta, pl, pc, config);
}

// Two arcs of one circle: their common pieces as overlaps, with the ends as points. A range
// on a full circle may run past its seam (beyond its end parameter).
void coincidentCircles(const Conic& a, const Conic& b, double slackA, IntSink& out) {
  const bool sameSense = normalOf(a).dotProduct(normalOf(b)) > 0.0;
  // b's parameter at a's angle ta, with b's start at a's angle theta0.
  const double theta0 = a.frameAngle(b.at(b.start));
  auto toB = [&](double ta, double base) {
    return sameSense ? b.start + (ta - base) : b.start + (base - ta);
  };
  auto addEnd = [&](double ta, double tb) {
    out.add(ta, tb, a.at(ta), b.at(tb), QvGe::kIntOverlapEnd);
  };
  const double sweepB = b.end - b.start;
  if (b.isFull()) {
    // All of a is common; b's parameters follow a's points.
    const double sweepA = a.end - a.start;
    const double lo2 = b.wrap(b.frameAngle(a.at(a.start)));
    const double hi2 = sameSense ? lo2 + sweepA : lo2 - sweepA;
    out.overlaps.push_back({a.start, a.end, lo2, hi2});
    if (!a.isFull()) {
      addEnd(a.start, lo2);
      addEnd(a.end, b.wrap(hi2));
    }
    return;
  }
  if (a.isFull()) {
    // All of b is common; a's range starts where b starts (or ends, running the other way).
    const double lo2 = sameSense ? b.start : b.end, hi2 = sameSense ? b.end : b.start;
    const double lo1 = a.wrap(a.frameAngle(b.at(lo2)));
    out.overlaps.push_back({lo1, lo1 + sweepB, lo2, hi2});
    addEnd(lo1, lo2);
    addEnd(a.wrap(lo1 + sweepB), hi2);
    return;
  }
  // b covers [lo + 2 pi k, lo + 2 pi k + sweepB] in a's angles.
  const double lo = sameSense ? theta0 : theta0 - sweepB;
  const double first = lo + QvGe::k2Pi * std::floor((a.start - lo - sweepB) / QvGe::k2Pi);
  for (double shift = first; shift <= a.end + QvGe::k2Pi; shift += QvGe::k2Pi) {
    const double s = std::max(a.start, shift), e = std::min(a.end, shift + sweepB);
    if (e < s - slackA) continue;
    const double base = sameSense ? shift : shift + sweepB;
    const double tbS = toB(s, base), tbE = toB(e, base);
    if (e - s <= slackA) {
      out.add(s, tbS, a.at(s), b.at(tbS), QvGe::kIntTangent);
      continue;
    }
    out.overlaps.push_back({s, e, tbS, tbE});
    addEnd(s, tbS);
    addEnd(e, tbE);
  }
}

}  // namespace

void intersectLines(const QvGeLinearEnt3d& la, const QvGeLinearEnt3d& lb, const QvGeTol& tol,
                    IntSink& out) {
  const Straight a = straightOf(la), b = straightOf(lb);
  const double eps = tol.equalPoint();
  const double lenA = a.dir.length(), lenB = b.dir.length();
  const double slackA = slackFor(eps, lenA), slackB = slackFor(eps, lenB);

  // A straight curve of zero length is a point.
  if (!(lenA > 0.0) || !(lenB > 0.0)) {
    const Straight& point = lenA > 0.0 ? b : a;
    const Straight& other = lenA > 0.0 ? a : b;
    const double s0 = std::isfinite(point.lo) ? point.lo : 0.0;
    const QvGePoint3d p = point.at(s0);
    const double len2 = other.dir.lengthSqrd();
    double t = len2 > 0.0 ? (p - other.base).dotProduct(other.dir) / len2 : other.lo;
    t = std::clamp(t, other.lo, other.hi);
    if (!std::isfinite(t)) t = 0.0;
    if (other.at(t).distanceTo(p) > eps) return;
    if (lenA > 0.0)
      out.add(t, s0, a.at(t), p, QvGe::kIntCrossing);
    else
      out.add(s0, t, p, b.at(t), QvGe::kIntCrossing);
    return;
  }

  const QvGeVector3d ua = a.dir / lenA, ub = b.dir / lenB;
  if (ua.crossProduct(ub).length() <= tol.equalVector()) {
    // Parallel: collinear when b's base lies on a's carrier.
    const QvGeVector3d w = b.base - a.base;
    if ((w - ua * w.dotProduct(ua)).length() > eps) return;
    // b's parameters mapped onto a's: s = s0 + k t.
    const double s0 = w.dotProduct(a.dir) / (lenA * lenA);
    const double k = b.dir.dotProduct(a.dir) / (lenA * lenA);
    const double sb1 = s0 + k * b.lo, sb2 = s0 + k * b.hi;
    const double lo = std::max(a.lo, std::min(sb1, sb2));
    const double hi = std::min(a.hi, std::max(sb1, sb2));
    if (hi < lo - slackA) return;
    auto tOf = [&](double s) { return std::clamp((s - s0) / k, b.lo, b.hi); };
    if (hi - lo <= slackA) {
      // End to end: one point where they touch.
      double s = std::clamp(0.5 * (lo + hi), a.lo, a.hi);
      const double t = tOf(s);
      out.add(s, t, a.at(s), b.at(t), QvGe::kIntTangent);
      return;
    }
    out.overlaps.push_back({lo, hi, tOf(lo), tOf(hi)});
    if (std::isfinite(lo)) out.add(lo, tOf(lo), a.at(lo), b.at(tOf(lo)), QvGe::kIntOverlapEnd);
    if (std::isfinite(hi)) out.add(hi, tOf(hi), a.at(hi), b.at(tOf(hi)), QvGe::kIntOverlapEnd);
    return;
  }

  // Closest points of the two carriers.
  const QvGeVector3d w = a.base - b.base;
  const double aa = a.dir.dotProduct(a.dir), ab = a.dir.dotProduct(b.dir),
               bb = b.dir.dotProduct(b.dir);
  const double d = a.dir.dotProduct(w), e = b.dir.dotProduct(w);
  const double denom = aa * bb - ab * ab;
  double s = (ab * e - bb * d) / denom, t = (aa * e - ab * d) / denom;
  if (!a.accept(s, slackA) || !b.accept(t, slackB)) return;
  const QvGePoint3d pa = a.at(s), pb = b.at(t);
  if (pa.distanceTo(pb) > eps) return;
  out.add(s, t, pa, pb, QvGe::kIntCrossing);
}

void intersectLineConic(const QvGeLinearEnt3d& lineEnt, const Conic& c, const QvGeTol& tol,
                        bool swapped, IntSink& out) {
  const Straight line = straightOf(lineEnt);
  const double eps = tol.equalPoint();
  const double speed = line.dir.length();
  if (!(speed > 0.0)) return;  // a point: left to the general method's callers
  const double slackS = slackFor(eps, speed);
  const double slackT = slackFor(eps, std::min(c.a, c.b));
  const QvGeVector3d n = normalOf(c);
  const QvGeVector3d u = line.dir / speed;

  if (std::fabs(u.dotProduct(n)) <= tol.equalVector()) {
    // Parallel to the conic's plane: in it, or no point.
    if (std::fabs((line.base - c.center).dotProduct(n)) > eps) return;
    // In the conic's scaled frame the conic is the unit circle and the line stays a line.
    const QvGeVector3d r = line.base - c.center;
    const double x0 = r.dotProduct(c.major) / c.a, y0 = r.dotProduct(c.minor) / c.b;
    const double dx = line.dir.dotProduct(c.major) / c.a, dy = line.dir.dotProduct(c.minor) / c.b;
    const double d2 = dx * dx + dy * dy;
    const double sFoot = -(x0 * dx + y0 * dy) / d2;
    const double fx = x0 + sFoot * dx, fy = y0 + sFoot * dy;
    const double h = std::hypot(fx, fy);
    const double scaledTol = eps / std::min(c.a, c.b);
    if (h > 1.0 + scaledTol) return;
    const double halfChord = h < 1.0 ? std::sqrt((1.0 - h) * (1.0 + h) / d2) : 0.0;
    if (halfChord * speed <= eps) {
      // Touching: one point, where the foot meets the conic.
      double s = sFoot, theta = std::atan2(fy, fx);
      if (h == 0.0) return;
      if (line.accept(s, slackS) && acceptAngle(c, theta, slackT))
        addLineConic(s, theta, line, c, swapped, QvGe::kIntTangent, out);
      return;
    }
    for (double sign : {-1.0, 1.0}) {
      double s = sFoot + sign * halfChord;
      double theta = std::atan2(y0 + s * dy, x0 + s * dx);
      if (line.accept(s, slackS) && acceptAngle(c, theta, slackT))
        addLineConic(s, theta, line, c, swapped, QvGe::kIntCrossing, out);
    }
    return;
  }

  // Across the plane: the one point where the line meets it.
  double s = (c.center - line.base).dotProduct(n) / line.dir.dotProduct(n);
  if (!line.accept(s, slackS)) return;
  const QvGePoint3d p = line.at(s);
  double theta = c.closestParamOnCarrier(p);
  if (c.at(theta).distanceTo(p) > eps) return;
  if (!acceptAngle(c, theta, slackT)) return;
  addLineConic(s, theta, line, c, swapped, QvGe::kIntCrossing, out);
}

void intersectCircles(const Conic& a, const Conic& b, const QvGeTol& tol, IntSink& out) {
  const double eps = tol.equalPoint();
  const QvGeVector3d na = normalOf(a), nb = normalOf(b);
  const double slackA = slackFor(eps, a.a), slackB = slackFor(eps, b.a);
  auto addPoint = [&](const QvGePoint3d& p, QvGe::IntConfig config) {
    double ta = a.frameAngle(p), tb = b.frameAngle(p);
    if (a.at(ta).distanceTo(p) > eps || b.at(tb).distanceTo(p) > eps) return;
    if (acceptAngle(a, ta, slackA) && acceptAngle(b, tb, slackB))
      out.add(ta, tb, a.at(ta), b.at(tb), config);
  };

  if (na.crossProduct(nb).length() > tol.equalVector()) {
    // Planes that cross: the common line meets circle a; those points must also be on b.
    const QvGeVector3d dir = na.crossProduct(nb).normal();
    const QvGeVector3d across = dir.crossProduct(na);
    const double denom = across.dotProduct(nb);
    const QvGePoint3d base = a.center + across * ((b.center - a.center).dotProduct(nb) / denom);
    // In a's plane: base + s dir against the circle.
    const QvGeVector3d r = base - a.center;
    const double sFoot = -r.dotProduct(dir);
    const QvGePoint3d foot = base + dir * sFoot;
    const double h = foot.distanceTo(a.center);
    if (h > a.a + eps) return;
    const double half = h < a.a ? std::sqrt((a.a - h) * (a.a + h)) : 0.0;
    if (half <= eps) {
      addPoint(a.center + (foot - a.center) * (a.a / std::max(h, 1e-300)), QvGe::kIntTangent);
      return;
    }
    addPoint(foot - dir * half, QvGe::kIntCrossing);
    addPoint(foot + dir * half, QvGe::kIntCrossing);
    return;
  }

  // Parallel planes: nothing unless the same plane.
  if (std::fabs((b.center - a.center).dotProduct(na)) > eps) return;
  const QvGeVector3d dvec = b.center - a.center;
  const double d = dvec.length();
  if (d <= eps && std::fabs(a.a - b.a) <= eps) {
    coincidentCircles(a, b, slackA, out);
    return;
  }
  const double ra = a.a, rb = b.a;
  if (d <= eps) return;  // concentric, different radii
  if (d > ra + rb + eps || d < std::fabs(ra - rb) - eps) return;
  const QvGeVector3d u = dvec / d;
  if (std::fabs(d - (ra + rb)) <= eps) {
    addPoint(a.center + u * ra, QvGe::kIntTangent);
    return;
  }
  if (std::fabs(d - std::fabs(ra - rb)) <= eps) {
    addPoint(a.center + u * (ra >= rb ? ra : -ra), QvGe::kIntTangent);
    return;
  }
  const double along = (ra * ra - rb * rb + d * d) / (2.0 * d);
  const double h = std::sqrt(std::max(0.0, ra * ra - along * along));
  const QvGeVector3d v = na.crossProduct(u);
  const QvGePoint3d mid = a.center + u * along;
  addPoint(mid - v * h, QvGe::kIntCrossing);
  addPoint(mid + v * h, QvGe::kIntCrossing);
}

}  // namespace qvge_detail
