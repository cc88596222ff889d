#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbCurve;

// Which end of a curve a picked point names, as the commands that change a curve's length or
// angle decide it: the pick is taken to the curve along the current view direction.
namespace XqCurveEndPick {

// The point of `curve` (not extended) nearest `pick` as seen along the view direction.
// eNotApplicable when there is no view direction or the curve answers none.
Vexa::ErrorStatus pickedPoint(const QvDbCurve& curve, const QvGePoint3d& pick,
                              QvGePoint3d& onCurve);

// For lines and arcs: true when the end point is meant, that is when the picked point lies
// strictly farther from the start than from the end (a tie names the start).
Vexa::ErrorStatus endMeant(const QvDbCurve& curve, const QvGePoint3d& pick, bool& end);

}  // namespace XqCurveEndPick

// An angle brought into [0, 2 pi); NaN and infinities stay what they are.
double xqAngleInFullTurn(double angle);
