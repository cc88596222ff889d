#pragma once

#include "sdk/ge/QvGeMatrix3d.h"

namespace qvdb_detail {

// How entities that lie in a plane (arcs, circles, ellipses, polylines, texts) follow a
// matrix. The image of the plane's normal is taken in the sense of the matrix applied to the
// normal (its inverse transpose), so a mirror in a line of the plane keeps a drawing's normal
// where it was and the entity runs the other way round instead; isMirroring tells when that
// happens.
bool isMirroring(const QvGeMatrix3d& xform);
// The unit normal of the image plane; false for a matrix that flattens the plane.
bool imageNormal(const QvGeMatrix3d& xform, const QvGeVector3d& normal, QvGeVector3d& result);
// The matrix's linear part scales every direction of the plane with normal `normal` by one
// factor (returned), possibly with a mirror; false otherwise.
bool isUniformInPlane(const QvGeMatrix3d& xform, const QvGeVector3d& normal, double& factor);
// The square root of the factor by which the matrix scales areas of that plane.
double areaScaleInPlane(const QvGeMatrix3d& xform, const QvGeVector3d& normal);
// The angle of a direction in the arbitrary-axis frame of a normal, in [0, 2 pi).
double angleInFrame(const QvGeVector3d& direction, const QvGeVector3d& normal);
// The unit direction at an angle in that frame.
QvGeVector3d directionInFrame(double angle, const QvGeVector3d& normal);
// An angle brought into [0, 2 pi).
double normalizeAngle(double angle);

}  // namespace qvdb_detail
