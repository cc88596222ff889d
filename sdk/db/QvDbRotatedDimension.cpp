#include "sdk/db/QvDbRotatedDimension.h"

#include <cmath>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRotatedDimension)

double QvDbRotatedDimension::rotation() const {
  assertReadEnabled();
  return rotation_;
}

Vexa::ErrorStatus QvDbRotatedDimension::setRotation(double rotation) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rotation_ = rotation;
  noteGeometryChanged();
  return Vexa::eOk;
}

QvGeVector3d QvDbRotatedDimension::direction(const QvGeVector3d& normal) const {
  QvGeVector3d inPlane(std::cos(rotation_), std::sin(rotation_), 0.0);
  return inPlane.transformBy(QvGeMatrix3d::planeToWorld(normal));
}

double QvDbRotatedDimension::subMeasurement(const QvGePoint3d& xLine1Point,
                                            const QvGePoint3d& xLine2Point) const {
  return std::fabs((xLine2Point - xLine1Point).dotProduct(direction(normal())));
}

Vexa::ErrorStatus QvDbRotatedDimension::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d movedDirection = direction(normal());
  movedDirection.transformBy(xform);
  if (const Vexa::ErrorStatus es = QvDbLengthDimension::subTransformBy(xform); es != Vexa::eOk)
    return es;
  // The turned direction, seen in the frame of the new plane.
  movedDirection.transformBy(QvGeMatrix3d::worldToPlane(normal()));
  rotation_ = std::atan2(movedDirection.y, movedDirection.x);
  return Vexa::eOk;
}

QvGeVector3d QvDbRotatedDimension::subDimLineDirection(const QvGePoint3d&,
                                                       const QvGePoint3d&) const {
  return direction(normal()).normal();
}
