// Hatch trimming, first phase: a hatch loop as world curves and a closed outline, the pieces
// of the cutting entities, and the split of all of them where they meet.
#include <algorithm>
#include <cmath>
#include <memory>

#include "cmdutil/hatchtrim/TrimHatchIndex.h"
#include "cmdutil/hatchtrim/TrimHatchSupport.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/detail/PlaneCurves.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeLineSeg2d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeNurbCurve2d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/CTrimHatch.h"
#include "xqcmdutil/XqDbUtil.h"

using namespace xq_hatchtrim;

namespace {

// Bulges within this of each other (and of 1) are the same.
constexpr double kBulgeTol = 1e-10;

bool isSkippedCutter(const QvDbEntity* e) {
  const QvRxClass* c = e->isA();
  return c == QvDbHatch::desc() || c == QvDbText::desc() || c == QvDbMText::desc() ||
         c == QvDbLeader::desc() || c == QvDbTrace::desc() ||
         (c && std::wstring(c->name()) == L"QvDbTable");
}

// The edge with its end points moved to the given ones (lines and arcs are rebuilt through
// them, splines get them as end control points); other kinds keep their shape.
QvGeCurve2d* snapped(const QvGeCurve2d& edge, const QvGePoint2d& start, const QvGePoint2d& end) {
  switch (edge.type()) {
    case QvGe::kLineSeg2d:
      return new QvGeLineSeg2d(start, end);
    case QvGe::kCircArc2d: {
      const auto& arc = static_cast<const QvGeCircArc2d&>(edge);
      if (arc.isClosed()) break;
      QvGeInterval interval;
      arc.getInterval(interval);
      const QvGePoint2d middle =
          arc.evalPoint(0.5 * (interval.lowerBound() + interval.upperBound()));
      auto* made = new QvGeCircArc2d(start, middle, end);
      if (made->isValid()) return made;
      delete made;
      break;
    }
    case QvGe::kNurbCurve2d: {
      const auto& nurbs = static_cast<const QvGeNurbCurve2d&>(edge);
      QvGePoint2dArray poles;
      QvGeDoubleArray knots, weights;
      for (int i = 0; i < nurbs.numControlPoints(); ++i) {
        poles.append(nurbs.controlPointAt(i));
        if (nurbs.isRational()) weights.append(nurbs.weightAt(i));
      }
      for (int i = 0; i < nurbs.numKnots(); ++i) knots.append(nurbs.knotAt(i));
      const int d = nurbs.degree();
      const bool clamped = nurbs.numKnots() > 2 * d + 1 && knots[0] == knots[d] &&
                           knots[knots.length() - 1] == knots[knots.length() - 1 - d];
      if (!clamped || poles.length() < 2) break;
      poles[0] = start;
      poles[poles.length() - 1] = end;
      return new QvGeNurbCurve2d(d, knots, poles, weights);
    }
    default:
      break;
  }
  return static_cast<QvGeCurve2d*>(edge.copy());
}

// Moves at most one end of `edge` onto an end of `reference` (the first pair within the
// corner tolerance, compared start-start, start-end, end-start, end-end).
void snapTo(std::unique_ptr<QvGeCurve2d>& edge, const QvGeCurve2d& reference) {
  QvGePoint2d s = startOf(*edge), e = endOf(*edge);
  const QvGePoint2d rs = startOf(reference), re = endOf(reference);
  const QvGeTol tol(kMeetTol, kMeetTol);
  if (s.isEqualTo(rs, tol))
    s = rs;
  else if (s.isEqualTo(re, tol))
    s = re;
  else if (e.isEqualTo(rs, tol))
    e = rs;
  else if (e.isEqualTo(re, tol))
    e = re;
  else
    return;
  edge.reset(snapped(*edge, s, e));
}

// Adds the edge to the outline polyline (plane coordinates): its end, with the bulge of the
// segment that leads there, after its start when the outline is empty.
void addToOutline(QvDbPolyline& outline, const QvGeCurve2d& edge) {
  const unsigned int n = outline.numVerts();
  if (n == 0) outline.addVertexAt(0, startOf(edge));
  const unsigned int last = outline.numVerts() - 1;
  if (edge.type() == QvGe::kCircArc2d) {
    const auto& arc = static_cast<const QvGeCircArc2d&>(edge);
    const double bulge = std::tan((arc.endAng() - arc.startAng()) / 4.0);
    outline.setBulgeAt(last, arc.isClockWise() ? -bulge : bulge);
    outline.addVertexAt(last + 1, endOf(edge));
    return;
  }
  outline.setBulgeAt(last, 0.0);
  if (edge.type() == QvGe::kLineSeg2d) {
    outline.addVertexAt(last + 1, endOf(edge));
    return;
  }
  QvGeInterval interval;
  edge.getInterval(interval);
  QvGePoint2dArray samples;
  edge.getSamplePoints(interval.lowerBound(), interval.upperBound(), 0.0, samples);
  for (int i = 1; i < samples.length(); ++i) outline.addVertexAt(outline.numVerts(), samples[i]);
}

}  // namespace

void CTrimHatch::_loopToCurves(const QvDbHatch* hatch, int loopIndex,
                               std::vector<QvDbCurve*>& curves, QvDbPolyline*& outline) {
  delete outline;
  outline = new QvDbPolyline();
  outline->setNormal(hatch->normal());
  outline->setElevation(hatch->elevation());
  const QvGeMatrix3d toWorld = hatch->planeToWorld();
  const int type = hatch->loopTypeAt(loopIndex);

  // Two vertices with same-sign bulges of 1 are a circle; 1 and -1 trace one half twice.
  if (type & QvDbHatch::kPolyline) {
    int t = 0;
    QvGePoint2dArray vertices;
    QvGeDoubleArray bulges;
    hatch->getLoopAt(loopIndex, t, vertices, bulges);
    if (vertices.length() == 2 && bulges.length() >= 2 &&
        std::fabs(std::fabs(bulges[0]) - 1.0) <= kBulgeTol &&
        std::fabs(bulges[1] - bulges[0]) <= kBulgeTol) {
      const QvGePoint2d mid = vertices[0] + (vertices[1] - vertices[0]) * 0.5;
      QvGePoint3d center(mid.x, mid.y, 0.0);
      center.transformBy(toWorld);
      curves.push_back(new QvDbCircle(center, hatch->normal(), mid.distanceTo(vertices[0])));
      outline->addVertexAt(0, vertices[0], 1.0);
      outline->addVertexAt(1, vertices[1], 1.0);
      outline->setClosed(true);
      return;
    }
  }
  int t = 0;
  QvArray<QvGeCurve2d*> raw;
  QvArray<int> types;
  hatch->getLoopAt(loopIndex, t, raw, types);
  std::vector<std::unique_ptr<QvGeCurve2d>> edges;
  for (QvGeCurve2d* e : raw)
    if (e) edges.emplace_back(e);
  for (size_t k = 1; k < edges.size(); ++k) {
    if (k + 1 == edges.size() && k > 0) snapTo(edges[k], *edges[0]);
    snapTo(edges[k], *edges[k - 1]);
  }
  for (size_t k = 0; k < edges.size(); ++k) {
    const QvGeCurve2d& edge = *edges[k];
    if (edge.isClosed() && edge.type() == QvGe::kCircArc2d && k == 0) {
      const auto& arc = static_cast<const QvGeCircArc2d&>(edge);
      const QvGePoint2d s = startOf(arc);
      outline->addVertexAt(0, s, 1.0);
      outline->addVertexAt(1, arc.center() + (arc.center() - s), 1.0);
    } else if (!edge.isClosed() || k > 0) {
      addToOutline(*outline, edge);
    }
    std::unique_ptr<QvGeCurve3d> world(qvdb_detail::planeCurveInWorld(edge, toWorld));
    if (QvDbCurve* curve = world ? XqDbUtil::asDbCurve(world.get()) : nullptr)
      curves.push_back(curve);
    if (edge.isClosed() && k == 0) break;
  }
  const unsigned int n = outline->numVerts();
  if (n > 1) {
    QvGePoint2d first, last;
    outline->getPointAt(0, first);
    outline->getPointAt(n - 1, last);
    if (first.isEqualTo(last)) outline->removeVertexAt(n - 1);
  }
  outline->setClosed(true);
  if ((type & QvDbHatch::kNotClosed) && !curves.empty()) {
    QvGePoint3d from, to;
    curves.back()->getEndPoint(from);
    curves.front()->getStartPoint(to);
    if (!from.isEqualTo(to)) curves.push_back(new QvDbLine(from, to));
  }
}

void CTrimHatch::_expandPieces(const QvDbObjectId& id, const QvDbEntity* entity,
                               PieceList& pieces) {
  if (!entity) return;
  if (!QvDbSpline::cast(entity)) {
    QvArray<QvDbEntity*> parts;
    if (entity->explode(parts) == Vexa::eOk) {
      for (QvDbEntity* part : parts) {
        std::unique_ptr<QvDbEntity> owned(part);
        _expandPieces(id, part, pieces);
      }
      return;
    }
  }
  if (entity->isA() == QvDbFcf::desc()) return;
  if (entity->isA() == QvDbSpline::desc()) {
    std::unique_ptr<QvGeCurve3d> curve(XqDbUtil::asQvGeCurve(entity));
    if (!curve) return;
    QvGeInterval interval;
    curve->getInterval(interval);
    QvGePoint3dArray samples;
    curve->getSamplePoints(interval.lowerBound(), interval.upperBound(), 0.0, samples);
    for (int i = 0; i + 1 < samples.length(); ++i)
      pieces.append({id, new QvDbLine(samples[i], samples[i + 1])});
    if (curve->isClosed() && samples.length() > 2)
      pieces.append({id, new QvDbLine(samples[samples.length() - 1], samples[0])});
    return;
  }
  if (const QvDbCurve* curve = QvDbCurve::cast(entity))
    pieces.append({id, static_cast<QvDbEntity*>(curve->clone())});
}

void CTrimHatch::_collectPieces(const QvArray<QvDbCurve*>& cuttingCurves, const QvDbHatch* hatch,
                                PieceList& pieces) {
  for (QvDbCurve* cutter : cuttingCurves) {
    // Entries are entities of any kind typed as curves: only entity members are used here.
    const QvDbEntity* entity = asEntity(cutter);
    if (!entity || entity == hatch || isSkippedCutter(entity)) continue;
    _expandPieces(entity->objectId(), entity, pieces);
  }
}

void CTrimHatch::_getAllSubEnties(const QvArray<QvDbCurve*>& cuttingCurves, PieceList& pieces) {
  _collectPieces(cuttingCurves, nullptr, pieces);
  closeCutters(cuttingCurves, nullptr);
}

void CTrimHatch::_projectPieces(PieceList& pieces, const QvGePlane& plane,
                                const QvGeVector3d& direction) {
  for (int i = 0; i < pieces.length();) {
    QvDbEntity* piece = pieces[i].second;
    const QvDbCurve* curve = QvDbCurve::cast(piece);
    QvDbCurve* projected = nullptr;
    if (curve && curve->getProjectedCurve(plane, direction, projected) == Vexa::eOk && projected) {
      delete piece;
      pieces[i].second = projected;
      ++i;
    } else {
      delete projected;
      delete piece;
      pieces.removeAt(i);
    }
  }
}

bool CTrimHatch::_isPointInsideClosedCurve(const QvDbCurve* curve, const QvGePoint3d& point) {
  QvGePoint3d closest;
  if (curve->getClosestPointTo(point, closest) == Vexa::eOk && closest.isEqualTo(point))
    return false;
  QvGePlane plane;
  QvDb::Planarity planarity;
  if (curve->getPlane(plane, planarity) != Vexa::eOk || planarity != QvDb::kPlanar ||
      !plane.isOn(point))
    return false;
  return rayCrossingsOdd(curve, point, plane) == 1;
}

Vexa::ErrorStatus CTrimHatch::_isPieceOutsideLoop(const QvDbPolyline* outline,
                                                  const QvDbCurve* piece, bool& outside) {
  outside = false;
  QvGePoint3dArray points;
  const Vexa::ErrorStatus es = piece->intersectWith(outline, QvDb::kOnBothOperands, points);
  if (es == Vexa::eIncompleteResult) return es;
  if (es != Vexa::eOk) return Vexa::eOk;
  QvGePoint3d start, end;
  piece->getStartPoint(start);
  if (piece->getEndPoint(end) != Vexa::eOk) {
    double s = 0.0;
    piece->getStartParam(s);
    piece->getPointAtParam(s + 0.5, end);
  }
  auto inside = [&](const QvGePoint3d& p) { return _isPointInsideClosedCurve(outline, p); };
  switch (points.length()) {
    case 0:
      outside = !inside(start);
      break;
    case 1:
      if (points[0].isEqualTo(start))
        outside = !inside(end);
      else if (points[0].isEqualTo(end))
        outside = !inside(start);
      break;
    case 2:
      if ((points[0].isEqualTo(start) && points[1].isEqualTo(end)) ||
          (points[0].isEqualTo(end) && points[1].isEqualTo(start))) {
        double s = 0.0, e = 0.0;
        piece->getStartParam(s);
        piece->getEndParam(e);
        QvGePoint3d middle;
        piece->getPointAtParam(0.5 * (s + e), middle);
        outside = !inside(middle);
      }
      break;
    default:
      break;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus CTrimHatch::_filterPiecesOutsideLoop(const QvDbPolyline* outline,
                                                       const QvDbObjectId& hatchId,
                                                       PieceList& pieces, bool deletePieces) {
  QvDbExtents box;
  const bool haveBox = outline->getGeomExtents(box) == Vexa::eOk;
  for (int i = 0; i < pieces.length();) {
    const PieceRecord record = pieces[i];
    bool remove = false;
    const QvDbCurve* curve = QvDbCurve::cast(record.second);
    if (record.first == hatchId) {
      remove = false;
    } else if (!curve) {
      remove = true;
    } else {
      QvDbExtents pieceBox;
      if (haveBox && curve->getGeomExtents(pieceBox) == Vexa::eOk && boxesApart(box, pieceBox)) {
        remove = true;
      } else {
        bool outside = false;
        if (const Vexa::ErrorStatus es = _isPieceOutsideLoop(outline, curve, outside);
            es != Vexa::eOk)
          return es;
        remove = outside;
      }
    }
    if (!remove) {
      ++i;
      continue;
    }
    if (deletePieces) delete record.second;
    pieces.removeAt(i);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus CTrimHatch::_splitAtIntersections(const PieceList& pieces, PieceList& split) {
  // Points per piece, kept in input order (the pieces' order decides the loops' order).
  const int n = pieces.length();
  std::vector<QvGePoint3dArray> points(static_cast<size_t>(n));
  std::vector<QvDbExtents> boxes(static_cast<size_t>(n));
  std::vector<bool> known(static_cast<size_t>(n), false);
  for (int a = 0; a < n; ++a) {
    const QvDbCurve* curve = QvDbCurve::cast(pieces[a].second);
    known[static_cast<size_t>(a)] =
        curve && curve->getGeomExtents(boxes[static_cast<size_t>(a)]) == Vexa::eOk;
  }
  // The pairs to try, each piece with the later ones: all of them, or those the index finds
  // near (the literal search skips the others for their boxes).
  std::unique_ptr<BoxGrid> index;
  if (indexedSearch()) index = std::make_unique<BoxGrid>(boxes, known);
  std::vector<int> later;
  for (int a = 0; a < n; ++a) {
    const QvDbCurve* ca = QvDbCurve::cast(pieces[a].second);
    if (!ca) continue;
    const QvDbExtents& boxA = boxes[static_cast<size_t>(a)];
    const bool haveA = known[static_cast<size_t>(a)];
    later.clear();
    if (index && haveA) {
      index->query(boxA, boxMargin(boxA), later);
      later.erase(later.begin(), std::upper_bound(later.begin(), later.end(), a));
    } else {
      for (int b = a + 1; b < n; ++b) later.push_back(b);
    }
    for (const int b : later) {
      const QvDbCurve* cb = QvDbCurve::cast(pieces[b].second);
      if (!cb) continue;
      if (haveA && known[static_cast<size_t>(b)] && boxesApart(boxA, boxes[static_cast<size_t>(b)]))
        continue;
      QvGePoint3dArray found;
      const Vexa::ErrorStatus es = ca->intersectWith(cb, QvDb::kOnBothOperands, found);
      if (es == Vexa::eIncompleteResult) return es;
      for (const QvGePoint3d& p : found) {
        addDistinct(points[static_cast<size_t>(a)], p);
        addDistinct(points[static_cast<size_t>(b)], p);
      }
    }
  }
  for (int i = 0; i < n; ++i) {
    const QvDbCurve* curve = QvDbCurve::cast(pieces[i].second);
    if (!curve) continue;
    const QvGePoint3dArray& at = points[static_cast<size_t>(i)];
    QvArray<QvDbEntity*> parts;
    if (!at.isEmpty() && !(curve->isClosed() && at.length() < 2)) {
      QvGeDoubleArray params;
      for (const QvGePoint3d& p : at) {
        double t = 0.0;
        curve->getParamAtPoint(p, t);
        params.append(t);
      }
      std::sort(params.begin(), params.end());
      if (curve->getSplitCurves(params, parts) != Vexa::eOk) parts.removeAll();
    }
    if (parts.isEmpty()) parts.append(static_cast<QvDbEntity*>(curve->clone()));
    for (QvDbEntity* part : parts) split.append({pieces[i].first, part});
  }
  return Vexa::eOk;
}
