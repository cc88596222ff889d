#include "sdk/db/QvDbCircle.h"

#include <cmath>
#include <memory>

#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbCircle)

QvDbCircle::QvDbCircle(const QvGePoint3d& center, const QvGeVector3d& normal, double radius)
    : center_(center) {
  if (!normal.isZeroLength()) normal_ = normal.normal();
  if (radius > 0.0 && std::isfinite(radius)) radius_ = radius;
}

QvGePoint3d QvDbCircle::center() const {
  assertReadEnabled();
  return center_;
}

Vexa::ErrorStatus QvDbCircle::setCenter(const QvGePoint3d& center) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = center;
  return Vexa::eOk;
}

QvGeVector3d QvDbCircle::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbCircle::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

double QvDbCircle::radius() const {
  assertReadEnabled();
  return radius_;
}

Vexa::ErrorStatus QvDbCircle::setRadius(double radius) {
  if (!(radius > 0.0) || !std::isfinite(radius)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  radius_ = radius;
  return Vexa::eOk;
}

double QvDbCircle::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbCircle::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

double QvDbCircle::circumference() const {
  return QvGe::k2Pi * radius();
}

const QvGeCurve3d* QvDbCircle::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool) const {
  return &buffer.emplace<QvGeCircArc3d>(center_, normal_, radius_);
}

Vexa::ErrorStatus QvDbCircle::extend(double) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCircle::extend(bool, const QvGePoint3d&) {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbCircle::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  area = QvGe::kPi * radius_ * radius_;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCircle::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = -normal_;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCircle::subTransformBy(const QvGeMatrix3d& xform) {
  double factor = 0.0;
  QvGeVector3d normal;
  if (!qvdb_detail::isUniformInPlane(xform, normal_, factor)) return Vexa::eNotApplicable;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  center_.transformBy(xform);
  normal_ = normal;
  radius_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCircle::subGetTransformedCopy(const QvGeMatrix3d& xform,
                                                    QvDbEntity*& entity) const {
  double factor = 0.0;
  if (qvdb_detail::isUniformInPlane(xform, normal_, factor))
    return QvDbCurve::subGetTransformedCopy(xform, entity);
  // Not round any more: the ellipse through the image.
  QvGeEllipArc3d arc(QvGeCircArc3d(center_, normal_, radius_));
  if (arc.transformBy(xform) != Vexa::eOk) return Vexa::eDegenerateGeometry;
  QvGeVector3d sense;
  if (!qvdb_detail::imageNormal(xform, normal_, sense)) return Vexa::eDegenerateGeometry;
  auto ellipse = std::make_unique<QvDbEllipse>();
  if (const Vexa::ErrorStatus es = ellipse->setFromGe(arc, &sense); es != Vexa::eOk) return es;
  ellipse->setPropertiesFrom(this);
  entity = ellipse.release();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbCircle::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                               QvDbIntArray& osnapModes,
                                               QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(center_, QvDb::kOsModeCen);
  for (int i = 0; i < 4; ++i)
    grips.add(center_ + qvdb_detail::directionInFrame(i * QvGe::kHalfPi, normal_) * radius_,
              QvDb::kOsModeQuad);
  return Vexa::eOk;
}

bool QvDbCircle::subWorldDraw(QvGiWorldDraw* wd) {
  wd->geometry().circle(center(), radius(), normal());
  return true;
}
