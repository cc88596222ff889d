#include "sdk/db/detail/HatchEvaluation.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sdk/db/detail/PlanarArea.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix2d.h"

namespace qvdb_detail {

namespace {

// Ends closer than this share of the loop's size meet.
constexpr double kJoinShare = 1e-9;
// Rings follow curved edges within this share of the hatch's size.
constexpr double kRingChordShare = 2e-4;

HatchEdge segment(const QvGePoint2d& a, const QvGePoint2d& b, double bulge) {
  if (bulge == 0.0 || a.isEqualTo(b)) return std::make_shared<QvGeLineSeg2d>(a, b);
  const QvGeVector2d chord = b - a;
  const QvGeVector2d left(-chord.y, chord.x);
  // The middle of the arc lies the sagitta (bulge x half the chord) to the right of a -> b for a
  // counterclockwise arc.
  const QvGePoint2d middle = a + chord * 0.5 - left * (0.5 * bulge);
  auto arc = std::make_shared<QvGeCircArc2d>(a, middle, b);
  if (!arc->isValid()) return std::make_shared<QvGeLineSeg2d>(a, b);
  return arc;
}

// Twice the signed area of the triangle (ref, a, b).
double cross(const QvGePoint2d& ref, const QvGePoint2d& a, const QvGePoint2d& b) {
  return (a.x - ref.x) * (b.y - ref.y) - (a.y - ref.y) * (b.x - ref.x);
}

// The edge's own share of twice the enclosed area: the integral of x dy - y dx along it,
// measured from `ref` (near the loops, so that far from the origin nothing cancels out).
double edgeIntegral(const QvGeCurve2d& edge, const QvGePoint2d& ref) {
  std::unique_ptr<QvGeCurve2d> local(static_cast<QvGeCurve2d*>(edge.copy()));
  local->transformBy(QvGeMatrix2d::translation(QvGePoint2d::kOrigin - ref));
  QvGePoint2d s, e;
  if (!local->hasStartPoint(s) || !local->hasEndPoint(e)) return 0.0;
  return 2.0 * planarArea(*local) + (s.x * e.y - s.y * e.x);
}

QvGePoint2d startOf(const QvGeCurve2d& edge) {
  QvGePoint2d p;
  edge.hasStartPoint(p);
  return p;
}

QvGePoint2d endOf(const QvGeCurve2d& edge) {
  QvGePoint2d p;
  edge.hasEndPoint(p);
  return p;
}

HatchEdge reversed(const QvGeCurve2d& edge) {
  std::shared_ptr<QvGeCurve2d> copy(static_cast<QvGeCurve2d*>(edge.copy()));
  copy->reverseParam();
  return copy;
}

// Files hold edges that run against their loop: such an edge (its end, not its start, meets
// where the chain has got to) is turned round, so that area and drawing follow the chain. The
// first edge is turned when only its start meets the second.
void orientEdges(std::vector<HatchEdge>& edges, double join) {
  if (edges.size() < 2) return;
  const QvGePoint2d s1 = startOf(*edges[1]), e1 = endOf(*edges[1]);
  auto meets = [&](const QvGePoint2d& p) {
    return p.distanceTo(s1) <= join || p.distanceTo(e1) <= join;
  };
  if (!meets(endOf(*edges[0])) && meets(startOf(*edges[0]))) edges[0] = reversed(*edges[0]);
  for (size_t k = 1; k < edges.size(); ++k) {
    const QvGePoint2d at = endOf(*edges[k - 1]);
    if (startOf(*edges[k]).distanceTo(at) > join && endOf(*edges[k]).distanceTo(at) <= join)
      edges[k] = reversed(*edges[k]);
  }
}

}  // namespace

std::vector<HatchEdge> polylineLoopEdges(const std::vector<QvGePoint2d>& vertices,
                                         const std::vector<double>& bulges, bool closed) {
  std::vector<HatchEdge> edges;
  const size_t n = vertices.size();
  if (n < 2) return edges;
  auto bulgeAt = [&](size_t i) { return i < bulges.size() ? bulges[i] : 0.0; };
  for (size_t i = 0; i + 1 < n; ++i)
    edges.push_back(segment(vertices[i], vertices[i + 1], bulgeAt(i)));
  if (closed || !vertices.back().isEqualTo(vertices.front()))
    edges.push_back(segment(vertices.back(), vertices.front(), closed ? bulgeAt(n - 1) : 0.0));
  return edges;
}

bool insideRing(const std::vector<QvGePoint2d>& ring, const QvGePoint2d& point) {
  bool inside = false;
  const size_t n = ring.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const QvGePoint2d& a = ring[i];
    const QvGePoint2d& b = ring[j];
    if ((a.y > point.y) != (b.y > point.y) &&
        point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

HatchEvaluation evaluateHatchLoops(std::vector<std::vector<HatchEdge>> loops) {
  HatchEvaluation out;
  for (auto& edges : loops) {
    HatchEvaluation::Loop loop;
    std::erase_if(edges, [](const HatchEdge& e) { return !e || !e->isBounded(); });
    loop.edges = std::move(edges);
    for (const HatchEdge& e : loop.edges) out.box.addExt(e->boundBlock());
    out.loops.push_back(std::move(loop));
  }
  if (out.loops.empty()) {
    out.status = Vexa::eInvalidInput;
    return out;
  }
  const double size = std::max(out.box.isValidExtents() ? out.box.diagonal() : 0.0, 1.0);
  const double join = kJoinShare * size;
  const double chord = kRingChordShare * size;
  const QvGePoint2d ref = out.box.isValidExtents()
                              ? out.box.minPoint() + (out.box.maxPoint() - out.box.minPoint()) * 0.5
                              : QvGePoint2d::kOrigin;

  for (HatchEvaluation::Loop& loop : out.loops) {
    orientEdges(loop.edges, join);
    double twice = 0.0;
    loop.closes = !loop.edges.empty();
    QvGePoint2d previousEnd;
    for (size_t k = 0; k < loop.edges.size(); ++k) {
      const QvGeCurve2d& e = *loop.edges[k];
      QvGeInterval interval;
      QvGePoint2d start, end;
      e.getInterval(interval, start, end);
      if (k > 0 && start.distanceTo(previousEnd) > join) {
        loop.closes = false;
        twice += cross(ref, previousEnd, start);  // the straight bridge
      }
      twice += edgeIntegral(e, ref);
      loop.length += e.length();
      QvGePoint2dArray points;
      e.getSamplePoints(interval.lowerBound(), interval.upperBound(), chord, points);
      for (int i = 0; i < points.length(); ++i)
        if (loop.ring.empty() || !loop.ring.back().isEqualTo(points[i]))
          loop.ring.push_back(points[i]);
      previousEnd = end;
    }
    if (!loop.ring.empty()) {
      const QvGePoint2d first = loop.ring.front();
      if (first.distanceTo(previousEnd) > join) loop.closes = false;
      twice += cross(ref, previousEnd, first);
      if (loop.ring.size() > 1 && loop.ring.back().isEqualTo(first)) loop.ring.pop_back();
    }
    loop.area = 0.5 * std::fabs(twice);
  }

  // Nesting: a loop lies inside another when a point of it does (loops do not cross).
  for (size_t i = 0; i < out.loops.size(); ++i) {
    HatchEvaluation::Loop& loop = out.loops[i];
    if (loop.ring.empty()) continue;
    const QvGePoint2d probe = loop.ring.front();
    for (size_t j = 0; j < out.loops.size(); ++j)
      if (j != i && out.loops[j].ring.size() > 2 && insideRing(out.loops[j].ring, probe))
        ++loop.depth;
  }
  bool degenerate = false;
  for (const HatchEvaluation::Loop& loop : out.loops) {
    out.area += loop.depth % 2 == 0 ? loop.area : -loop.area;
    degenerate = degenerate || !(loop.area > join * join);
  }
  out.area = std::max(out.area, 0.0);
  if (std::any_of(out.loops.begin(), out.loops.end(),
                  [](const HatchEvaluation::Loop& l) { return !l.closes; }))
    out.status = Vexa::eInvalidInput;
  else if (degenerate)
    out.status = Vexa::eDegenerateGeometry;
  return out;
}

}  // namespace qvdb_detail
