// XqDbUtil: the definition points a new dimension takes from a picked entity.
#include <cmath>
#include <memory>
#include <vector>

#include "cmdutil/geometry/XqSelectionPath.h"
#include "cmdutil/geometry/XqVertexWalk.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbSubentPath.h"
#include "sdk/db/qvdbModelToWorld.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using EntityPtr = std::unique_ptr<QvDbEntity>;

// The entity a dimension is taken from: opened from the drawing, or a copy made for the call.
class PickedEntity {
 public:
  bool open(QvDbObjectId id) { return opened_.open(id, QvDb::kForRead) == Vexa::eOk; }
  // An entity opened elsewhere, closed at the end.
  void hold(QvDbEntity* opened) {
    copy_.reset();
    opened_.acquire(opened);
  }
  void adopt(QvDbEntity* copy) {
    opened_.close();
    copy_.reset(copy);
  }
  QvDbEntity* get() const { return copy_ ? copy_.get() : opened_.object(); }

 private:
  QvDbObjectPointer<QvDbEntity> opened_;
  EntityPtr copy_;
};

bool isPolylineClass(const QvDbEntity* e) {
  return QvDbPolyline::cast(e) || QvDb2dPolyline::cast(e) || QvDb3dPolyline::cast(e);
}

// The classes a dimension may be taken from (the last id of a path).
bool isDimensionable(const QvDbEntity* e) {
  return QvDbLine::cast(e) || QvDbArc::cast(e) || QvDbCircle::cast(e) || isPolylineClass(e) ||
         QvDbBlockReference::cast(e) || QvDbRegion::cast(e) || isMline(e) || is3dSolid(e);
}

// The vertices of a polyline of any kind, in world coordinates.
bool polylineVertices(const QvDbEntity* e, QvGePoint3dArray& vertices) {
  if (const auto* lw = QvDbPolyline::cast(e)) {
    for (unsigned int i = 0; i < lw->numVerts(); ++i) {
      QvGePoint3d p;
      if (lw->getPointAt(i, p) != Vexa::eOk) return false;
      vertices.append(p);
    }
  } else if (const auto* p2 = QvDb2dPolyline::cast(e)) {
    xqForEachVertex<QvDb2dVertex>(*p2, [&](const QvDb2dVertex& v) {
      if (v.vertexType() != k2dSplineCtlVertex) vertices.append(p2->vertexPosition(v));
      return true;
    });
  } else if (const auto* p3 = QvDb3dPolyline::cast(e)) {
    xqForEachVertex<QvDb3dPolylineVertex>(*p3, [&](const QvDb3dPolylineVertex& v) {
      if (v.vertexType() != k3dControlVertex) vertices.append(v.position());
      return true;
    });
  } else {
    return false;
  }
  return true;
}

// The segment of a polyline under the pick point seen along the UCS z axis.
int polylineSegment(const QvDbCurve* polyline, const QvGePoint3d& pick, const QvGeMatrix3d& ucs,
                    QvGePoint3d& p1, QvGePoint3d& p2, unsigned int& segmentIndex) {
  QvGePoint3dArray vertices;
  if (!polylineVertices(polyline, vertices) || vertices.length() < 2) return kQvError;
  QvGePoint3d origin;
  QvGeVector3d x;
  QvGeVector3d y;
  QvGeVector3d z;
  ucs.getCoordSystem(origin, x, y, z);
  QvGePlane plane;
  QvDb::Planarity planarity;
  QvGePoint3d projected = pick;
  if (polyline->getPlane(plane, planarity) == Vexa::eOk && !z.isZeroLength())
    plane.intersectWith(pick, z, projected);
  QvGePoint3d closest;
  double param = 0.0;
  if (polyline->getClosestPointTo(projected, closest) != Vexa::eOk ||
      polyline->getParamAtPoint(closest, param) != Vexa::eOk || !std::isfinite(param) ||
      param < 0.0)
    return kQvError;
  const unsigned int n = static_cast<unsigned int>(vertices.length());
  unsigned int index = static_cast<unsigned int>(std::min<double>(std::floor(param), n - 1));
  // The last vertex starts a segment only on a closed polyline (the closing one).
  if (index == n - 1 && !polyline->isClosed()) index = n - 2;
  segmentIndex = index;
  p1 = vertices[static_cast<int>(index)];
  p2 = vertices[static_cast<int>((index + 1) % n)];
  return kQvNormal;
}

// The four quadrant points of a circle along the active view's x and y axes.
void circleQuadrants(const QvDbCircle& circle, QvGePoint3d& p1, QvGePoint3d& p2, QvGePoint3d& p3,
                     QvGePoint3d& p4) {
  QvGeMatrix3d toDisplay;
  QvGeMatrix3d toWorld;
  if (VexaGraphics* graphics = GetActiveGraphics()) {
    toDisplay = graphics->activeViewport()->worldToDisplayMatrix();
    toWorld = graphics->activeViewport()->displayToWorldMatrix();
  }
  const QvGePoint3d c = circle.center().transformBy(toDisplay);
  const double r =
      circle.radius() * QvGeVector3d(QvGeVector3d::kXAxis).transformBy(toDisplay).length();
  p1 = (c + r * QvGeVector3d::kXAxis).transformBy(toWorld);
  p2 = (c - r * QvGeVector3d::kXAxis).transformBy(toWorld);
  p3 = (c + r * QvGeVector3d::kYAxis).transformBy(toWorld);
  p4 = (c - r * QvGeVector3d::kYAxis).transformBy(toWorld);
}

// The curve of a region's outline nearest the pick, instead of the region.
bool nearestRegionCurve(const QvDbRegion& region, const QvGePoint3d& pick, EntityPtr& nearest) {
  QvArray<QvDbEntity*> pieces;
  if (region.explode(pieces) != Vexa::eOk) return false;
  double best = 1e10;
  for (int i = 0; i < pieces.length(); ++i) {
    EntityPtr piece(pieces[i]);
    QvGePoint3d closest;
    const auto* curve = QvDbCurve::cast(piece.get());
    if (!curve || curve->getClosestPointTo(pick, closest) != Vexa::eOk) continue;
    if (const double d = closest.distanceTo(pick); d < best) {
      best = d;
      nearest = std::move(piece);
    }
  }
  return nearest != nullptr;
}

// The ends of a solid's edge nearest the pick as the active view shows it, highlighted while
// it is taken. A solid whose modeler data gives no edges is refused.
int solidEdgePoints(const QvDb3dSolid& solid, const QvGePoint3d& pick, QvGePoint3d& p1,
                    QvGePoint3d& p2) {
  QvGeMatrix3d view;
  if (VexaGraphics* graphics = GetActiveGraphics())
    view = graphics->activeViewport()->worldToDisplayMatrix();
  QvArray<QvDbFullSubentPath> paths;
  if (solid.getSubentPathsAtGsMarker(QvDb::kEdgeSubentType, 0, pick, view, paths) != Vexa::eOk)
    return kQvRejected;
  const int64_t marker = paths.first().subentId().index();
  solid.highlight(marker);
  const EntityPtr edge(solid.subentPtr(paths.first().subentId()));
  solid.unhighlight(marker);
  const auto* curve = QvDbCurve::cast(edge.get());
  if (!curve || curve->getStartPoint(p1) != Vexa::eOk || curve->getEndPoint(p2) != Vexa::eOk)
    return kQvError;
  return kQvNormal;
}

// The ends of the line piece of a multiline's explosion whose closest point is nearest the pick.
int mlinePiecePoints(const QvDbMline& mline, const QvGePoint3d& pick, QvGePoint3d& p1,
                     QvGePoint3d& p2) {
  QvArray<QvDbEntity*> exploded;
  if (mline.explode(exploded) != Vexa::eOk) return kQvError;
  std::vector<EntityPtr> pieces;
  for (QvDbEntity* piece : exploded) pieces.emplace_back(piece);
  double best = 1e10;
  bool found = false;
  for (const EntityPtr& piece : pieces) {
    const auto* line = QvDbLine::cast(piece.get());
    QvGePoint3d closest;
    if (!line || line->getClosestPointTo(pick, closest) != Vexa::eOk) continue;
    if (const double d = closest.distanceTo(pick); d < best) {
      best = d;
      p1 = line->startPoint();
      p2 = line->endPoint();
      found = true;
    }
  }
  return found ? kQvNormal : kQvError;
}

}  // namespace

int XqDbUtil::getDimensionDefPoints(const XqVector<QvDbObjectId>& fullPath, QvGePoint3d& p1,
                                    QvGePoint3d& p2, QvGePoint3d& p3, QvGePoint3d& p4,
                                    const QvGePoint3d& pickPoint, const QvGeMatrix3d& ucs,
                                    unsigned int& segmentIndex, bool& isPolyline) {
  if (fullPath.isEmpty()) return kQvError;
  const XqVector<QvDbObjectId> path = withoutLeadingViewport(fullPath);
  if (path.isEmpty()) return kQvError;

  PickedEntity picked;
  if (!picked.open(path.last())) return kQvError;
  if (!isDimensionable(picked.get())) return kQvRejected;

  // Inside a block reference (the path leads through it, or ends at it): a copy in world
  // coordinates of what was picked there.
  if (path.length() > 1 || QvDbBlockReference::cast(picked.get())) {
    QvDbEntity* copy = nullptr;
    getSelectedEntityFromIdPath(path, copy);
    picked.adopt(copy);
    if (const auto* reference = QvDbBlockReference::cast(picked.get())) {
      double distance = 1e10;
      picked.adopt(getSelectedEntityFromTheBlock(reference, pickPoint, distance));
    }
    if (!picked.get()) return kQvError;
    if (!isDimensionable(picked.get()) || QvDbBlockReference::cast(picked.get()))
      return kQvRejected;
  }
  if (const auto* region = QvDbRegion::cast(picked.get())) {
    EntityPtr nearest;
    if (!nearestRegionCurve(*region, pickPoint, nearest)) return kQvError;
    picked.adopt(nearest.release());
  }

  QvDbEntity* entity = picked.get();
  if (const auto* solid = QvDb3dSolid::cast(entity))
    return solidEdgePoints(*solid, pickPoint, p1, p2);
  if (const auto* mline = QvDbMline::cast(entity))
    return mlinePiecePoints(*mline, pickPoint, p1, p2);
  if (isPolylineClass(entity)) {
    isPolyline = true;
    return polylineSegment(QvDbCurve::cast(entity), pickPoint, ucs, p1, p2, segmentIndex);
  }
  if (const auto* circle = QvDbCircle::cast(entity)) {
    circleQuadrants(*circle, p1, p2, p3, p4);
    return kQvNormal;
  }
  const auto* curve = QvDbCurve::cast(entity);
  if (!curve) return kQvRejected;  // a multiline or a solid read as a proxy
  QvGePoint3d start;
  QvGePoint3d end;
  if (curve->getStartPoint(start) != Vexa::eOk || curve->getEndPoint(end) != Vexa::eOk)
    return kQvError;
  p1 = start;
  p2 = end;
  return kQvNormal;
}

int XqDbUtil::getDimensionDefPoints(const XqVector<QvDbObjectId>& fullPath,
                                    const QvGePoint3d& pickPoint, bool /*unused*/, bool quadrants,
                                    QvGePoint3d& p1, QvGePoint3d& p2, QvGePoint3d& p3,
                                    QvGePoint3d& p4, int64_t& marker) {
  if (fullPath.isEmpty()) return kQvError;
  if (!isSupportableSelEntToDim(false, fullPath)) return kQvRejected;
  XqVector<QvDbObjectId> path = withoutLeadingViewport(fullPath);
  if (path.isEmpty()) return kQvError;

  // A picked vertex names its segment of the polyline that owns it.
  {
    QvDbObjectPointer<QvDbEntity> last(path.last(), QvDb::kForRead);
    if (!last) return kQvError;
    const QvRxClass* cls = last->isA();
    if (cls == QvDb2dVertex::desc() || cls == QvDb3dPolylineVertex::desc()) {
      getGsMarkerBySubEnt(path.last(), marker);
      XqVector<QvDbObjectId> owner;
      for (int i = 0; i + 1 < path.length(); ++i) owner.append(path[i]);
      if (owner.isEmpty()) owner.append(last->ownerId());
      path = owner;
    }
  }

  // The picked sub-entity, in world coordinates: a multiline's element, else an edge.
  QvDbObjectIdArray ids;
  for (int i = 0; i < path.length(); ++i) ids.append(path[i]);
  QvDb::SubentType type = QvDb::kEdgeSubentType;
  {
    QvDbObjectPointer<QvDbEntity> last(path.last(), QvDb::kForRead);
    if (!last) return kQvError;
    if (isMline(last.object())) type = QvDb::kMlineSubentCache;
  }
  bool madeForCall = false;
  QvDbEntity* sub =
      QvDbPointRef::subentPtr(QvDbFullSubentPath(ids, QvDbSubentId(type, marker)), madeForCall);
  if (!sub) return kQvRejected;
  PickedEntity picked;
  if (madeForCall)
    picked.adopt(sub);
  else
    picked.hold(sub);

  const QvDbEntity* entity = picked.get();
  if (const auto* circle = QvDbCircle::cast(entity)) {
    if (quadrants) {
      circleQuadrants(*circle, p1, p2, p3, p4);
    } else {
      QvGePoint3d closest;
      if (circle->getClosestPointTo(pickPoint, closest) != Vexa::eOk) return kQvError;
      p1 = closest;
      p2 = circle->center() + (circle->center() - closest);
    }
    return kQvNormal;
  }
  const auto* curve = QvDbCurve::cast(entity);
  QvGePoint3d start;
  QvGePoint3d end;
  if (!curve) return kQvRejected;
  if (curve->getStartPoint(start) != Vexa::eOk || curve->getEndPoint(end) != Vexa::eOk)
    return kQvError;
  p1 = start;
  p2 = end;
  return kQvNormal;
}
