// Hatch trimming, last phase: the boundary curves of a kept region as new hatch loops, one per
// closed chain, each chained end to end in the hatch's plane.
#include <cmath>
#include <deque>
#include <memory>

#include "cmdutil/hatchtrim/TrimHatchLoop.h"
#include "cmdutil/hatchtrim/TrimHatchSupport.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeEllipArc2d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/modeler/QvDbRegion.h"
#include "xqcmdutil/CTrimHatch.h"
#include "xqcmdutil/XqDbUtil.h"

using namespace xq_hatchtrim;

namespace {

QvGePoint2d flat(const QvGePoint3d& p) {
  return QvGePoint2d(p.x, p.y);
}

QvGeVector2d flat(const QvGeVector3d& v) {
  return QvGeVector2d(v.x, v.y);
}

// The curve, already in plane coordinates, as a 2D edge and its type; null for other kinds.
QvGeCurve2d* edgeOf(QvGeCurve3d& curve, int& type) {
  switch (curve.type()) {
    case QvGe::kCircArc3d: {
      const auto& arc = static_cast<const QvGeCircArc3d&>(curve);
      const QvGePoint2d c = flat(arc.center());
      type = QvDbHatch::kCirArc;
      if (arc.isClosed()) return new QvGeCircArc2d(c, arc.radius());
      // The same points, counterclockwise about +z.
      const bool up = arc.normal().z > 0.0;
      const QvGePoint2d s = flat(up ? arc.startPoint() : arc.endPoint());
      const QvGePoint2d e = flat(up ? arc.endPoint() : arc.startPoint());
      double from = std::atan2(s.y - c.y, s.x - c.x);
      double to = std::atan2(e.y - c.y, e.x - c.x);
      if (from < 0.0) from += QvGe::k2Pi;
      while (to <= from) to += QvGe::k2Pi;
      return new QvGeCircArc2d(c, arc.radius(), from, to);
    }
    case QvGe::kEllipArc3d: {
      const auto& arc = static_cast<const QvGeEllipArc3d&>(curve);
      type = QvDbHatch::kEllArc;
      return new QvGeEllipArc2d(flat(arc.center()), flat(arc.majorAxis()), flat(arc.minorAxis()),
                                arc.majorRadius(), arc.minorRadius(), arc.startAng(), arc.endAng());
    }
    case QvGe::kLineSeg3d: {
      const auto& line = static_cast<const QvGeLineSeg3d&>(curve);
      type = QvDbHatch::kLine;
      return new QvGeLineSeg2d(flat(line.startPoint()), flat(line.endPoint()));
    }
    case QvGe::kNurbCurve3d: {
      const auto& nurbs = static_cast<const QvGeNurbCurve3d&>(curve);
      QvGePoint2dArray poles;
      QvGeDoubleArray knots, weights;
      for (int i = 0; i < nurbs.numControlPoints(); ++i) {
        poles.append(flat(nurbs.controlPointAt(i)));
        if (nurbs.isRational()) weights.append(nurbs.weightAt(i));
      }
      for (int i = 0; i < nurbs.numKnots(); ++i) knots.append(nurbs.knotAt(i));
      type = QvDbHatch::kSpline;
      return new QvGeNurbCurve2d(nurbs.degree(), knots, poles, weights);
    }
    default:
      return nullptr;
  }
}

struct Edge {
  std::unique_ptr<QvGeCurve2d> curve;
  int type = 0;
};

// Places the edge at a free end of the chain when it meets one (turned round as needed).
bool place(std::deque<Edge>& chain, Edge& edge) {
  const QvGePoint2d s = startOf(*edge.curve), e = endOf(*edge.curve);
  if (chain.empty()) {
    chain.push_back(std::move(edge));
    return true;
  }
  const QvGePoint2d head = startOf(*chain.front().curve), tail = endOf(*chain.back().curve);
  if (s.isEqualTo(tail)) {
    chain.push_back(std::move(edge));
  } else if (e.isEqualTo(tail)) {
    edge.curve->reverseParam();
    chain.push_back(std::move(edge));
  } else if (s.isEqualTo(head)) {
    edge.curve->reverseParam();
    chain.push_front(std::move(edge));
  } else if (e.isEqualTo(head)) {
    chain.push_front(std::move(edge));
  } else {
    return false;
  }
  return true;
}

}  // namespace

void CTrimHatch::_curvesToHatchEdges(const std::vector<QvDbCurve*>& curves,
                                     const QvGeVector3d& normal, const QvGeMatrix3d& worldToPlane,
                                     QvArray<QvGeCurve2d*>& edges, QvArray<int>& edgeTypes) {
  (void)normal;
  edges.removeAll();
  edgeTypes.removeAll();
  std::deque<Edge> chain;
  std::deque<Edge> waiting;
  for (const QvDbCurve* curve : curves) {
    if (!curve) continue;
    std::unique_ptr<QvGeCurve3d> ge(XqDbUtil::asQvGeCurve(curve));
    if (!ge || ge->transformBy(worldToPlane) != Vexa::eOk) continue;
    Edge edge;
    edge.curve.reset(edgeOf(*ge, edge.type));
    if (!edge.curve) continue;
    if (!place(chain, edge)) {
      waiting.push_back(std::move(edge));
      continue;
    }
    // Edges that met neither end before may meet the chain now.
    for (bool progress = true; progress && !waiting.empty();) {
      progress = false;
      for (auto it = waiting.begin(); it != waiting.end(); ++it)
        if (place(chain, *it)) {
          waiting.erase(it);
          progress = true;
          break;
        }
    }
  }
  // What never met the chain goes at its end, turned to run on from it where that is nearer.
  for (Edge& edge : waiting) {
    const QvGePoint2d tail = endOf(*chain.back().curve);
    if (startOf(*edge.curve).distanceTo(tail) > endOf(*edge.curve).distanceTo(tail))
      edge.curve->reverseParam();
    chain.push_back(std::move(edge));
  }
  for (Edge& edge : chain) {
    edges.append(edge.curve.release());
    edgeTypes.append(edge.type);
  }
}

bool CTrimHatch::_regionToLoops(const QvDbRegion* region, const QvDbHatch* hatch,
                                std::vector<Loop>& loops) {
  QvArray<QvDbEntity*> parts;
  if (region->explode(parts) != Vexa::eOk) return false;
  std::vector<std::unique_ptr<QvDbEntity>> owned;
  for (QvDbEntity* e : parts) owned.emplace_back(e);
  if (region->numFaces() > 1) {
    for (const auto& part : owned) {
      const QvDbRegion* face = QvDbRegion::cast(part.get());
      if (!face || !_regionToLoops(face, hatch, loops)) return false;
    }
    return true;
  }
  // One face: its curves, one closed chain per loop of the face (outer first).
  const QvGeMatrix3d toPlane = hatch->worldToPlane();
  const size_t first = loops.size();
  std::vector<QvDbCurve*> chain;
  QvGePoint3d chainStart;
  auto finish = [&]() {
    if (chain.empty()) return true;
    Loop loop;
    _curvesToHatchEdges(chain, hatch->normal(), toPlane, loop.edges.items, loop.types);
    chain.clear();
    if (loop.edges.items.isEmpty()) return false;
    loops.push_back(std::move(loop));
    return true;
  };
  for (const auto& part : owned) {
    QvDbCurve* curve = QvDbCurve::cast(part.get());
    if (!curve) return false;
    QvGePoint3d s, e;
    curve->getStartPoint(s);
    curve->getEndPoint(e);
    if (chain.empty()) chainStart = s;
    chain.push_back(curve);
    // A loop of the face ends where its chain comes back to its start.
    if (e.isEqualTo(chainStart) || curve->isClosed())
      if (!finish()) return false;
  }
  if (!finish()) return false;
  if (loops.size() == first) return false;
  // The seed of the face: its centroid, in the hatch's plane coordinates.
  const QvGeVector3d n = hatch->normal();
  const QvGeVector3d x = n.perpVector().normal(), y = n.crossProduct(x);
  QvGePoint3d origin = QvGePoint3d::kOrigin;
  origin.transformBy(hatch->planeToWorld());
  double perimeter, area, moments[2], product, principal[2], radii[2];
  QvGePoint2d centroid, low, high;
  QvGeVector2d axes[2];
  if (region->getAreaProp(origin, x, y, perimeter, area, centroid, moments, product, principal,
                          axes, radii, low, high) != Vexa::eOk)
    return false;
  QvGePoint3d world = origin + x * centroid.x + y * centroid.y;
  world.transformBy(toPlane);
  loops[first].seed = QvGePoint2d(world.x, world.y);
  loops[first].hasSeed = true;
  return true;
}
