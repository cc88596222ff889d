// Hatch trimming, second phase: the faces of the split pieces as regions, the face around each
// group of pieces dropped, nested faces made holes, and the survival test against the cutters.
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "cmdutil/hatchtrim/TrimHatchIndex.h"
#include "cmdutil/hatchtrim/TrimHatchSupport.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbImpObject.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "xqcmdutil/CTrimHatch.h"

using namespace xq_hatchtrim;

namespace {

// A turn smaller than this (radians) goes straight on.
constexpr double kAngleZero = 1e-10;
const QvGeTol kNodeTol(kMeetTol, kMeetTol);
// Areas measured by the modeler that differ by more than this share differ whatever its
// rounding (far above the share at which areas count as equal).
constexpr double kClearlyLarger = 1e-6;

struct PieceNode {
  QvGePoint3d point;
  std::vector<int> neighbours;  // node indices
  std::vector<int> pieces;      // piece indices, parallel to neighbours
};

struct Graph {
  std::vector<PieceNode> nodes;
  std::vector<int> closed;  // closed pieces
  // The nodes by place, when the search is indexed (cubes larger than the node tolerance).
  std::unique_ptr<PointGrid> index;
  std::vector<int> pieceNode;  // a node of each open piece (-1: none)
  std::vector<int> parent;     // the union-find of the nodes joined by pieces

  int group(int node) {
    while (parent[static_cast<size_t>(node)] != node)
      node = parent[static_cast<size_t>(node)] =
          parent[static_cast<size_t>(parent[static_cast<size_t>(node)])];
    return node;
  }
  void join(int a, int b) {
    a = group(a), b = group(b);
    if (a != b) parent[static_cast<size_t>(std::max(a, b))] = std::min(a, b);
  }
};

const QvDbCurve* curveAt(const CTrimHatch::PieceList& pieces, int i) {
  return QvDbCurve::cast(pieces[i].second);
}

// The last node at p that has pieces; -1 for none.
int findNode(const Graph& g, const QvGePoint3d& p) {
  int found = -1;
  auto consider = [&](int i) {
    const PieceNode& node = g.nodes[static_cast<size_t>(i)];
    if (i > found && !node.neighbours.empty() && node.point.isEqualTo(p, kNodeTol)) found = i;
  };
  if (g.index) {
    g.index->forNear(p, consider);
  } else {
    for (size_t i = 0; i < g.nodes.size(); ++i) consider(static_cast<int>(i));
  }
  return found;
}

int addNode(Graph& g, const QvGePoint3d& p) {
  const int i = static_cast<int>(g.nodes.size());
  g.nodes.push_back({p, {}, {}});
  g.parent.push_back(i);
  if (g.index) g.index->add(p, i);
  return i;
}

Graph buildGraph(const CTrimHatch::PieceList& pieces) {
  Graph g;
  g.pieceNode.assign(static_cast<size_t>(pieces.length()), -1);
  if (indexedSearch()) g.index = std::make_unique<PointGrid>(16.0 * kNodeTol.equalPoint());
  for (int i = 0; i < pieces.length(); ++i) {
    const QvDbCurve* curve = curveAt(pieces, i);
    if (!curve) continue;
    if (curve->isClosed()) {
      g.closed.push_back(i);
      continue;
    }
    QvGePoint3d s, e;
    if (curve->getStartPoint(s) != Vexa::eOk || curve->getEndPoint(e) != Vexa::eOk ||
        s.isEqualTo(e, kNodeTol))
      continue;
    int a = findNode(g, s), b = findNode(g, e);
    if (a < 0) a = addNode(g, s);
    if (b < 0) b = addNode(g, e);
    g.nodes[static_cast<size_t>(a)].neighbours.push_back(b);
    g.nodes[static_cast<size_t>(a)].pieces.push_back(i);
    g.nodes[static_cast<size_t>(b)].neighbours.push_back(a);
    g.nodes[static_cast<size_t>(b)].pieces.push_back(i);
    g.pieceNode[static_cast<size_t>(i)] = a;
    g.join(a, b);
  }
  return g;
}

// The direction in which the piece leaves the node (its tangent there, pointing into it).
QvGeVector3d leaving(const QvDbCurve* piece, const QvGePoint3d& node) {
  QvGePoint3d s;
  piece->getStartPoint(s);
  const bool atStart = s.isEqualTo(node, kNodeTol);
  double t = 0.0;
  atStart ? piece->getStartParam(t) : piece->getEndParam(t);
  QvGeVector3d d;
  if (piece->getFirstDeriv(t, d) == Vexa::eOk && !d.isZeroLength()) return atStart ? d : -d;
  double t0 = 0.0, t1 = 0.0;
  piece->getStartParam(t0);
  piece->getEndParam(t1);
  QvGePoint3d middle;
  piece->getPointAtParam(0.5 * (t0 + t1), middle);
  return middle - node;
}

double ccwAngle(const QvGeVector3d& from, const QvGeVector3d& to, const QvGeVector3d& normal) {
  double a = std::atan2(normal.dotProduct(from.crossProduct(to)), from.dotProduct(to));
  if (a < 0.0) a += 2.0 * std::numbers::pi;
  return a;
}

struct Walk {
  std::vector<int> nodes;   // path, the first again at the end
  std::vector<int> pieces;  // piece k joins nodes[k] to nodes[k + 1]
};

// One walk from nodes[0] over slot `slot`, always taking the sharpest turn to the right.
bool trace(const Graph& g, const CTrimHatch::PieceList& pieces, int start, size_t slot,
           const QvGeVector3d& normal, Walk& walk) {
  const PieceNode& first = g.nodes[static_cast<size_t>(start)];
  walk.nodes = {start, first.neighbours[slot]};
  walk.pieces = {first.pieces[slot]};
  // The nodes reached so far (the start only counts as the end of the walk).
  std::vector<char> visited(g.nodes.size(), 0);
  visited[static_cast<size_t>(walk.nodes[1])] = 1;
  while (true) {
    const int current = walk.nodes.back();
    const PieceNode& node = g.nodes[static_cast<size_t>(current)];
    const QvGeVector3d back = leaving(curveAt(pieces, walk.pieces.back()), node.point);
    int bestSlot = -1;
    double bestAngle = 2.0 * std::numbers::pi;
    for (size_t k = 0; k < node.neighbours.size(); ++k) {
      const int next = node.neighbours[k];
      if (visited[static_cast<size_t>(next)] || node.pieces[k] == walk.pieces.back()) continue;
      const QvDbCurve* candidate = curveAt(pieces, node.pieces[k]);
      if (!candidate) continue;
      const double angle = ccwAngle(back, leaving(candidate, node.point), normal);
      if (angle <= kAngleZero || !(angle < bestAngle)) continue;
      bestAngle = angle;
      bestSlot = static_cast<int>(k);
    }
    if (bestSlot >= 0) {
      const int next = node.neighbours[static_cast<size_t>(bestSlot)];
      visited[static_cast<size_t>(next)] = 1;
      walk.nodes.push_back(next);
      walk.pieces.push_back(node.pieces[static_cast<size_t>(bestSlot)]);
      if (next == start) return true;
      continue;
    }
    walk.nodes.pop_back();
    walk.pieces.pop_back();
    if (walk.nodes.size() < 2 || walk.pieces.empty()) return false;
  }
}

// Twice the signed area the walk encloses, counterclockwise about the normal positive.
double walkArea(const Graph& g, const CTrimHatch::PieceList& pieces, const Walk& walk,
                const QvGeVector3d& normal) {
  QvGePoint3dArray ring;
  for (size_t k = 0; k < walk.pieces.size(); ++k) {
    const QvDbCurve* curve = curveAt(pieces, walk.pieces[k]);
    std::unique_ptr<QvGeCurve3d> ge;
    QvGeCurve3d* made = nullptr;
    curve->getGeCurve(made);
    ge.reset(made);
    if (!ge) continue;
    QvGeInterval interval;
    ge->getInterval(interval);
    QvGePoint3dArray samples;
    ge->getSamplePoints(interval.lowerBound(), interval.upperBound(), 0.0, samples);
    QvGePoint3d s;
    curve->getStartPoint(s);
    const bool forward = s.isEqualTo(g.nodes[static_cast<size_t>(walk.nodes[k])].point, kNodeTol);
    for (int i = 0; i < samples.length(); ++i)
      ring.append(samples[forward ? i : samples.length() - 1 - i]);
  }
  double twice = 0.0;
  for (int i = 0; i < ring.length(); ++i) {
    const QvGeVector3d a = ring[i].asVector(), b = ring[(i + 1) % ring.length()].asVector();
    twice += normal.dotProduct(a.crossProduct(b));
  }
  return twice;
}

// The faces of the graph: walks that close turning right run clockwise round a face; those
// that run counterclockwise go round the outside of a group of pieces and are left out.
std::vector<std::vector<int>> findFaces(Graph& g, const CTrimHatch::PieceList& pieces,
                                        const QvGeVector3d& normal) {
  std::vector<std::vector<int>> faces;
  for (size_t i = 0; i < g.nodes.size(); ++i) {
    for (size_t j = 0; j < g.nodes[i].neighbours.size();) {
      Walk walk;
      if (!trace(g, pieces, static_cast<int>(i), j, normal, walk) || walk.pieces.size() < 2) {
        ++j;
        continue;
      }
      if (walkArea(g, pieces, walk, normal) < 0.0) faces.push_back(walk.pieces);
      // Each piece is walked once from each side: retire it from the node it was left from.
      for (size_t k = 0; k < walk.pieces.size(); ++k) {
        PieceNode& from = g.nodes[static_cast<size_t>(walk.nodes[k])];
        for (size_t s = 0; s < from.pieces.size(); ++s)
          if (from.pieces[s] == walk.pieces[k] && from.neighbours[s] == walk.nodes[k + 1]) {
            from.pieces.erase(from.pieces.begin() + static_cast<std::ptrdiff_t>(s));
            from.neighbours.erase(from.neighbours.begin() + static_cast<std::ptrdiff_t>(s));
            break;
          }
      }
    }
  }
  return faces;
}

QvDbRegion* regionOf(const QvArray<QvDbCurve*>& curves) {
  QvDbRegion* region = nullptr;
  if (spaCreateOneRegionFromCurves(curves, region, false, true, kRegionGapTol) != Vexa::eOk) {
    delete region;
    return nullptr;
  }
  return region;
}

bool regionsIntersect(const QvDbRegion* a, const QvDbRegion* b) {
  auto* imp = static_cast<QvDbRegionImp*>(QvDbSystemInternals::getImpObject(a));
  return imp && b && imp->isIntersectWithRegion(b, false);
}

// Whether regions with these boxes lie too far apart to touch (QvDbRegionImp's test allows a
// millionth of the larger size; twice that is left).
bool regionBoxesApart(const QvDbExtents& a, const QvDbExtents& b) {
  const QvGePoint3d &alo = a.minPoint(), &ahi = a.maxPoint();
  const QvGePoint3d &blo = b.minPoint(), &bhi = b.maxPoint();
  const double gap = std::max(
      {blo.x - ahi.x, alo.x - bhi.x, blo.y - ahi.y, alo.y - bhi.y, blo.z - ahi.z, alo.z - bhi.z});
  return gap > 2e-6 * std::max(a.diagonal(), b.diagonal()) + boxMargin(a) + boxMargin(b);
}

bool boxInsideBox(const QvDbExtents& a, const QvDbExtents& b) {
  return a.minPoint().x > b.minPoint().x && a.minPoint().y > b.minPoint().y &&
         b.maxPoint().x > a.maxPoint().x && b.maxPoint().y > a.maxPoint().y;
}

bool modelerPresent() {
  return VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler() != nullptr;
}

// Whether `inner` lies inside `outer` (their union is `outer`); the areas are theirs. A region
// clearly larger than `outer` cannot (the union is at least as large), and is not asked about.
bool liesInside(const QvDbRegion* inner, const QvDbRegion* outer, double innerArea,
                double outerArea) {
  if (innerArea > outerArea * (1.0 + kClearlyLarger)) return false;
  std::unique_ptr<QvDbRegion> a(QvDbRegion::cast(outer->clone()));
  std::unique_ptr<QvDbRegion> b(QvDbRegion::cast(inner->clone()));
  if (!a || !b || a->booleanOper(QvDbRegion::kBoolUnite, b.get()) != Vexa::eOk) return false;
  return sameArea(areaOf(a.get()), outerArea);
}

}  // namespace

int CTrimHatch::_buildRegions(const PieceList& pieces, RegionList& regions,
                              const QvDbObjectId& hatchId, const QvGeVector3d& normal) {
  if (pieces.isEmpty()) return 3;
  Graph g = buildGraph(pieces);
  if (g.closed.empty() && g.nodes.empty()) return 3;
  if (!modelerPresent()) return 3;
  std::vector<int> groups;  // the connected group of pieces of each face
  for (const std::vector<int>& face : findFaces(g, pieces, normal)) {
    QvArray<QvDbCurve*> curves;
    QvArray<QvDbObjectId> ids;
    for (const int i : face) {
      curves.append(const_cast<QvDbCurve*>(curveAt(pieces, i)));
      addDistinctId(ids, pieces[i].first);
    }
    if (QvDbRegion* region = regionOf(curves)) {
      regions.push_back({region, ids});
      groups.push_back(g.group(g.pieceNode[static_cast<size_t>(face.front())]));
    }
  }
  // Nesting: a face inside another becomes its hole (both stay). Only faces whose boxes nest
  // can nest: the boxes (kept current as holes are cut) are compared before the regions.
  const size_t faces = regions.size();
  std::vector<QvDbExtents> boxes(faces);
  std::vector<bool> known(faces, false);
  std::vector<double> areas(faces);
  for (size_t i = 0; i < faces; ++i) {
    known[i] = regions[i].region->getGeomExtents(boxes[i]) == Vexa::eOk;
    areas[i] = areaOf(regions[i].region);
  }
  std::unique_ptr<BoxGrid> index;
  if (indexedSearch()) index = std::make_unique<BoxGrid>(boxes, known);
  std::vector<int> later;
  for (size_t i = 0; i < faces; ++i) {
    if (!known[i]) continue;
    const QvDbExtents boxI = boxes[i];
    const double areaI = areas[i];
    later.clear();
    if (index) {
      index->query(boxI, boxMargin(boxI), later);
      later.erase(later.begin(), std::upper_bound(later.begin(), later.end(), static_cast<int>(i)));
    } else {
      for (size_t j = i + 1; j < faces; ++j) later.push_back(static_cast<int>(j));
    }
    for (const int laterFace : later) {
      const auto j = static_cast<size_t>(laterFace);
      if (!known[j]) continue;
      const QvDbExtents& boxJ = boxes[j];
      size_t outer = i, inner = j;
      if (boxInsideBox(boxI, boxJ))
        std::swap(outer, inner);
      else if (!boxInsideBox(boxJ, boxI))
        continue;
      // Faces of one connected group of pieces share no area (the walks split the plane): one
      // lies inside another only when it has next to no area, which the search leaves to the
      // modeler.
      if (index && groups[i] == groups[j] && areas[inner] > kClearlyLarger * areas[outer]) continue;
      if (!regionsIntersect(regions[i].region, regions[j].region)) continue;
      // Faces keep their areas until they get a hole (the literal order measured them then).
      const double outerArea = outer == i ? areaI : areas[outer];
      if (!liesInside(regions[inner].region, regions[outer].region, areas[inner], outerArea))
        continue;
      std::unique_ptr<QvDbRegion> hole(QvDbRegion::cast(regions[inner].region->clone()));
      if (hole &&
          regions[outer].region->booleanOper(QvDbRegion::kBoolSubtract, hole.get()) == Vexa::eOk) {
        for (const QvDbObjectId& id : regions[inner].ids) addDistinctId(regions[outer].ids, id);
        known[outer] = regions[outer].region->getGeomExtents(boxes[outer]) == Vexa::eOk;
        areas[outer] = areaOf(regions[outer].region);
      }
    }
  }
  // Closed pieces are regions of their own.
  for (const int i : g.closed) {
    QvArray<QvDbCurve*> one;
    one.append(const_cast<QvDbCurve*>(curveAt(pieces, i)));
    QvArray<QvDbObjectId> ids;
    ids.append(pieces[i].first);
    if (QvDbRegion* region = regionOf(one)) regions.push_back({region, ids});
  }
  (void)hatchId;
  return regions.empty() ? 3 : 0;
}

bool CTrimHatch::_anyPointInsideCurve(const QvDbEntity* entity, const QvGePoint3dArray& points,
                                      const QvGePlane& fallbackPlane) {
  QvGePlane plane;
  QvDb::Planarity planarity;
  // Entities without a plane (block references, 3D polylines) are seen in the hatch's.
  if (entity->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar)
    plane = fallbackPlane;
  for (const QvGePoint3d& p : points) {
    const QvGePoint3d onPlane = p - plane.normal() * plane.signedDistanceTo(p);
    if (rayCrossingsOdd(entity, onPlane, plane) == 1) return true;
  }
  return false;
}

bool CTrimHatch::_findInteriorPoint(const QvDbRegion* region, QvGePoint3d& point) {
  QvGeVector3d normal;
  if (region->getNormal(normal) != Vexa::eOk) return false;
  QvDbExtents box;
  region->getGeomExtents(box);
  const double step = 1e-6 * std::max(1.0, box.diagonal());
  QvArray<QvDbEntity*> parts;
  if (region->explode(parts) != Vexa::eOk) return false;
  std::vector<std::unique_ptr<QvDbEntity>> owned;
  for (QvDbEntity* e : parts) owned.emplace_back(e);
  QvGePlane plane;
  QvDb::Planarity planarity;
  region->getPlane(plane, planarity);
  for (const auto& part : owned) {
    const QvDbCurve* curve = QvDbCurve::cast(part.get());
    if (!curve) continue;
    double t0 = 0.0, t1 = 0.0;
    curve->getStartParam(t0);
    curve->getEndParam(t1);
    const double t = t0 + 1e-3 * (t1 - t0);
    QvGePoint3d p;
    QvGeVector3d d;
    if (curve->getPointAtParam(t, p) != Vexa::eOk || curve->getFirstDeriv(t, d) != Vexa::eOk ||
        d.isZeroLength())
      continue;
    const QvGeVector3d side = normal.crossProduct(d).normal() * step;
    for (const QvGePoint3d& candidate : {p + side, p - side}) {
      QvGePoint3dArray one;
      one.append(candidate);
      if (_anyPointInsideCurve(region, one, plane)) {
        point = candidate;
        return true;
      }
    }
  }
  return false;
}

int CTrimHatch::_selectRegionsInsideCutters(const QvGePoint3d& origin, const QvGeVector3d& normal,
                                            const QvArray<QvDbCurve*>& cuttingCurves,
                                            const QvGePlane& hatchPlane, RegionList& regions,
                                            const CutterIndex* index) {
  if (!modelerPresent()) return 3;
  std::vector<int> near;
  const QvGeVector3d x = normal.perpVector().normal();
  const QvGeVector3d y = normal.crossProduct(x);
  RegionList kept;
  for (RegionRecord& record : regions) {
    QvGePoint3d test;
    if (!_findInteriorPoint(record.region, test)) {
      double perimeter, area, moments[2], product, principal[2], radii[2];
      QvGePoint2d c, low, high;
      QvGeVector2d axes[2];
      record.region->getAreaProp(origin, x, y, perimeter, area, c, moments, product, principal,
                                 axes, radii, low, high);
      test = origin + x * c.x + y * c.y;  // the centroid in the world
    }
    QvGePoint3dArray points;
    points.append(test);
    bool inside = false;
    if (index) {
      index->candidates(test, near);
      for (const int k : near)
        if (_anyPointInsideCurve(asEntity(cuttingCurves[k]), points, hatchPlane)) {
          inside = true;
          break;
        }
    } else {
      for (QvDbCurve* cutter : cuttingCurves)
        if (cutter && _anyPointInsideCurve(asEntity(cutter), points, hatchPlane)) {
          inside = true;
          break;
        }
    }
    if (inside) {
      kept.push_back(record);
    } else {
      delete record.region;
    }
  }
  regions = std::move(kept);
  return 0;
}

void CTrimHatch::_uniteTouchingRegions(RegionList& regions) {
  // Kept regions that touch (pieces of crossing cutters, a disc in the hole of a kept ring)
  // become one area: loops that share edges would cancel each other in an even-odd fill.
  // Regions whose boxes lie apart cannot touch: an indexed search asks the modeler only about
  // the others (the boxes follow the unions).
  const bool indexed = indexedSearch();
  std::vector<QvDbExtents> boxes(regions.size());
  std::vector<bool> known(regions.size(), false);
  if (indexed)
    for (size_t i = 0; i < regions.size(); ++i)
      known[i] = regions[i].region->getGeomExtents(boxes[i]) == Vexa::eOk;
  for (size_t i = 0; i < regions.size(); ++i) {
    for (size_t j = i + 1; j < regions.size();) {
      const bool apart = known[i] && known[j] && regionBoxesApart(boxes[i], boxes[j]);
      std::unique_ptr<QvDbRegion> other(
          !apart && regionsIntersect(regions[i].region, regions[j].region)
              ? QvDbRegion::cast(regions[j].region->clone())
              : nullptr);
      if (!other ||
          regions[i].region->booleanOper(QvDbRegion::kBoolUnite, other.get()) != Vexa::eOk) {
        ++j;
        continue;
      }
      for (const QvDbObjectId& id : regions[j].ids) addDistinctId(regions[i].ids, id);
      delete regions[j].region;
      regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(j));
      boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
      known.erase(known.begin() + static_cast<std::ptrdiff_t>(j));
      if (indexed) known[i] = regions[i].region->getGeomExtents(boxes[i]) == Vexa::eOk;
      j = i + 1;
    }
  }
}
