#include "sdk/db/QvDbViewport.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbViewport)

QvGePoint3d QvDbViewport::centerPoint() const {
  assertReadEnabled();
  return center_;
}

Vexa::ErrorStatus QvDbViewport::setCenterPoint(const QvGePoint3d& center) {
  if (!std::isfinite(center.x) || !std::isfinite(center.y) || !std::isfinite(center.z))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = center;
  return Vexa::eOk;
}

double QvDbViewport::width() const {
  assertReadEnabled();
  return width_;
}

double QvDbViewport::height() const {
  assertReadEnabled();
  return height_;
}

Vexa::ErrorStatus QvDbViewport::setWidth(double width) {
  if (!std::isfinite(width) || width < 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  width_ = width;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbViewport::setHeight(double height) {
  if (!std::isfinite(height) || height < 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  height_ = height;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbViewport::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  const double factor = xform.scale();
  QvGeVector3d x = QvGeVector3d::kXAxis;
  QvGeVector3d y = QvGeVector3d::kYAxis;
  x.transformBy(xform);
  y.transformBy(xform);
  if (!x.isCodirectionalTo(QvGeVector3d::kXAxis) || !y.isCodirectionalTo(QvGeVector3d::kYAxis))
    return Vexa::eNotApplicable;
  center_.transformBy(xform);
  width_ *= factor;
  height_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbViewport::subGetGeomExtents(QvDbExtents& extents) const {
  const QvGeVector3d half(width_ / 2.0, height_ / 2.0, 0.0);
  extents.addPoint(center_ - half);
  extents.addPoint(center_ + half);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbViewport::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                 QvDbIntArray& osnapModes,
                                                 QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  const double w = width_ / 2.0, h = height_ / 2.0;
  for (const QvGeVector3d& corner : {QvGeVector3d(-w, -h, 0), QvGeVector3d(w, -h, 0),
                                     QvGeVector3d(w, h, 0), QvGeVector3d(-w, h, 0)})
    grips.add(center_ + corner, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

bool QvDbViewport::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  if (!(width_ > 0.0) || !(height_ > 0.0)) return true;
  const double w = width_ / 2.0, h = height_ / 2.0;
  const QvGePoint3d border[5] = {center_ + QvGeVector3d(-w, -h, 0),
                                 center_ + QvGeVector3d(w, -h, 0), center_ + QvGeVector3d(w, h, 0),
                                 center_ + QvGeVector3d(-w, h, 0),
                                 center_ + QvGeVector3d(-w, -h, 0)};
  wd->geometry().polyline(5, border);
  return true;
}
