#pragma once

#include "sdk/db/QvDbEntity.h"

// A 3D face: three or four vertices in order (a triangle repeats its third vertex), not
// necessarily in one plane, and which of its four edges are invisible.
class QvDbFace : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbFace);

  QvDbFace() = default;
  QvDbFace(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
           const QvGePoint3d& p3, bool e0vis = true, bool e1vis = true, bool e2vis = true,
           bool e3vis = true);
  QvDbFace(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2, bool e0vis = true,
           bool e1vis = true, bool e2vis = true, bool e3vis = true);

  // Vertex index 0 to 3 (eInvalidIndex otherwise).
  Vexa::ErrorStatus getVertexAt(int index, QvGePoint3d& point) const;
  Vexa::ErrorStatus setVertexAt(int index, const QvGePoint3d& point);
  // Edge i runs from vertex i to vertex i + 1 (edge 3 back to vertex 0).
  Vexa::ErrorStatus isEdgeVisibleAt(int index, bool& visible) const;
  Vexa::ErrorStatus makeEdgeVisibleAt(int index);
  Vexa::ErrorStatus makeEdgeInvisibleAt(int index);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The vertices in order.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // The visible edges.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d vertices_[4];
  bool invisible_[4] = {false, false, false, false};
};
