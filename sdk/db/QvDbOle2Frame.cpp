#include "sdk/db/QvDbOle2Frame.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbOle2Frame)

namespace {

bool finite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

Vexa::ErrorStatus QvDbOle2Frame::getLocation(QvGePoint3d& location) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  location = upperLeft_;
  return Vexa::eOk;
}

QvGePoint3d QvDbOle2Frame::lowerRight() const {
  assertReadEnabled();
  return lowerRight_;
}

Vexa::ErrorStatus QvDbOle2Frame::setPosition(const QvGePoint3d& upperLeft,
                                             const QvGePoint3d& lowerRight) {
  if (!finite(upperLeft) || !finite(lowerRight) || upperLeft.isEqualTo(lowerRight))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  upperLeft_ = upperLeft;
  lowerRight_ = lowerRight;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbOle2Frame::subTransformBy(const QvGeMatrix3d& xform) {
  QvGePoint3d a = upperLeft_, b = lowerRight_;
  a.transformBy(xform);
  b.transformBy(xform);
  if (a.isEqualTo(b)) return Vexa::eDegenerateGeometry;
  upperLeft_ = a;
  lowerRight_ = b;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbOle2Frame::subGetGeomExtents(QvDbExtents& extents) const {
  extents.addPoint(upperLeft_);
  extents.addPoint(lowerRight_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbOle2Frame::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                  QvDbIntArray& osnapModes,
                                                  QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(upperLeft_, QvDb::kOsModeEnd);
  grips.add(lowerRight_, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

bool QvDbOle2Frame::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  const QvGePoint3d& a = upperLeft_;
  const QvGePoint3d& b = lowerRight_;
  const QvGePoint3d corners[5] = {a, QvGePoint3d(b.x, a.y, a.z), b, QvGePoint3d(a.x, b.y, b.z), a};
  wd->geometry().polyline(5, corners);
  return true;
}
