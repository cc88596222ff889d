#include "sdk/db/QvDbShape.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbShape)

namespace {

bool finite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The x axis of the shape's plane turned by the rotation, in the world.
QvGeVector3d directionOf(double rotation, const QvGeVector3d& normal) {
  QvGeVector3d x(std::cos(rotation), std::sin(rotation), 0.0);
  return x.transformBy(QvGeMatrix3d::planeToWorld(normal));
}

}  // namespace

QvDbShape::QvDbShape(const QvGePoint3d& position, double size, const QvString& name,
                     double rotation, double widthFactor) {
  setPosition(position);
  setSize(size);
  setName(name);
  setRotation(rotation);
  setWidthFactor(widthFactor);
}

QvGePoint3d QvDbShape::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbShape::setPosition(const QvGePoint3d& position) {
  if (!finite(position)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

double QvDbShape::size() const {
  assertReadEnabled();
  return size_;
}

Vexa::ErrorStatus QvDbShape::setSize(double size) {
  if (!std::isfinite(size) || size == 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  size_ = size;
  return Vexa::eOk;
}

QvString QvDbShape::name() const {
  assertReadEnabled();
  return name_;
}

Vexa::ErrorStatus QvDbShape::setName(const QvString& name) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  name_ = name;
  return Vexa::eOk;
}

double QvDbShape::rotation() const {
  assertReadEnabled();
  return rotation_;
}

Vexa::ErrorStatus QvDbShape::setRotation(double rotation) {
  if (!std::isfinite(rotation)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rotation_ = rotation;
  return Vexa::eOk;
}

double QvDbShape::widthFactor() const {
  assertReadEnabled();
  return widthFactor_;
}

Vexa::ErrorStatus QvDbShape::setWidthFactor(double factor) {
  if (!std::isfinite(factor) || factor == 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  widthFactor_ = factor;
  return Vexa::eOk;
}

double QvDbShape::oblique() const {
  assertReadEnabled();
  return oblique_;
}

Vexa::ErrorStatus QvDbShape::setOblique(double oblique) {
  if (!std::isfinite(oblique)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  oblique_ = oblique;
  return Vexa::eOk;
}

double QvDbShape::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbShape::setThickness(double thickness) {
  if (!std::isfinite(thickness)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

QvGeVector3d QvDbShape::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbShape::setNormal(const QvGeVector3d& normal) {
  const double length = normal.length();
  if (!(length > 0.0) || !std::isfinite(length)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal / length;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbShape::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  QvGeVector3d direction = directionOf(rotation_, normal_);
  direction.transformBy(xform);
  QvGeVector3d normal = normal_;
  normal.transformBy(xform);
  const double factor = xform.scale();
  normal /= normal.length();
  if (xform.det() < 0.0) normal = -normal;
  // The rotation is the new direction's angle from the new plane's x axis.
  direction.transformBy(QvGeMatrix3d::worldToPlane(normal));
  position_.transformBy(xform);
  normal_ = normal;
  rotation_ = std::atan2(direction.y, direction.x);
  size_ *= factor;
  thickness_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbShape::subGetGeomExtents(QvDbExtents& extents) const {
  const QvGeVector3d x = directionOf(rotation_, normal_) * (size_ * widthFactor_);
  const QvGeVector3d y = normal_.crossProduct(directionOf(rotation_, normal_)) * size_;
  for (const QvGePoint3d& p : {position_, position_ + x, position_ + y, position_ + x + y})
    extents.addPoint(p);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbShape::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(position_, QvDb::kOsModeIns);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbShape::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  plane = QvGePlane(position_, normal_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

bool QvDbShape::subWorldDraw(QvGiWorldDraw*) {
  return true;
}
