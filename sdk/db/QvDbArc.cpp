#include "sdk/db/QvDbArc.h"

#include <cmath>
#include <memory>

#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbArc)

using qvdb_detail::angleInFrame;
using qvdb_detail::directionInFrame;
using qvdb_detail::normalizeAngle;

QvDbArc::QvDbArc(const QvGePoint3d& center, double radius, double startAngle, double endAngle)
    : QvDbArc(center, QvGeVector3d::kZAxis, radius, startAngle, endAngle) {}

QvDbArc::QvDbArc(const QvGePoint3d& center, const QvGeVector3d& normal, double radius,
                 double startAngle, double endAngle)
    : center_(center) {
  if (!normal.isZeroLength()) normal_ = normal.normal();
  if (radius > 0.0 && std::isfinite(radius)) radius_ = radius;
  if (std::isfinite(startAngle)) startAngle_ = normalizeAngle(startAngle);
  if (std::isfinite(endAngle)) endAngle_ = normalizeAngle(endAngle);
}

QvGePoint3d QvDbArc::center() const {
  assertReadEnabled();
  return center_;
}

Vexa::ErrorStatus QvDbArc::setCenter(const QvGePoint3d& center) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = center;
  return Vexa::eOk;
}

QvGeVector3d QvDbArc::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbArc::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

double QvDbArc::radius() const {
  assertReadEnabled();
  return radius_;
}

Vexa::ErrorStatus QvDbArc::setRadius(double radius) {
  if (!(radius > 0.0) || !std::isfinite(radius)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  radius_ = radius;
  return Vexa::eOk;
}

double QvDbArc::startAngle() const {
  assertReadEnabled();
  return startAngle_;
}

Vexa::ErrorStatus QvDbArc::setStartAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  startAngle_ = normalizeAngle(angle);
  return Vexa::eOk;
}

double QvDbArc::endAngle() const {
  assertReadEnabled();
  return endAngle_;
}

Vexa::ErrorStatus QvDbArc::setEndAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  endAngle_ = normalizeAngle(angle);
  return Vexa::eOk;
}

double QvDbArc::totalAngle() const {
  assertReadEnabled();
  const double sweep = normalizeAngle(endAngle_ - startAngle_);
  return sweep > 0.0 ? sweep : QvGe::k2Pi;
}

double QvDbArc::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbArc::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

const QvGeCurve3d* QvDbArc::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool unbounded) const {
  if (unbounded) return &buffer.emplace<QvGeCircArc3d>(center_, normal_, radius_);
  const double sweep = totalAngle();
  return &buffer.emplace<QvGeCircArc3d>(center_, normal_, normal_.perpVector(), radius_,
                                        startAngle_, startAngle_ + sweep);
}

Vexa::ErrorStatus QvDbArc::extend(double newParam) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!std::isfinite(newParam)) return Vexa::eInvalidInput;
  const double start = startAngle_, end = startAngle_ + totalAngle();
  const double tol = qvdb_detail::paramTolerance(start, end);
  if (newParam >= start - tol && newParam <= end + tol) return Vexa::eInvalidInput;
  // The arc may grow to less than a whole turn.
  const double sweep = newParam < start ? end - newParam : newParam - start;
  if (sweep >= QvGe::k2Pi - tol) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  (newParam < start ? startAngle_ : endAngle_) = normalizeAngle(newParam);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::extend(bool extendStart, const QvGePoint3d& toPoint) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  // A point of the arc's circle outside the arc.
  const QvGeVector3d offset = (toPoint - center_).orthoProject(normal_);
  const double height = std::fabs((toPoint - center_).dotProduct(normal_));
  if (std::fabs(offset.length() - radius_) + height > pointTolerance(toPoint))
    return Vexa::eInvalidInput;
  const double angle = angleInFrame(offset, normal_);
  const double fromStart = normalizeAngle(angle - startAngle_);
  if (fromStart <= totalAngle() + qvdb_detail::paramTolerance(0.0, QvGe::k2Pi))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  (extendStart ? startAngle_ : endAngle_) = angle;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const double sweep = totalAngle();
  area = 0.5 * radius_ * radius_ * (sweep - std::sin(sweep));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // Seen from the other side the arc runs from its old end to its old start.
  const QvGePoint3d start = center_ + directionInFrame(startAngle_, normal_) * radius_;
  const QvGePoint3d end = center_ + directionInFrame(startAngle_ + totalAngle(), normal_) * radius_;
  normal_ = -normal_;
  startAngle_ = angleInFrame(end - center_, normal_);
  endAngle_ = angleInFrame(start - center_, normal_);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::subTransformBy(const QvGeMatrix3d& xform) {
  double factor = 0.0;
  QvGeVector3d normal;
  if (!qvdb_detail::isUniformInPlane(xform, normal_, factor)) return Vexa::eNotApplicable;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  QvGePoint3d start = center_ + directionInFrame(startAngle_, normal_) * radius_;
  QvGePoint3d end = center_ + directionInFrame(startAngle_ + totalAngle(), normal_) * radius_;
  QvGePoint3d center = center_;
  start.transformBy(xform);
  end.transformBy(xform);
  center.transformBy(xform);
  // A mirror turns the arc's sense about the kept normal: it then runs from the image of its
  // end to the image of its start.
  if (qvdb_detail::isMirroring(xform)) std::swap(start, end);
  center_ = center;
  normal_ = normal;
  radius_ *= factor;
  const double sweep = totalAngle();
  startAngle_ = angleInFrame(start - center, normal);
  endAngle_ = sweep >= QvGe::k2Pi ? startAngle_ : angleInFrame(end - center, normal);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::subGetTransformedCopy(const QvGeMatrix3d& xform,
                                                 QvDbEntity*& entity) const {
  double factor = 0.0;
  if (qvdb_detail::isUniformInPlane(xform, normal_, factor))
    return QvDbCurve::subGetTransformedCopy(xform, entity);
  qvdb_detail::GeCurveBuffer buffer;
  QvGeEllipArc3d arc(*static_cast<const QvGeCircArc3d*>(geCurve(buffer)));
  if (arc.transformBy(xform) != Vexa::eOk) return Vexa::eDegenerateGeometry;
  QvGeVector3d sense;
  if (!qvdb_detail::imageNormal(xform, normal_, sense)) return Vexa::eDegenerateGeometry;
  auto ellipse = std::make_unique<QvDbEllipse>();
  if (const Vexa::ErrorStatus es = ellipse->setFromGe(arc, &sense); es != Vexa::eOk) return es;
  ellipse->setPropertiesFrom(this);
  entity = ellipse.release();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArc::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                            QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  const double sweep = totalAngle();
  grips.add(center_ + directionInFrame(startAngle_, normal_) * radius_, QvDb::kOsModeEnd);
  grips.add(center_ + directionInFrame(startAngle_ + 0.5 * sweep, normal_) * radius_,
            QvDb::kOsModeMid);
  grips.add(center_ + directionInFrame(startAngle_ + sweep, normal_) * radius_, QvDb::kOsModeEnd);
  grips.add(center_, QvDb::kOsModeCen);
  return Vexa::eOk;
}

bool QvDbArc::subWorldDraw(QvGiWorldDraw* wd) {
  wd->geometry().circularArc(center(), radius(), normal(), directionInFrame(startAngle(), normal_),
                             totalAngle());
  return true;
}
