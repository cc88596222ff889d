#pragma once

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/detail/IntersectionRecords.h"

// Intersections of any two curves by subdivision and Newton refinement:
//  1. each curve is cut into pieces with boxes (Bezier pieces with their control hulls for NURBS
//     curves, parameter ranges with exact boxes for the others);
//  2. pairs of pieces whose boxes (grown by the tolerance) meet are halved, the larger piece
//     first, until both are flat (control points or mid points within 1e-4 of the chord) and
//     not nearly parallel, or tiny;
//  3. the chords' nearest points seed a Newton iteration on the true curves (Gauss-Newton on
//     a(s) - b(t); alternating projections where the tangents are parallel), and the curves'
//     ends are tried against the other curve;
//  4. solutions within tol.equalPoint are kept, near duplicates merged; a solution whose
//     tangents differ by less than 1e-4 radians is kTangent;
//  5. flat, nearly parallel pairs lying on each other's curve are not halved further but
//     gathered into overlaps, whose ends are found by bisection.
// With dropZ the curves are compared by their x and y only (the caller has put them in the
// coordinates of a projection plane). At most workLimit pairs of pieces are examined; when
// pairs are left over, out.complete turns false (what was found is still written).
namespace qvge_detail {

void intersectGeneral(const QvGeCurve3d& a, double a0, double a1, const QvGeCurve3d& b, double b0,
                      double b1, const QvGeTol& tol, bool dropZ, int workLimit, IntSink& out);

}  // namespace qvge_detail
