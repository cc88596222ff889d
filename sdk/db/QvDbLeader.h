#pragma once

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGePolyline3d.h"

// A leader: straight segments through its vertices (the first at the arrowhead) in the plane
// of its normal, pointing from an annotation (a text, a block reference, a tolerance frame) to
// what it annotates. Its parameter is the vertex index plus the fraction of the segment that
// follows the vertex. It needs two vertices to be a curve; the curve queries of a leader with
// fewer answer eInvalidInput.
class QvDbLeader : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbLeader);

  QvDbLeader() = default;

  int numVertices() const;
  Vexa::ErrorStatus appendVertex(const QvGePoint3d& point);
  // eInvalidIndex for an index past the last vertex (nothing to remove).
  Vexa::ErrorStatus getVertexAt(int index, QvGePoint3d& point) const;
  Vexa::ErrorStatus setVertexAt(int index, const QvGePoint3d& point);
  Vexa::ErrorStatus removeLastVertex();

  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero

  // The annotation the leader belongs to (null when none).
  QvDbObjectId annotationObjId() const;
  Vexa::ErrorStatus attachAnnotation(QvDbObjectId annotationId);
  Vexa::ErrorStatus detachAnnotation();

  bool isClosed() const override { return false; }

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The vertices' box (also of a leader of one vertex).
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The vertices in order.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3dArray vertices_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvDbObjectId annotationId_;
  // The segments as a geometry curve, made for the queries from the vertices.
  mutable QvGePolyline3d path_;
};
