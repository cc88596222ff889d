#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/VexaErrorStatus.h"

class QvGeCurve3d;

// Geometry utilities that work across curve kinds.
class QvGeUtility {
 public:
  // The curves that continue `curve` beyond one end (side QvGe::kStart = 1 or QvGe::kEnd = 2),
  // each starting at that end and running away from the curve, appended to `curves` (the
  // caller deletes them). What continues depends on the end piece (the first or last piece of
  // a composite, the end segment of a polyline):
  //   straight piece         a QvGeRay3d along the outward tangent;
  //   circular arc           the complementary QvGeCircArc3d: the rest of its circle;
  //   elliptical arc         the complementary QvGeEllipArc3d;
  //   NURBS curve            its extension segment (see getExtendSegment), turned to run
  //                          outward, then a QvGeRay3d from the segment's far end.
  // eInvalidInput for another side value or an invalid curve; eNotApplicable for an unbounded
  // end or a full circle or ellipse (nothing remains); eDegenerateGeometry when the end has no
  // tangent. Nothing is appended on failure.
  static Vexa::ErrorStatus qvgeGetComplementaryCurves(const QvGeCurve3d& curve, int side,
                                                      QvArray<QvGeCurve3d*>& curves);
};
