#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

class QvGeCurve3d;
class QvGeInterval;
class QvGePlane;
namespace qvdb_detail {
struct CurveGeometry;
class GeCurveBuffer;
}  // namespace qvdb_detail

// A curve entity: a point function of one parameter, answered in the host's conventions.
//
// Parameters. A line runs from 0 at its start to its length at its end; circles and arcs take
// the angle from the x axis of the arbitrary-axis frame of their normal, counterclockwise about
// the normal (an arc's end parameter is its end angle, plus 2 pi when below the start angle);
// ellipses their eccentric angle from the major axis; splines their NURBS parameter; rays and
// xlines the distance from the base point along the direction; polylines the vertex index
// plus the fraction of the segment that follows the vertex (of its length for a straight
// segment, of its angle for an arc).
//
// Bad input. A parameter outside the curve, a point off the curve (farther than
// pointTolerance), a distance beyond its ends, a split at no parameter or degenerate geometry
// answer eInvalidInput (eNotApplicable where the kind has no such thing: the end of a ray, the
// area of a non-planar curve); outputs and the entity are then unchanged.
//
// The kinds made of one piece (line, circle, arc, ellipse, spline, ray, xline) answer through
// the geometry library from a curve built on the stack, with no allocation; polylines answer
// segment by segment, touching only the segments a query needs.
class QvDbCurve : public QvDbEntity {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbCurve);

  // How far a point may lie from the curve and still count as on it: 1e-9 relative to the
  // point's size, and never less than the global equal-point tolerance.
  static double pointTolerance(const QvGePoint3d& point);

  virtual bool isClosed() const;
  // Closed with a carrier that repeats: circles, full ellipses, periodic splines.
  virtual bool isPeriodic() const;

  virtual Vexa::ErrorStatus getStartParam(double& param) const;
  virtual Vexa::ErrorStatus getEndParam(double& param) const;
  virtual Vexa::ErrorStatus getStartPoint(QvGePoint3d& point) const;
  virtual Vexa::ErrorStatus getEndPoint(QvGePoint3d& point) const;
  virtual Vexa::ErrorStatus getPointAtParam(double param, QvGePoint3d& point) const;
  virtual Vexa::ErrorStatus getParamAtPoint(const QvGePoint3d& point, double& param) const;
  // Arc length from the start (from the base point, signed, for an xline).
  virtual Vexa::ErrorStatus getDistAtParam(double param, double& dist) const;
  virtual Vexa::ErrorStatus getParamAtDist(double dist, double& param) const;
  virtual Vexa::ErrorStatus getDistAtPoint(const QvGePoint3d& point, double& dist) const;
  virtual Vexa::ErrorStatus getPointAtDist(double dist, QvGePoint3d& point) const;
  // Derivatives with respect to the parameter.
  virtual Vexa::ErrorStatus getFirstDeriv(double param, QvGeVector3d& firstDeriv) const;
  virtual Vexa::ErrorStatus getFirstDeriv(const QvGePoint3d& point, QvGeVector3d& firstDeriv) const;
  virtual Vexa::ErrorStatus getSecondDeriv(double param, QvGeVector3d& secondDeriv) const;
  virtual Vexa::ErrorStatus getSecondDeriv(const QvGePoint3d& point,
                                           QvGeVector3d& secondDeriv) const;
  // The point of the curve nearest givenPoint; with extend, of its carrier (see
  // QvDb::Intersect). The projected form takes the point nearest the line through givenPoint
  // along direction (the nearest as seen along the direction); eInvalidInput for a zero
  // direction. Seen along the normal of a flat curve the answer is in closed form; along any
  // other direction the geometry library searches (and allocates) for arcs and conics.
  virtual Vexa::ErrorStatus getClosestPointTo(const QvGePoint3d& givenPoint,
                                              QvGePoint3d& pointOnCurve, bool extend = false) const;
  virtual Vexa::ErrorStatus getClosestPointTo(const QvGePoint3d& givenPoint,
                                              const QvGeVector3d& direction,
                                              QvGePoint3d& pointOnCurve, bool extend = false) const;

  // The curve projected onto the plane along projDir (along the plane's normal), as a new
  // curve in no database with this curve's properties: lines stay lines, arcs and circles
  // become arcs, circles or ellipses, polylines stay polylines when what they become is still
  // one (eNotApplicable otherwise). eInvalidInput for a zero direction or one in the plane,
  // eDegenerateGeometry when the image collapses.
  virtual Vexa::ErrorStatus getOrthoProjectedCurve(const QvGePlane& plane,
                                                   QvDbCurve*& projCurve) const;
  virtual Vexa::ErrorStatus getProjectedCurve(const QvGePlane& plane, const QvGeVector3d& projDir,
                                              QvDbCurve*& projCurve) const;

  // The pieces between the given parameters (any order; repeats and the curve's own ends are
  // ignored), appended as new curves with this curve's properties. An open curve gives one
  // piece more than there are parameters inside it; a closed curve (its start a parameter
  // like any other) gives as many pieces as parameters, each starting at one and the last
  // running through the seam. A single parameter opens a closed polyline or spline there; a
  // circle or whole ellipse comes back whole. eInvalidInput for no parameter or one outside
  // the curve; nothing is appended on failure.
  virtual Vexa::ErrorStatus getSplitCurves(const QvGeDoubleArray& params,
                                           QvArray<QvDbEntity*>& curveSegments) const;
  // The same at the parameters of points on the curve.
  virtual Vexa::ErrorStatus getSplitCurves(const QvGePoint3dArray& points,
                                           QvArray<QvDbEntity*>& curveSegments) const;

  // Lengthens the curve to a parameter beyond its start or its end (the curve's parameters
  // are then those of its new shape). eInvalidInput for a parameter inside the curve,
  // eNotApplicable for closed curves and kinds that cannot grow (splines, xlines).
  virtual Vexa::ErrorStatus extend(double newParam);
  // Lengthens the curve at its start or its end to a point of its carrier beyond that end.
  virtual Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint);

  // Area enclosed by the curve and, for an open curve, the chord from its end back to its
  // start (0 for straight curves); eNotApplicable for a curve that is not planar or not
  // bounded.
  virtual Vexa::ErrorStatus getArea(double& area) const;
  // Reverses the direction: start and end change places, the parameters run the other way.
  virtual Vexa::ErrorStatus reverseCurve();

  // The curve's geometry as a new geometry curve (the caller deletes it); with unbounded, its
  // carrier (see QvDb::Intersect). Polylines give composite curves (lightweight and 2D) or
  // polylines (3D). eInvalidInput for degenerate geometry.
  Vexa::ErrorStatus getGeCurve(QvGeCurve3d*& curve, bool unbounded = false) const;

 protected:
  QvDbCurve() = default;
  QvDbCurve(const QvDbCurve&) = default;
  QvDbCurve& operator=(const QvDbCurve&) = default;

  // The geometry of the one-piece kinds, built in `buffer` (the spline hands its own curve);
  // null when the data make no curve. With unbounded, the carrier.
  virtual const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                                     bool unbounded = false) const;
  // The geometry curve as a new object, for the kinds made of several pieces.
  virtual QvGeCurve3d* newGeCurve(bool unbounded) const;
  // This curve's parameter per parameter of its geometry curve (a line's length).
  virtual double paramScale() const { return 1.0; }

  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;

  // The geometry curve of a one-piece kind with its interval and parameter scale, after the
  // read check (eInvalidInput when the data make no curve).
  Vexa::ErrorStatus geometry(qvdb_detail::CurveGeometry& geo) const;
  // Appends the new curves, each with this curve's properties; false (nothing appended, all
  // deleted) when one is null.
  bool adoptPieces(QvArray<QvDbCurve*>& pieces, QvArray<QvDbEntity*>& out) const;
};
