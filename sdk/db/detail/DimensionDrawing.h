#pragma once

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbArc;
class QvDbLine;
class QvDbMText;
class QvDbSolid;

// The pieces dimension blocks are drawn with.
namespace qvdb_detail {

// A measured value as plain text: four decimals at most, without trailing zeros.
QvString dimensionNumber(double value);
// An angle given in radians, as degrees with the degree sign.
QvString dimensionDegrees(double radians);

// A filled triangle with its tip at `tip`, its base `size` back along `back` (a unit vector),
// a third of `size` wide.
QvDbSolid* dimensionArrowhead(const QvGePoint3d& tip, const QvGeVector3d& back, double size,
                              const QvGeVector3d& normal);

// From near `origin` (the measured point) to past `foot` (its foot on the dimension line); along
// `fallback` when the two coincide.
QvDbLine* dimensionExtensionLine(const QvGePoint3d& origin, const QvGePoint3d& foot,
                                 const QvGeVector3d& fallback, double offset, double beyond);

// `along` turned, if need be, so that text written along it reads from left to right in the
// plane of `normal`.
QvGeVector3d readingDirection(const QvGeVector3d& along, const QvGeVector3d& normal);

// The measurement: multi-line text centred at `position`, reading along `direction`.
QvDbMText* dimensionLabel(const QvGePoint3d& position, const QvGeVector3d& direction,
                          const QvGeVector3d& normal, double height, const QvString& contents);

// The angle of a direction in the plane of `normal`, as arcs of that normal take their angles.
double planeAngle(const QvGeVector3d& direction, const QvGeVector3d& normal);
// The unit direction at `angle` in the plane of `normal` (the inverse of planeAngle).
QvGeVector3d planeDirection(double angle, const QvGeVector3d& normal);

}  // namespace qvdb_detail
