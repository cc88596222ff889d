#include "sdk/db/detail/SegmentChain.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/QvGeRay3d.h"

namespace qvdb_detail {

namespace {

constexpr double kFlatBulge = 1e-12;

// An arc segment in chain coordinates (the plane z = const of its first vertex).
struct ChainArc {
  QvGePoint3d center;
  double radius = 0.0;
  double sweep = 0.0;  // unsigned angle
  double sense = 1.0;  // +1 counterclockwise about the chain's z axis, -1 clockwise
};

bool isArcSegment(const QvGePoint3d& a, const QvGePoint3d& b, double bulge) {
  return std::fabs(bulge) > kFlatBulge && a.distanceTo(b) > QvGeContext::gTol.equalPoint();
}

ChainArc chainArc(const QvGePoint3d& a, const QvGePoint3d& b, double bulge) {
  const QvGeVector3d chord(b.x - a.x, b.y - a.y, 0.0);
  const double d = chord.length();
  const QvGeVector3d left(-chord.y / d, chord.x / d, 0.0);
  const QvGePoint3d mid(0.5 * (a.x + b.x), 0.5 * (a.y + b.y), a.z);
  ChainArc arc;
  arc.center = mid + left * (d * (1.0 - bulge * bulge) / (4.0 * bulge));
  arc.radius = QvGeVector3d(a.x - arc.center.x, a.y - arc.center.y, 0.0).length();
  arc.sweep = 4.0 * std::atan(std::fabs(bulge));
  arc.sense = bulge > 0.0 ? 1.0 : -1.0;
  return arc;
}

// The point of an arc turned from `from` about the center by `angle` (in the arc's sense).
QvGePoint3d turned(const ChainArc& arc, const QvGePoint3d& from, double angle) {
  const double c = std::cos(arc.sense * angle), s = std::sin(arc.sense * angle);
  const double x = from.x - arc.center.x, y = from.y - arc.center.y;
  return {arc.center.x + c * x - s * y, arc.center.y + s * x + c * y, from.z};
}

// The angle from one point to another about the arc's center, in the arc's sense, in [0, 2pi).
double angleBetween(const ChainArc& arc, const QvGePoint3d& from, const QvGePoint3d& to) {
  const double a0 = std::atan2(from.y - arc.center.y, from.x - arc.center.x);
  const double a1 = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
  double a = arc.sense * (a1 - a0);
  a = std::fmod(a, QvGe::k2Pi);
  if (a < 0.0) a += QvGe::k2Pi;
  return a;
}

double lerp(double a, double b, double f) {
  return a + (b - a) * f;
}

// The distance from a point to the line through `point` along a unit direction.
double distanceToSightLine(const QvGePoint3d& p, const QvGePoint3d& point,
                           const QvGeVector3d& unit) {
  const QvGeVector3d r = p - point;
  return (r - unit * r.dotProduct(unit)).length();
}

}  // namespace

const QvGeCurve3d& ChainSegment::curve() const {
  return isArc ? static_cast<const QvGeCurve3d&>(arc) : line;
}

double ChainSegment::span() const {
  return isArc ? arc.endAng() - arc.startAng() : 1.0;
}

double ChainSegment::lower() const {
  return isArc ? arc.startAng() : 0.0;
}

SegmentChain::SegmentChain(const std::vector<ChainVertex>& vertices, bool closed,
                           const QvGeMatrix3d& toWorld, const QvGeVector3d& normal)
    : vertices_(vertices),
      closed_(closed),
      toWorld_(toWorld),
      toChain_(toWorld.inverse()),
      normal_(normal.normal()) {}

int SegmentChain::numSegments() const {
  const int n = numVertices();
  if (n < 2) return 0;
  return closed_ ? n : n - 1;
}

QvGePoint3d SegmentChain::worldPoint(const QvGePoint3d& chainPoint) const {
  QvGePoint3d p = chainPoint;
  return p.transformBy(toWorld_);
}

QvGePoint3d SegmentChain::vertexAt(int i) const {
  return worldPoint(vertices_[static_cast<size_t>(i)].point);
}

bool SegmentChain::segmentAt(int i, ChainSegment& segment) const {
  if (i < 0 || i >= numSegments()) return false;
  const ChainVertex& va = vertices_[static_cast<size_t>(i)];
  const ChainVertex& vb = vertices_[static_cast<size_t>((i + 1) % numVertices())];
  const QvGePoint3d a = worldPoint(va.point), b = worldPoint(vb.point);
  segment.isArc = isArcSegment(va.point, vb.point, va.bulge);
  if (!segment.isArc) {
    segment.line.set(a, b);
    return true;
  }
  const ChainArc arc = chainArc(va.point, vb.point, va.bulge);
  const QvGePoint3d center = worldPoint(arc.center);
  segment.arc.set(center, normal_ * arc.sense, a - center, arc.radius, 0.0, arc.sweep);
  return true;
}

bool SegmentChain::containsParam(double param) const {
  const double end = endParam();
  const double tol = paramTolerance(0.0, end);
  return std::isfinite(param) && param >= -tol && param <= end + tol;
}

int SegmentChain::segmentOf(double param, double& fraction) const {
  const int n = numSegments();
  int i = static_cast<int>(std::floor(param));
  i = std::clamp(i, 0, std::max(n - 1, 0));
  fraction = param - i;
  return i;
}

QvGePoint3d SegmentChain::pointAt(double param) const {
  QvGePoint3d point;
  evaluate(param, 0, point, nullptr);
  return point;
}

void SegmentChain::evaluate(double param, int numDeriv, QvGePoint3d& point,
                            QvGeVector3d* derivs) const {
  double f = 0.0;
  const int i = segmentOf(param, f);
  ChainSegment seg;
  if (!segmentAt(i, seg)) {
    point = numVertices() > 0 ? vertexAt(0) : QvGePoint3d();
    for (int k = 0; k < numDeriv; ++k) derivs[k] = QvGeVector3d();
    return;
  }
  const double span = seg.span();
  seg.curve().evalDerivatives(seg.lower() + f * span, numDeriv, point, derivs);
  double factor = 1.0;
  for (int k = 0; k < numDeriv; ++k) {
    factor *= span;
    derivs[k] *= factor;
  }
}

bool SegmentChain::paramOf(const QvGePoint3d& point, double tol, double& param) const {
  ChainSegment seg;
  for (int i = 0; i < numSegments(); ++i) {
    if (!segmentAt(i, seg)) continue;
    double t = 0.0;
    if (seg.curve().closestPointTo(point, t).distanceTo(point) <= tol) {
      param = i + (t - seg.lower()) / seg.span();
      return true;
    }
  }
  // A single vertex holds parameter 0.
  if (numSegments() == 0 && numVertices() == 1 && vertexAt(0).distanceTo(point) <= tol) {
    param = 0.0;
    return true;
  }
  return false;
}

double SegmentChain::distAt(double param) const {
  double f = 0.0;
  const int last = segmentOf(param, f);
  double dist = 0.0;
  ChainSegment seg;
  for (int i = 0; i < last; ++i)
    if (segmentAt(i, seg)) dist += seg.curve().length();
  if (segmentAt(last, seg)) dist += seg.curve().length() * f;
  return dist;
}

bool SegmentChain::paramAtDist(double dist, double& param) const {
  if (!(dist >= 0.0)) return false;
  double walked = 0.0;
  ChainSegment seg;
  const int n = numSegments();
  for (int i = 0; i < n; ++i) {
    if (!segmentAt(i, seg)) continue;
    const double len = seg.curve().length();
    if (len > 0.0 && dist <= walked + len) {
      param = i + (dist - walked) / len;  // length grows linearly along lines and arcs
      return true;
    }
    walked += len;
  }
  constexpr double kSlack = QvGePrecision::kRoundoff;
  if (n > 0 && dist <= walked * (1.0 + kSlack) + kSlack) {
    param = endParam();
    return true;
  }
  return false;
}

double SegmentChain::length() const {
  return distAt(endParam());
}

QvGePoint3d SegmentChain::closestPointTo(const QvGePoint3d& point, bool extend,
                                         double& param) const {
  QvGePoint3d best = numVertices() > 0 ? vertexAt(0) : QvGePoint3d();
  double bestDist = best.distanceTo(point);
  param = 0.0;
  ChainSegment seg;
  for (int i = 0; i < numSegments(); ++i) {
    if (!segmentAt(i, seg)) continue;
    double t = 0.0;
    const QvGePoint3d p = seg.curve().closestPointTo(point, t);
    if (p.distanceTo(point) < bestDist) {
      bestDist = p.distanceTo(point);
      best = p;
      param = i + (t - seg.lower()) / seg.span();
    }
  }
  if (extend && !closed_) {
    for (bool atStart : {true, false}) {
      GeCurveBuffer buffer;
      const QvGeCurve3d* carrier = endCarrier(atStart, buffer);
      if (!carrier) continue;
      const QvGePoint3d p = carrier->closestPointTo(point);
      if (p.distanceTo(point) < bestDist) {
        bestDist = p.distanceTo(point);
        best = p;
        param = atStart ? 0.0 : endParam();
      }
    }
  }
  return best;
}

bool SegmentChain::projClosestPointTo(const QvGePoint3d& point, const QvGeVector3d& direction,
                                      bool extend, QvGePoint3d& result) const {
  if (direction.isZeroLength() || numVertices() == 0) return false;
  const QvGeVector3d unit = direction.normal();
  // Seen along the normal of a flat chain: the nearest point to the point's foot.
  if (unit.isParallelTo(normal_)) {
    const QvGePlane plane(vertexAt(0), normal_);
    bool flat = true;
    for (int i = 1; i < numVertices() && flat; ++i)
      flat = std::fabs(plane.signedDistanceTo(vertexAt(i))) <= pointTolerance(vertexAt(i));
    if (flat) {
      double param = 0.0;
      result = closestPointTo(plane.closestPointTo(point), extend, param);
      return true;
    }
  }
  QvGePoint3d best = vertexAt(0);
  double bestDist = distanceToSightLine(best, point, unit);
  auto consider = [&](const QvGeCurve3d& curve) {
    QvGePoint3d p;
    double t = 0.0;
    if (!curve.projClosestPointTo(point, unit, p, t)) return;
    const double d = distanceToSightLine(p, point, unit);
    if (d < bestDist) {
      bestDist = d;
      best = p;
    }
  };
  ChainSegment seg;
  for (int i = 0; i < numSegments(); ++i)
    if (segmentAt(i, seg)) consider(seg.curve());
  if (extend && !closed_) {
    for (bool atStart : {true, false}) {
      GeCurveBuffer buffer;
      if (const QvGeCurve3d* carrier = endCarrier(atStart, buffer)) consider(*carrier);
    }
  }
  result = best;
  return true;
}

void SegmentChain::outlineCurves(bool extend, QvArray<QvGeCurve3d*>& curves) const {
  const int n = numSegments();
  ChainSegment seg;
  for (int i = 0; i < n; ++i) {
    if (!segmentAt(i, seg) || (!seg.isArc && seg.line.length() == 0.0)) continue;
    const bool first = i == 0, last = i == n - 1;
    if (!extend || closed_ || (!first && !last)) {
      curves.append(seg.curve().copy());
    } else if (!seg.isArc && first && last) {
      curves.append(new QvGeLine3d(seg.line.startPoint(), seg.line.endPoint()));
    } else {
      GeCurveBuffer buffer;
      curves.append(endCarrier(first, buffer)->copy());
    }
  }
}

const QvGeCurve3d* SegmentChain::endCarrier(bool atStart, GeCurveBuffer& buffer) const {
  const int n = numSegments();
  ChainSegment seg;
  if (n == 0 || !segmentAt(atStart ? 0 : n - 1, seg)) return nullptr;
  if (seg.isArc)
    return &buffer.emplace<QvGeCircArc3d>(seg.arc.center(), seg.arc.normal(), seg.arc.radius());
  if (seg.line.length() == 0.0) return nullptr;
  if (atStart) return &buffer.emplace<QvGeRay3d>(seg.line.endPoint(), seg.line.startPoint());
  return &buffer.emplace<QvGeRay3d>(seg.line.startPoint(), seg.line.endPoint());
}

bool SegmentChain::isArcAt(int segment) const {
  const int n = numVertices();
  const ChainVertex& va = vertices_[static_cast<size_t>(segment)];
  const ChainVertex& vb = vertices_[static_cast<size_t>((segment + 1) % n)];
  return isArcSegment(va.point, vb.point, va.bulge);
}

QvGePoint3d SegmentChain::chainPointAt(int segment, double fraction) const {
  const int n = numVertices();
  const ChainVertex& va = vertices_[static_cast<size_t>(segment)];
  const ChainVertex& vb = vertices_[static_cast<size_t>((segment + 1) % n)];
  if (!isArcSegment(va.point, vb.point, va.bulge))
    return va.point + (vb.point - va.point) * fraction;
  const ChainArc arc = chainArc(va.point, vb.point, va.bulge);
  return turned(arc, va.point, fraction * arc.sweep);
}

std::vector<ChainVertex> SegmentChain::reversed(const std::vector<ChainVertex>& vertices,
                                                bool closed, std::vector<int>* order) {
  const int n = static_cast<int>(vertices.size());
  // New vertex k is old vertex n-1-k (open), or old (n-k) % n (closed: the first stays).
  auto oldIndex = [n, closed](int k) { return closed ? (n - k) % n : n - 1 - k; };
  std::vector<ChainVertex> out(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) {
    out[static_cast<size_t>(k)] = vertices[static_cast<size_t>(oldIndex(k))];
    out[static_cast<size_t>(k)].bulge = 0.0;
    out[static_cast<size_t>(k)].startWidth = out[static_cast<size_t>(k)].endWidth = 0.0;
  }
  if (order) {
    order->clear();
    for (int k = 0; k < n; ++k) order->push_back(oldIndex(k));
  }
  // The new segment leaving new vertex k is the old one arriving at old vertex oldIndex(k),
  // which left old vertex oldIndex(k + 1).
  const int segments = n < 2 ? 0 : (closed ? n : n - 1);
  for (int k = 0; k < segments; ++k) {
    const ChainVertex& old = vertices[static_cast<size_t>(oldIndex((k + 1) % n))];
    ChainVertex& v = out[static_cast<size_t>(k)];
    v.bulge = -old.bulge;
    v.startWidth = old.endWidth;
    v.endWidth = old.startWidth;
  }
  return out;
}

double SegmentChain::partialBulge(double bulge, double fromFraction, double toFraction) {
  if (std::fabs(bulge) <= kFlatBulge) return 0.0;
  const double sweep = 4.0 * std::atan(std::fabs(bulge)) * (toFraction - fromFraction);
  return (bulge > 0.0 ? 1.0 : -1.0) * std::tan(0.25 * sweep);
}

ChainVertex SegmentChain::cutVertex(int segment, double fraction) const {
  const ChainVertex& v = vertices_[static_cast<size_t>(segment)];
  ChainVertex cut = v;
  if (fraction != 0.0) {
    cut.point = chainPointAt(segment, fraction);
    cut.identifier = 0;
  }
  return cut;
}

std::vector<ChainVertex> SegmentChain::piece(double from, double to) const {
  std::vector<ChainVertex> out;
  const int n = numSegments();
  if (n == 0 || !(to > from)) return out;
  const double tiny = paramTolerance(from, to);
  for (int k = static_cast<int>(std::floor(from)); k < to - tiny; ++k) {
    const double a = std::max(from, static_cast<double>(k));
    const double b = std::min(to, static_cast<double>(k + 1));
    if (b - a <= tiny) continue;
    const int seg = ((k % n) + n) % n;
    const double fa = a - k, fb = b - k;
    const ChainVertex& v = vertices_[static_cast<size_t>(seg)];
    ChainVertex cut = cutVertex(seg, fa);
    cut.bulge = partialBulge(v.bulge, fa, fb);
    cut.startWidth = lerp(v.startWidth, v.endWidth, fa);
    cut.endWidth = lerp(v.startWidth, v.endWidth, fb);
    out.push_back(cut);
  }
  // The end of the piece: a vertex of the chain, or a point inside the last segment.
  const int kEnd = static_cast<int>(std::ceil(to - tiny)) - 1;
  const int seg = ((kEnd % n) + n) % n;
  const double f = std::min(to - kEnd, 1.0);
  const ChainVertex& v = vertices_[static_cast<size_t>(seg)];
  ChainVertex last = f >= 1.0 - tiny ? vertices_[static_cast<size_t>((seg + 1) % numVertices())]
                                     : cutVertex(seg, f);
  last.bulge = 0.0;
  last.startWidth = last.endWidth = lerp(v.startWidth, v.endWidth, f);
  out.push_back(last);
  return out;
}

double SegmentChain::signedArea() const {
  const int n = numVertices();
  if (n < 2) return 0.0;
  // Twice the vector area of the polygon through the vertices (closed by its chord), then the
  // circular segments the arcs add or take away.
  QvGeVector3d twice;
  const QvGePoint3d origin = vertexAt(0);
  for (int i = 0; i < n; ++i) {
    const QvGeVector3d a = vertexAt(i) - origin;
    const QvGeVector3d b = vertexAt((i + 1) % n) - origin;
    twice += a.crossProduct(b);
  }
  double area = 0.5 * twice.dotProduct(normal_);
  for (int i = 0; i < numSegments(); ++i) {
    const ChainVertex& va = vertices_[static_cast<size_t>(i)];
    const ChainVertex& vb = vertices_[static_cast<size_t>((i + 1) % n)];
    if (!isArcSegment(va.point, vb.point, va.bulge)) continue;
    const ChainArc arc = chainArc(va.point, vb.point, va.bulge);
    // An arc bulging to the right of its travel (positive bulge) lies outside a polygon that
    // runs counterclockwise.
    area += arc.sense * 0.5 * arc.radius * arc.radius * (arc.sweep - std::sin(arc.sweep));
  }
  return area;
}

QvGeExtents3d SegmentChain::extents() const {
  QvGeExtents3d box;
  ChainSegment seg;
  for (int i = 0; i < numSegments(); ++i) {
    if (!segmentAt(i, seg)) continue;
    const QvGeBoundBlock3d block = seg.curve().orthoBoundBlock();
    box.addPoint(block.minPoint());
    box.addPoint(block.maxPoint());
  }
  if (numSegments() == 0 && numVertices() > 0) box.addPoint(vertexAt(0));
  return box;
}

Vexa::ErrorStatus SegmentChain::extensionToParam(double param, EndChange& change) const {
  const int n = numSegments();
  if (closed_ || n == 0) return Vexa::eNotApplicable;
  if (!std::isfinite(param)) return Vexa::eInvalidInput;
  if (containsParam(param)) return Vexa::eInvalidInput;
  change.atStart = param < 0.0;
  const int seg = change.atStart ? 0 : n - 1;
  const ChainVertex& va = vertices_[static_cast<size_t>(seg)];
  const ChainVertex& vb = vertices_[static_cast<size_t>(seg + 1)];
  if (va.point.distanceTo(vb.point) <= QvGeContext::gTol.equalPoint()) return Vexa::eNotApplicable;
  // The fraction range the grown end segment covers.
  const double from = change.atStart ? param : 0.0;
  const double to = change.atStart ? 1.0 : param - seg;
  if (isArcSegment(va.point, vb.point, va.bulge) &&
      4.0 * std::atan(std::fabs(va.bulge)) * (to - from) >= QvGe::k2Pi)
    return Vexa::eInvalidInput;  // more than a whole turn
  change.point = chainPointAt(seg, change.atStart ? from : to);
  change.bulge = partialBulge(va.bulge, from, to);
  return Vexa::eOk;
}

Vexa::ErrorStatus SegmentChain::extensionToPoint(bool atStart, const QvGePoint3d& point, double tol,
                                                 EndChange& change) const {
  const int n = numSegments();
  if (closed_ || n == 0) return Vexa::eNotApplicable;
  const int seg = atStart ? 0 : n - 1;
  const ChainVertex& va = vertices_[static_cast<size_t>(seg)];
  const ChainVertex& vb = vertices_[static_cast<size_t>(seg + 1)];
  if (va.point.distanceTo(vb.point) <= QvGeContext::gTol.equalPoint()) return Vexa::eNotApplicable;
  QvGePoint3d p = point;
  p.transformBy(toChain_);
  change.atStart = atStart;
  if (!isArcSegment(va.point, vb.point, va.bulge)) {
    const QvGeVector3d dir = vb.point - va.point;
    const double t = (p - va.point).dotProduct(dir) / dir.lengthSqrd();
    if ((va.point + dir * t).distanceTo(p) > tol) return Vexa::eInvalidInput;
    if (atStart ? t >= 0.0 : t <= 1.0) return Vexa::eInvalidInput;
    change.point = p;
    change.bulge = 0.0;
    return Vexa::eOk;
  }
  const ChainArc arc = chainArc(va.point, vb.point, va.bulge);
  const double r = QvGeVector3d(p.x - arc.center.x, p.y - arc.center.y, 0.0).length();
  if (std::fabs(r - arc.radius) + std::fabs(p.z - va.point.z) > tol) return Vexa::eInvalidInput;
  const double sweep = atStart ? angleBetween(arc, p, vb.point) : angleBetween(arc, va.point, p);
  if (sweep <= arc.sweep + paramTolerance(0.0, QvGe::k2Pi)) return Vexa::eInvalidInput;
  change.point = QvGePoint3d(p.x, p.y, va.point.z);
  change.bulge = arc.sense * std::tan(0.25 * sweep);
  return Vexa::eOk;
}

}  // namespace qvdb_detail
