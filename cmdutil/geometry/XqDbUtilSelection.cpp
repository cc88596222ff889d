// XqDbUtil: what a pick selected, whether it may be dimensioned, and small view helpers.
#include <cmath>
#include <memory>

#include "cmdutil/geometry/XqSelectionPath.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbPolylineImp.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbVertexPolylineImp.h"
#include "sdk/db/qvdbModelToWorld.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/modeler/QvDbRegion.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

using EntityPtr = std::unique_ptr<QvDbEntity>;

// A 3D vector variable; false when it cannot be read as one.
bool readVector(const wchar_t* name, QvGeVector3d& v) {
  resbuf value{};
  if (qvedGetVar(name, &value) != kQvNormal || value.type != kRbPoint3d) return false;
  v = QvGeVector3d(value.value.point[0], value.value.point[1], value.value.point[2]);
  return true;
}

// The distance from `point` to the nearest point of a curve; false for a non-curve or a
// failed query.
bool distanceToCurve(const QvDbEntity* entity, const QvGePoint3d& point, double& distance) {
  const auto* curve = QvDbCurve::cast(entity);
  QvGePoint3d closest;
  if (!curve || curve->getClosestPointTo(point, closest) != Vexa::eOk) return false;
  distance = closest.distanceTo(point);
  return true;
}

// Every piece deleted.
void deletePieces(QvArray<QvDbEntity*>& pieces) {
  for (int i = 0; i < pieces.length(); ++i) delete pieces[i];
  pieces.setLogicalLength(0);
}

}  // namespace

bool XqDbUtil::getSymbolTableRecordName(QvDbObjectId recordId, QvString& name) {
  QvDbObjectPointer<QvDbSymbolTableRecord> record(recordId, QvDb::kForRead);
  QvString read;
  if (!record || record->getName(read) != Vexa::eOk) return false;
  name = read;
  return true;
}

int XqDbUtil::calculateNormal(QvGeVector3d& normal) {
  QvGeVector3d x = QvGeVector3d::kXAxis;
  QvGeVector3d y = QvGeVector3d::kYAxis;
  readVector(L"UCSXDIR", x);
  resbuf value{};
  const int status = qvedGetVar(L"UCSYDIR", &value);
  if (status == kQvNormal && value.type == kRbPoint3d)
    y = QvGeVector3d(value.value.point[0], value.value.point[1], value.value.point[2]);
  normal = x.crossProduct(y);
  return status;
}

void XqDbUtil::get2dPlineVertIdByIndex(const QvDb2dPolyline* polyline, unsigned int index,
                                       QvDbObjectId& vertexId) {
  if (!polyline || index == 0) return;
  std::unique_ptr<QvDbObjectIterator> it(polyline->vertexIterator());
  unsigned int count = 1;
  for (; it && !it->done(); it->step(), ++count) {
    if (count == index) {
      vertexId = it->objectId();
      return;
    }
  }
}

void XqDbUtil::closestPointOnPolyline(const QvDbPolyline* polyline, const QvGePoint3d& point,
                                      QvGePoint3d& closest, unsigned int& segmentIndex) {
  const unsigned int n = polyline ? polyline->numVerts() : 0;
  QvGePoint3d best;
  if (n == 0 || polyline->getPointAt(0, best) != Vexa::eOk) return;
  double bestDistance = best.distanceTo(point);
  unsigned int bestIndex = 0;
  // An open polyline has n - 1 segments; the closing one of a closed polyline runs from the
  // last vertex back to the first.
  const unsigned int segments = polyline->isClosed() ? n : n - 1;
  for (unsigned int i = 0; n > 1 && i < segments; ++i) {
    QvGePoint3d onSegment;
    if (polyline->segType(i) == QvDbPolyline::kArc) {
      QvGeCircArc3d arc;
      if (polyline->getArcSegAt(i, arc) != Vexa::eOk) continue;
      onSegment = arc.closestPointTo(point);
    } else {
      QvGePoint3d a;
      QvGePoint3d b;
      if (polyline->getPointAt(i, a) != Vexa::eOk ||
          polyline->getPointAt((i + 1) % n, b) != Vexa::eOk)
        continue;
      onSegment = a == b ? a : QvGeLineSeg3d(a, b).closestPointTo(point);
    }
    const double d = onSegment.distanceTo(point);
    if (d < bestDistance) {
      bestDistance = d;
      best = onSegment;
      bestIndex = i;
    }
  }
  closest = best;
  segmentIndex = bestIndex;
}

void XqDbUtil::getGsMarkerBySubEnt(QvDbObjectId vertexId, int64_t& marker) {
  QvDbObjectPointer<QvDbEntity> vertex(vertexId, QvDb::kForRead);
  if (!vertex) return;
  const QvRxClass* cls = vertex->isA();
  if (cls != QvDb2dVertex::desc() && cls != QvDb3dPolylineVertex::desc()) return;
  const QvDbObjectId ownerId = vertex->ownerId();
  vertex.close();
  QvDbObjectPointer<QvDbCurve> owner(ownerId, QvDb::kForRead);
  if (!owner || !(QvDb2dPolyline::cast(owner.object()) || QvDb3dPolyline::cast(owner.object())))
    return;
  const auto* imp =
      dynamic_cast<const QvDbVertexPolylineImp*>(QvDbSystemInternals::getImpObject(owner.object()));
  int64_t found = 0;
  if (imp && imp->getGsMarkerBySubEnt(vertexId, found) == Vexa::eOk) marker = found;
}

void XqDbUtil::getSelectedEntityFromIdPath(const XqVector<QvDbObjectId>& fullPath,
                                           QvDbEntity*& entity) {
  entity = nullptr;
  const XqVector<QvDbObjectId> path = withoutLeadingViewport(fullPath);
  if (path.isEmpty()) return;
  QvDbObjectIdArray ids;
  for (int i = 0; i < path.length(); ++i) ids.append(path[i]);
  QvGeMatrix3d toWorld;
  if (qvdbGetModelToWorldTransform(ids, toWorld) != Vexa::eOk) return;
  QvDbObjectPointer<QvDbEntity> picked(path.last(), QvDb::kForRead);
  if (!picked) return;
  const QvRxClass* cls = picked->isA();
  if ((cls == QvDb2dVertex::desc() || cls == QvDb3dPolylineVertex::desc()) && path.length() >= 2)
    picked.open(path[path.length() - 2], QvDb::kForRead);
  QvDbEntity* copy = nullptr;
  if (picked && picked->getTransformedCopy(toWorld, copy) == Vexa::eOk) entity = copy;
}

QvDbEntity* XqDbUtil::getSelectedEntityFromTheBlock(const QvDbBlockReference* reference,
                                                    const QvGePoint3d& point, double& distance) {
  QvArray<QvDbEntity*> pieces;
  if (!reference || reference->explode(pieces) != Vexa::eOk) return nullptr;
  EntityPtr best;
  for (int i = 0; i < pieces.length(); ++i) {
    EntityPtr piece(pieces[i]);
    double d = 0.0;
    if (distanceToCurve(piece.get(), point, d)) {
      if (d < distance) {
        distance = d;
        best = std::move(piece);
      }
    } else if (const auto* region = QvDbRegion::cast(piece.get())) {
      QvArray<QvDbEntity*> curves;
      bool closer = false;
      if (region->explode(curves) == Vexa::eOk) {
        for (int c = 0; c < curves.length(); ++c) {
          if (distanceToCurve(curves[c], point, d) && d < distance) {
            distance = d;
            closer = true;
          }
        }
      }
      deletePieces(curves);
      if (closer) best = std::move(piece);
    } else if (const auto* nested = QvDbBlockReference::cast(piece.get())) {
      if (QvDbEntity* found = getSelectedEntityFromTheBlock(nested, point, distance))
        best.reset(found);
    }
  }
  return best.release();
}

bool XqDbUtil::isSupportableSelEntToDim(bool rejectTables, const XqVector<QvDbObjectId>& path) {
  if (path.isEmpty()) return false;
  for (int i = 0; i < path.length(); ++i) {
    QvDbObjectPointer<QvDbObject> object(path[i], QvDb::kForRead);
    const bool last = i == path.length() - 1;
    if (!object) {
      if (last) return false;  // the picked entity itself must be there
      continue;
    }
    if (last) return !isViewport(object.object());
    if ((rejectTables && isTable(object.object())) || isDimension(object.object())) return false;
  }
  return false;
}

bool XqDbUtil::isSupportableDimSnapObj(const XqVector<QvDbObjectId>& path, int64_t /*marker*/) {
  return isSupportableSelEntToDim(true, path);
}

bool XqDbUtil::getPolylineGsMarkerByGivenPointInViewDir(QvDbObjectId entityId,
                                                        const QvGePoint3d& point, int64_t& marker,
                                                        const QvGeMatrix3d* xform) {
  QvDbObjectPointer<QvDbEntity> entity(entityId, QvDb::kForRead);
  if (!entity) return false;
  return getPolylineGsMarkerByGivenPointInViewDir(entity.object(), point, marker, xform);
}

bool XqDbUtil::getPolylineGsMarkerByGivenPointInViewDir(const QvDbEntity* entity,
                                                        const QvGePoint3d& point, int64_t& marker,
                                                        const QvGeMatrix3d* xform) {
  QvGeVector3d viewDir;
  if (!entity || getViewDirWcs(viewDir) != Vexa::eOk) return false;
  const auto* lw = QvDbPolyline::cast(entity);
  const auto* p2 = QvDb2dPolyline::cast(entity);
  const auto* p3 = QvDb3dPolyline::cast(entity);
  if (!lw && !p2 && !p3) return marker > 0;
  EntityPtr transformed;
  const QvDbCurve* curve = QvDbCurve::cast(entity);
  if (xform) {
    QvDbEntity* copy = nullptr;
    if (entity->getTransformedCopy(*xform, copy) != Vexa::eOk) return false;
    transformed.reset(copy);
    curve = QvDbCurve::cast(copy);
  }
  QvGePoint3d onCurve;
  double param = 0.0;
  if (!curve || curve->getClosestPointTo(point, viewDir, onCurve) != Vexa::eOk ||
      curve->getParamAtPoint(onCurve, param) != Vexa::eOk || !std::isfinite(param))
    return false;
  if (lw) {
    const auto* imp =
        dynamic_cast<const QvDbPolylineImp*>(QvDbSystemInternals::getImpObject(curve));
    marker = imp ? imp->getGsMarkerByPoint(onCurve) : 0;
    if (marker < 1) marker = static_cast<int64_t>(std::trunc(param + 1));
  } else {
    // The vertices of the polyline itself: a transformed copy's are in no database.
    std::unique_ptr<QvDbObjectIterator> it(p2 ? p2->vertexIterator() : p3->vertexIterator());
    for (int64_t steps = static_cast<int64_t>(std::trunc(param)); it && !it->done() && steps > 0;
         --steps)
      it->step();
    if (it && !it->done() && !it->objectId().isNull()) marker = it->objectId().asOldId();
  }
  return marker > 0;
}
