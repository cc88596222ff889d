#pragma once

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbCurve;

// What every bounded curve entity must keep, checked against independent computations (its
// own points, finite differences, dense chords, brute-force nearest samples) rather than
// against its algorithms. Each check fails the running test with the parameter concerned.
namespace dbcurvecheck {

// The point at a parameter (the curve's own answer); a refusal fails the test.
QvGePoint3d at(const QvDbCurve& c, double t);

// The ends are the points at the end parameters; the parameter of a point of the curve is
// the one it was evaluated at (but at the seam of a closed curve); points off the curve have
// no parameter.
void pointsAndParams(const QvDbCurve& c);
// First and second derivatives agree with central differences of the points.
void derivativesMatchDifferences(const QvDbCurve& c);
// Distances agree with the sum of fine chords, and distance, parameter and point queries
// invert each other.
void distancesMatchChords(const QvDbCurve& c);
// The closest point to a point near the curve lies on it and is no farther than the nearest
// of dense samples; a point of the curve is its own closest point.
void closestPointsBeatSamples(const QvDbCurve& c);
// The extents hold dense samples and, but for splines (whose extents are those of their
// control points), are no larger than the samples' box.
void extentsHoldSamples(const QvDbCurve& c);
// A transformed copy holds the image of every point, the ends of an open curve are the images
// of its ends, and its length is scaled by the map's scale (m must keep shapes: a rotation, a
// uniform scaling, a mirror, a translation).
void transformMovesEveryPoint(const QvDbCurve& c, const QvGeMatrix3d& m);
// Reversing runs the same points the other way: the ends of an open curve change places, the
// length stays.
void reverseKeepsPoints(const QvDbCurve& c);

// All of the above, with a few maps.
void consistent(const QvDbCurve& c);

}  // namespace dbcurvecheck
