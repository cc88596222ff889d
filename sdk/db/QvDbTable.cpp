#include "sdk/db/QvDbTable.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbTable)

namespace {

// The unit vector of a finite, non-zero one; false otherwise.
bool unit(const QvGeVector3d& v, QvGeVector3d& out) {
  const double length = v.length();
  if (!(length > 0.0) || !std::isfinite(length)) return false;
  out = v / length;
  return true;
}

}  // namespace

QvGePoint3d QvDbTable::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus QvDbTable::setPosition(const QvGePoint3d& position) {
  if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  position_ = position;
  return Vexa::eOk;
}

QvGeVector3d QvDbTable::direction() const {
  assertReadEnabled();
  return direction_;
}

Vexa::ErrorStatus QvDbTable::setDirection(const QvGeVector3d& direction) {
  QvGeVector3d u;
  if (!unit(direction, u)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = u;
  return Vexa::eOk;
}

QvGeVector3d QvDbTable::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbTable::setNormal(const QvGeVector3d& normal) {
  QvGeVector3d u;
  if (!unit(normal, u)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = u;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbTable::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  QvGeVector3d direction = direction_, normal = normal_;
  direction.transformBy(xform);
  normal.transformBy(xform);
  if (!unit(direction, direction) || !unit(normal, normal)) return Vexa::eDegenerateGeometry;
  position_.transformBy(xform);
  direction_ = direction;
  normal_ = xform.det() < 0.0 ? -normal : normal;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbTable::subGetGeomExtents(QvDbExtents& extents) const {
  extents.addPoint(position_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbTable::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(position_, QvDb::kOsModeIns);
  return Vexa::eOk;
}
