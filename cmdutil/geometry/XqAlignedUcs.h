#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGsView;

// Building blocks of the user coordinate systems the entity protocol extensions align with an
// entity. A frame written into a matrix is always orthonormal and right-handed.
namespace XqAlignedUcs {

// The normal, or world Z when it has no length.
QvGeVector3d normalOrZ(const QvGeVector3d& normal);

// The frame at `origin` whose x axis runs along `x` and whose z axis is as near `normal` as x
// allows: y = unit(N x x), z = x x y. When x has no length, the arbitrary-axis frame of N; when
// x stands on N, the arbitrary-axis frame of x in turned order (its z as x, its x as y, its y as
// z). False, matrix untouched, when neither makes a frame.
bool setFromX(QvGeMatrix3d& ucs, const QvGePoint3d& origin, const QvGeVector3d& x,
              const QvGeVector3d& normal);

// The frame (x, y, x x y) at `origin` from two axes that need be neither unit nor square: y is
// taken across x. False, matrix untouched, when they make no plane.
bool setFromXY(QvGeMatrix3d& ucs, const QvGePoint3d& origin, const QvGeVector3d& x,
               const QvGeVector3d& y);

// The part of `v` in the plane with normal `normal` (unit).
QvGeVector3d inPlane(const QvGeVector3d& v, const QvGeVector3d& normal);

// Keeps the axes the matrix holds and moves its origin.
void moveOrigin(QvGeMatrix3d& ucs, const QvGePoint3d& origin);

// What a pick point asks: eOk without one; eNotApplicable for a pick without a view;
// eInvalidInput for a pick that is not finite.
Vexa::ErrorStatus checkPick(const QvGePoint3d* pick, const QvGsView* view);

// Whether the second of two candidate points is the one nearer the pick in the display
// coordinates of the view: only when the first is strictly farther. Without a pick, the first.
// A pick checkPick refuses gives its status.
Vexa::ErrorStatus nearerIsSecond(const QvGePoint3d* pick, const QvGsView* view,
                                 const QvGePoint3d& first, const QvGePoint3d& second,
                                 bool& secondIsNearer);

// The pick moved along the view direction onto the plane; the pick itself when that line does
// not meet the plane.
QvGePoint3d projectPick(const QvGePoint3d& pick, const QvGsView& view, const QvGePlane& plane);

// The snap angle ("SNAPANG"), 0 when it cannot be read.
double snapAngle();

}  // namespace XqAlignedUcs
