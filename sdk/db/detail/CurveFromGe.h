#pragma once

class QvDbCurve;
class QvGeCurve3d;
class QvGeVector3d;

namespace qvdb_detail {

// A new database curve (in no database, default properties) holding a geometry curve: a
// segment as a line, an unbounded line as an xline, a ray as a ray, a circular arc as a circle
// (closed) or an arc, an elliptical arc as an ellipse, a NURBS curve as a spline, a polyline as
// a 3D polyline. With `normalSense`, planar results keep their normal on its side. Null for
// other kinds (composites) and invalid curves.
QvDbCurve* curveFromGe(const QvGeCurve3d& curve, const QvGeVector3d* normalSense = nullptr);

}  // namespace qvdb_detail
