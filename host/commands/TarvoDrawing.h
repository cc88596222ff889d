#pragma once

#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbArc;
class QvDbEntity;

// What the drawing commands make, and where it goes.
namespace TarvoDrawing {

// Gives a new entity the working drawing's current settings (layer, colour, linetype) and
// appends it to the current space, closed. Its id; the null id, with the entity deleted, when
// it cannot be added.
QvDbObjectId addToCurrentSpace(QvDbEntity* entity);

// The arc counterclockwise about `normal` from `start` to `end` round `center` (world
// points; the ends are taken at the arc's radius, that of `start`). Null for a zero radius.
QvDbArc* arcAround(const QvGePoint3d& center, const QvGeVector3d& normal, const QvGePoint3d& start,
                   const QvGePoint3d& end);

// The arc from `start` through `second` to `end`, with the normal `normal` (it then runs from
// whichever end lies first counterclockwise). Null when the points lie on one line.
QvDbArc* arcThrough(const QvGePoint3d& start, const QvGePoint3d& second, const QvGePoint3d& end,
                    const QvGeVector3d& normal);

// Bulges of polyline segments about `normal` from `start` to `end`: of the arc that leaves
// `start` along `tangent`, and of the arc through `second`. 0 when the arc is a straight line.
double tangentArcBulge(const QvGePoint3d& start, const QvGeVector3d& tangent,
                       const QvGePoint3d& end, const QvGeVector3d& normal);
double threePointBulge(const QvGePoint3d& start, const QvGePoint3d& second, const QvGePoint3d& end,
                       const QvGeVector3d& normal);

}  // namespace TarvoDrawing
