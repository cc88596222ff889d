#pragma once

#include "sdk/base/VexaErrorStatus.h"

class QvDbCurve;
class QvDbPolyline;
class QvGeCompositeCurve3d;
class QvGeCurve3d;

// Conversions of database curves into geometry curves. Results are new objects that the
// caller deletes.
class QvDbToQvGe {
 public:
  // A lightweight polyline as a composite of line segments and circular arcs in the world,
  // one per segment of non-zero length (the composite's parameter lays the pieces' own
  // intervals end to end). Null when the polyline has no such segment or is null.
  static QvGeCompositeCurve3d* compositeCurve3d(const QvDbPolyline* polyline);
  // Any curve: lines as segments, circles and arcs as circular arcs, ellipses as elliptical
  // arcs, splines as NURBS curves, rays and xlines as rays and lines, lightweight and 2D
  // polylines as composites, 3D polylines as polylines. With unbounded, the carrier (see
  // QvDbCurve::getGeCurve). eNullPtr, eInvalidInput for degenerate geometry.
  static Vexa::ErrorStatus curve3d(const QvDbCurve* curve, QvGeCurve3d*& result,
                                   bool unbounded = false);
};
