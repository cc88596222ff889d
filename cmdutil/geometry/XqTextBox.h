#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeMatrix3d.h"

class QvDbEntity;
class QvGePlane;
class QvGsView;

// The aligned UCS of a text box from its four bounding points (p0 top left, p1 top right, p2
// bottom left, p3 bottom right) at `origin`: x along the baseline, y square to it in the box's
// plane (an oblique box leans its sides, not the UCS). A pick point is checked (checkPick) but
// does not change the result. eNotApplicable for a count other than four or a box without size.
Vexa::ErrorStatus xqTextBoxUcs(const QvGePoint3dArray& box, const QvGePoint3d& origin,
                               const QvGePoint3d* pickPoint, const QvGsView* view,
                               QvGeMatrix3d& ucs);

// The points where the text box, grown by `margin` on every side, meets `other`, appended to
// `points`. eNotApplicable for a null entity or a count other than four.
Vexa::ErrorStatus xqTextBoxIntersections(QvGePoint3dArray box, const QvDbEntity* other,
                                         double margin, QvDb::Intersect intersectMode,
                                         QvGePoint3dArray& points, const QvGePlane& plane,
                                         bool usePlane);
