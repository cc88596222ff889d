#pragma once

#include <vector>

#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbArc;
class QvDbCurve;

// One segment of a curve to join: its ends in world coordinates and its bulge about the
// normal of its plane (a JoinPlane normal).
struct JoinSegment {
  QvGePoint3d start;
  QvGePoint3d end;
  double bulge = 0.0;
};

// The segments one input curve gives, all in the plane of `normal`.
struct JoinCurveSegments {
  QvGeVector3d normal;
  std::vector<JoinSegment> segments;
};

// What joining makes of an input curve.
enum class JoinCurveUse {
  kIgnored,   // nothing: another kind, nothing to join, no plane or non-finite data
  kSegments,  // its segments are joined
  kCopy,      // it goes to the output as a copy (circles, arcs of a whole turn)
};

// Reads an input curve the way CombineHelper::ChangeToPolyLine takes it, by the first class
// that matches: spline or ellipse (approximated), arc, line, circle, lightweight polyline (a
// closed one with its closing segment). `out` is replaced; it holds segments only for
// kSegments.
JoinCurveUse readJoinCurve(const QvDbCurve* curve, JoinCurveSegments& out);

// The bulge of an arc: tan(sweep / 4) with sweep = end angle - start angle, plus 2 pi when
// negative.
double joinArcBulge(const QvDbArc& arc);
