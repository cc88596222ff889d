#pragma once

#include "sdk/ge/QvGeContext.h"
#include "sdk/ge/detail/ConicArc.h"
#include "sdk/ge/detail/IntersectionRecords.h"

class QvGeLinearEnt3d;

// Intersections in closed form of lines, rays, segments, circles and elliptical arcs in space.
// Points within tol.equalPoint of both curves count; parameters a little outside an interval
// (by tol.equalPoint measured along the curve) are moved onto its bound. Collinear lines and
// coincident circles give overlaps, with their ends as kIntOverlapEnd records; curves that touch
// without crossing give one kIntTangent record.
namespace qvge_detail {

void intersectLines(const QvGeLinearEnt3d& a, const QvGeLinearEnt3d& b, const QvGeTol& tol,
                    IntSink& out);
// `swapped` writes the conic's parameter as the first one.
void intersectLineConic(const QvGeLinearEnt3d& a, const ConicArc<3>& c, const QvGeTol& tol,
                        bool swapped, IntSink& out);
// Both conics must be circles (a == b).
void intersectCircles(const ConicArc<3>& a, const ConicArc<3>& b, const QvGeTol& tol, IntSink& out);

}  // namespace qvge_detail
