#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbCurve;

// A new length for an open polyline of any of the three kinds (open for write), taken at the
// end nearer the pick: the start when the point of the polyline nearest the pick (seen along
// the view direction) comes no later than half its length. Shortening cuts the polyline there
// and keeps the rest; lengthening moves the end vertex on along the end segment, straight on
// a line and round its circle on an arc.
//
// eInvalidInput, the polyline unchanged, for a length that is not finite or not positive, a
// closed polyline, a polyline that gives no curve, and an end arc whose circle holds less
// than the increase (it would close or overlap itself); eNotApplicable when the view or the
// polyline's own queries fail; eNotOpenForWrite when it is not open for write.
Vexa::ErrorStatus xqSetPolylineLength(QvDbCurve& polyline, double newLength,
                                      const QvGePoint3d& pickPoint);
