#pragma once

#include "sdk/base/QvArray.h"

class QvDbCurve;

// The joining of curves into polylines written the plain way, as a reference for
// CombineHelper::ChangeToPolyLine: points numbered by a search from the front of a list, the
// next segment found by searching the list of segments left (those starting at the point
// first, then those ending there) and erasing it. Quadratic; for tests and benchmarks only.
//
// It handles the curves of planes parallel to the world XY plane (normal +Z or -Z): a curve of
// normal -Z has its bulges turned over, and each polyline keeps the elevation of its points.
// A closed polyline gives its closing segment; approximation points lie at i x step.
namespace LiteralCombine {

bool changeToPolyLine(const QvArray<QvDbCurve*>& inputs, QvArray<QvDbCurve*>& outputs);

}  // namespace LiteralCombine
