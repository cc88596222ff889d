#pragma once

#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/detail/SegmentChain.h"

// What the three polylines share: they are chains of straight and circular segments through
// their vertices (see qvdb_detail::SegmentChain), and answer every curve query, the area, the
// extents, the plane, the outline, explode (into lines and arcs) and drawing from that chain.
// Each kind says where its vertices are and how it changes them. Not a class of the host's
// class tree: casts and class tests see the polyline classes only.
class QvDbSegmentedCurve : public QvDbCurve {
 public:
  Vexa::ErrorStatus getStartParam(double& param) const override;
  Vexa::ErrorStatus getEndParam(double& param) const override;
  Vexa::ErrorStatus getStartPoint(QvGePoint3d& point) const override;
  Vexa::ErrorStatus getEndPoint(QvGePoint3d& point) const override;
  Vexa::ErrorStatus getPointAtParam(double param, QvGePoint3d& point) const override;
  Vexa::ErrorStatus getParamAtPoint(const QvGePoint3d& point, double& param) const override;
  Vexa::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Vexa::ErrorStatus getParamAtDist(double dist, double& param) const override;
  Vexa::ErrorStatus getFirstDeriv(double param, QvGeVector3d& firstDeriv) const override;
  using QvDbCurve::getFirstDeriv;
  Vexa::ErrorStatus getSecondDeriv(double param, QvGeVector3d& secondDeriv) const override;
  using QvDbCurve::getSecondDeriv;
  Vexa::ErrorStatus getClosestPointTo(const QvGePoint3d& givenPoint, QvGePoint3d& pointOnCurve,
                                      bool extend = false) const override;
  Vexa::ErrorStatus getClosestPointTo(const QvGePoint3d& givenPoint, const QvGeVector3d& direction,
                                      QvGePoint3d& pointOnCurve,
                                      bool extend = false) const override;
  // Every vertex projected; the segments stay what they are when the plane is parallel to the
  // polyline's, and must all be straight otherwise (eNotApplicable).
  Vexa::ErrorStatus getProjectedCurve(const QvGePlane& plane, const QvGeVector3d& projDir,
                                      QvDbCurve*& projCurve) const override;
  Vexa::ErrorStatus getSplitCurves(const QvGeDoubleArray& params,
                                   QvArray<QvDbEntity*>& curveSegments) const override;
  using QvDbCurve::getSplitCurves;
  // Moves the first or last vertex along the end segment's carrier (the end arc grows).
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;
  double length() const;

 protected:
  QvDbSegmentedCurve() = default;
  QvDbSegmentedCurve(const QvDbSegmentedCurve&) = default;
  QvDbSegmentedCurve& operator=(const QvDbSegmentedCurve&) = default;

  // The vertices the chain runs through, in chain coordinates: the lightweight polyline hands
  // its own, the others fill `scratch` with the vertices they keep.
  virtual const std::vector<qvdb_detail::ChainVertex>& chainVertices(
      std::vector<qvdb_detail::ChainVertex>& scratch) const = 0;
  // Chain coordinates to the world, and the world z axis of the chain.
  virtual QvGeMatrix3d chainToWorld() const = 0;
  virtual QvGeVector3d chainNormal() const = 0;
  // A new polyline of this kind, in no database with this one's settings and properties,
  // through vertices given in world coordinates that lie in a plane with the given normal
  // (3D polylines ignore the normal and the bulges). Null when the kind cannot hold them.
  virtual QvDbCurve* newPiece(const std::vector<qvdb_detail::ChainVertex>& worldVertices,
                              bool closed, const QvGeVector3d& normal) const = 0;
  // Moves an end vertex and sets the bulge of the end segment (the entity open for write).
  virtual Vexa::ErrorStatus applyEndChange(const qvdb_detail::SegmentChain::EndChange& change) = 0;
  // The selection marker of segment i when drawn (see the kinds).
  virtual int64_t segmentMarker(int segment) const { return segment + 1; }

  QvGeCurve3d* newGeCurve(bool unbounded) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // Lines and arcs, one per segment of non-zero length, with the polyline's properties.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& entitySet) const override;
  // The vertices, in order.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // Each segment as a polyline or an arc, under its selection marker.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

  // Runs `query` on the chain; eNotOpenForRead when the entity may not be read.
  template <class Query>
  Vexa::ErrorStatus withChain(Query query) const;
};

template <class Query>
Vexa::ErrorStatus QvDbSegmentedCurve::withChain(Query query) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  std::vector<qvdb_detail::ChainVertex> scratch;
  const qvdb_detail::SegmentChain chain(chainVertices(scratch), isClosed(), chainToWorld(),
                                        chainNormal());
  return query(chain);
}
