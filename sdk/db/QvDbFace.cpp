#include "sdk/db/QvDbFace.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PointsPlane.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbFace)

QvDbFace::QvDbFace(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
                   const QvGePoint3d& p3, bool e0vis, bool e1vis, bool e2vis, bool e3vis)
    : vertices_{p0, p1, p2, p3}, invisible_{!e0vis, !e1vis, !e2vis, !e3vis} {}

QvDbFace::QvDbFace(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2, bool e0vis,
                   bool e1vis, bool e2vis, bool e3vis)
    : QvDbFace(p0, p1, p2, p2, e0vis, e1vis, e2vis, e3vis) {}

Vexa::ErrorStatus QvDbFace::getVertexAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  point = vertices_[index];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::setVertexAt(int index, const QvGePoint3d& point) {
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index] = point;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::isEdgeVisibleAt(int index, bool& visible) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  visible = !invisible_[index];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::makeEdgeVisibleAt(int index) {
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  invisible_[index] = false;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::makeEdgeInvisibleAt(int index) {
  if (index < 0 || index > 3) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  invisible_[index] = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::subTransformBy(const QvGeMatrix3d& xform) {
  for (QvGePoint3d& v : vertices_) v.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::subGetGeomExtents(QvDbExtents& extents) const {
  for (const QvGePoint3d& v : vertices_) extents.addPoint(v);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                             QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (const QvGePoint3d& v : vertices_) grips.add(v, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  QvGePoint3dArray points;
  double tol = QvGeContext::gTol.equalPoint();
  for (const QvGePoint3d& v : vertices_) {
    points.append(v);
    tol = std::fmax(tol, qvdb_detail::pointTolerance(v));
  }
  qvdb_detail::planeOfPoints(points, tol, plane, planarity);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFace::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  for (int i = 0; i < 4; ++i) {
    const QvGePoint3d& a = vertices_[i];
    const QvGePoint3d& b = vertices_[(i + 1) % 4];
    if (!a.isEqualTo(b)) curves.append(new QvGeLineSeg3d(a, b));
  }
  return Vexa::eOk;
}

bool QvDbFace::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  for (int i = 0; i < 4; ++i) {
    if (invisible_[i]) continue;
    const QvGePoint3d edge[2] = {vertices_[i], vertices_[(i + 1) % 4]};
    if (!edge[0].isEqualTo(edge[1])) wd->geometry().polyline(2, edge);
  }
  return true;
}
