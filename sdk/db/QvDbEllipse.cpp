#include "sdk/db/QvDbEllipse.h"

#include <cmath>

#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/db/detail/Tolerance.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbEllipse)

namespace {

// The eccentric parameter at a geometric angle from the major axis, and back, for a ratio.
double paramAt(double ratio, double angle) {
  const double t = std::atan2(std::sin(angle), ratio * std::cos(angle));
  return t + QvGe::k2Pi * std::round((angle - t) / QvGe::k2Pi);
}

double angleAt(double ratio, double param) {
  const double a = std::atan2(ratio * std::sin(param), std::cos(param));
  return a + QvGe::k2Pi * std::round((param - a) / QvGe::k2Pi);
}

// Start and end parameters with 0 < end - start <= 2 pi; equal ends make the whole turn.
void orderParams(double start, double& end) {
  double sweep = std::fmod(end - start, QvGe::k2Pi);
  if (sweep < 0.0) sweep += QvGe::k2Pi;
  if (sweep <= qvdb_detail::paramTolerance(start, start + QvGe::k2Pi)) sweep = QvGe::k2Pi;
  end = start + sweep;
}

}  // namespace

QvDbEllipse::QvDbEllipse(const QvGePoint3d& center, const QvGeVector3d& unitNormal,
                         const QvGeVector3d& majorAxis, double radiusRatio, double startAngle,
                         double endAngle) {
  set(center, unitNormal, majorAxis, radiusRatio, startAngle, endAngle);
}

Vexa::ErrorStatus QvDbEllipse::set(const QvGePoint3d& center, const QvGeVector3d& unitNormal,
                                   const QvGeVector3d& majorAxis, double radiusRatio,
                                   double startAngle, double endAngle) {
  if (unitNormal.isZeroLength() || majorAxis.isZeroLength()) return Vexa::eInvalidInput;
  if (!(radiusRatio > 0.0) || radiusRatio > 1.0 + QvGePrecision::kRoundoff)
    return Vexa::eInvalidInput;
  if (!std::isfinite(startAngle) || !std::isfinite(endAngle)) return Vexa::eInvalidInput;
  const QvGeVector3d n = unitNormal.normal();
  if (std::fabs(n.dotProduct(majorAxis.normal())) > QvGePrecision::kRelative)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = center;
  normal_ = n;
  majorAxis_ = majorAxis.orthoProject(n);
  radiusRatio_ = std::fmin(radiusRatio, 1.0);
  startParam_ = paramAt(radiusRatio_, startAngle);
  double end = paramAt(radiusRatio_, endAngle);
  orderParams(startParam_, end);
  endParam_ = end;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEllipse::setFromGe(const QvGeEllipArc3d& arc,
                                         const QvGeVector3d* normalSense) {
  if (!arc.isValid()) return Vexa::eInvalidInput;
  QvGeVector3d major = arc.majorAxis() * arc.majorRadius();
  QvGeVector3d minor = arc.minorAxis() * arc.minorRadius();
  double start = arc.startAng(), end = arc.endAng();
  // The longer axis is the major one: with major' = minor and minor' = -major the points stay
  // and the parameter moves back a quarter turn.
  if (minor.length() > major.length()) {
    const QvGeVector3d m = major;
    major = minor;
    minor = -m;
    start -= QvGe::kHalfPi;
    end -= QvGe::kHalfPi;
  }
  // The normal on the requested side: the minor axis turns over and the parameters change
  // sign (the arc runs the other way round).
  if (normalSense && major.crossProduct(minor).dotProduct(*normalSense) < 0.0) {
    minor = -minor;
    const double s = start;
    start = -end;
    end = -s;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = arc.center();
  normal_ = major.crossProduct(minor).normal();
  majorAxis_ = major;
  radiusRatio_ = std::fmin(minor.length() / major.length(), 1.0);
  startParam_ = start;
  orderParams(startParam_, end);
  endParam_ = end;
  return Vexa::eOk;
}

QvGePoint3d QvDbEllipse::center() const {
  assertReadEnabled();
  return center_;
}

Vexa::ErrorStatus QvDbEllipse::setCenter(const QvGePoint3d& center) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  center_ = center;
  return Vexa::eOk;
}

QvGeVector3d QvDbEllipse::normal() const {
  assertReadEnabled();
  return normal_;
}

QvGeVector3d QvDbEllipse::majorAxis() const {
  assertReadEnabled();
  return majorAxis_;
}

QvGeVector3d QvDbEllipse::minorAxis() const {
  assertReadEnabled();
  return normal_.crossProduct(majorAxis_) * radiusRatio_;
}

double QvDbEllipse::majorRadius() const {
  assertReadEnabled();
  return majorAxis_.length();
}

double QvDbEllipse::minorRadius() const {
  assertReadEnabled();
  return majorAxis_.length() * radiusRatio_;
}

double QvDbEllipse::radiusRatio() const {
  assertReadEnabled();
  return radiusRatio_;
}

Vexa::ErrorStatus QvDbEllipse::setRadiusRatio(double ratio) {
  if (!(ratio > 0.0) || ratio > 1.0 + QvGePrecision::kRoundoff) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  radiusRatio_ = std::fmin(ratio, 1.0);
  return Vexa::eOk;
}

double QvDbEllipse::startAngle() const {
  assertReadEnabled();
  return qvdb_detail::normalizeAngle(angleAt(radiusRatio_, startParam_));
}

double QvDbEllipse::endAngle() const {
  assertReadEnabled();
  return qvdb_detail::normalizeAngle(angleAt(radiusRatio_, endParam_));
}

Vexa::ErrorStatus QvDbEllipse::setStartAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  return setStartParam(paramAt(radiusRatio_, angle));
}

Vexa::ErrorStatus QvDbEllipse::setEndAngle(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  return setEndParam(paramAt(radiusRatio_, angle));
}

double QvDbEllipse::startParam() const {
  assertReadEnabled();
  return startParam_;
}

Vexa::ErrorStatus QvDbEllipse::setStartParam(double param) {
  if (!std::isfinite(param)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const double start = qvdb_detail::normalizeAngle(param);
  double end = endParam_;
  orderParams(start, end);
  startParam_ = start;
  endParam_ = end;
  return Vexa::eOk;
}

double QvDbEllipse::endParam() const {
  assertReadEnabled();
  return endParam_;
}

Vexa::ErrorStatus QvDbEllipse::setEndParam(double param) {
  if (!std::isfinite(param)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  double end = param;
  orderParams(startParam_, end);
  endParam_ = end;
  return Vexa::eOk;
}

double QvDbEllipse::paramAtAngle(double angle) const {
  assertReadEnabled();
  return paramAt(radiusRatio_, angle);
}

double QvDbEllipse::angleAtParam(double param) const {
  assertReadEnabled();
  return angleAt(radiusRatio_, param);
}

bool QvDbEllipse::isNull() const {
  assertReadEnabled();
  return majorAxis_.isZeroLength();
}

bool QvDbEllipse::isClosed() const {
  assertReadEnabled();
  return endParam_ - startParam_ >= QvGe::k2Pi - qvdb_detail::paramTolerance(0.0, QvGe::k2Pi);
}

const QvGeCurve3d* QvDbEllipse::geCurve(qvdb_detail::GeCurveBuffer& buffer, bool unbounded) const {
  const double a = majorAxis_.length();
  if (!(a > 0.0)) return nullptr;
  const QvGeVector3d major = majorAxis_ / a;
  const QvGeVector3d minor = normal_.crossProduct(major);
  if (unbounded) return &buffer.emplace<QvGeEllipArc3d>(center_, major, minor, a, a * radiusRatio_);
  return &buffer.emplace<QvGeEllipArc3d>(center_, major, minor, a, a * radiusRatio_, startParam_,
                                         endParam_);
}

Vexa::ErrorStatus QvDbEllipse::extend(double newParam) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (isClosed()) return Vexa::eNotApplicable;
  if (!std::isfinite(newParam)) return Vexa::eInvalidInput;
  const double tol = qvdb_detail::paramTolerance(startParam_, endParam_);
  if (newParam >= startParam_ - tol && newParam <= endParam_ + tol) return Vexa::eInvalidInput;
  const double sweep = newParam < startParam_ ? endParam_ - newParam : newParam - startParam_;
  if (sweep >= QvGe::k2Pi - tol) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (newParam < startParam_)
    startParam_ = newParam;
  else
    endParam_ = newParam;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEllipse::extend(bool extendStart, const QvGePoint3d& toPoint) {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (isClosed()) return Vexa::eNotApplicable;
  qvdb_detail::GeCurveBuffer buffer;
  const QvGeCurve3d* carrier = geCurve(buffer, true);
  if (!carrier) return Vexa::eInvalidInput;
  double t = 0.0;
  if (carrier->closestPointTo(toPoint, t).distanceTo(toPoint) > pointTolerance(toPoint))
    return Vexa::eInvalidInput;
  // The point's parameter on the turn that begins at the start.
  double fromStart = std::fmod(t - startParam_, QvGe::k2Pi);
  if (fromStart < 0.0) fromStart += QvGe::k2Pi;
  const double sweep = endParam_ - startParam_;
  if (fromStart <= sweep + qvdb_detail::paramTolerance(startParam_, endParam_))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (extendStart)
    startParam_ = startParam_ + fromStart - QvGe::k2Pi;
  else
    endParam_ = startParam_ + fromStart;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEllipse::getArea(double& area) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const double a = majorAxis_.length(), b = a * radiusRatio_;
  // The elliptical segment: the sector's area a b sweep / 2 less the triangle under the
  // chord, which in the eccentric parameter is a b sin(sweep) / 2.
  const double sweep = endParam_ - startParam_;
  area = 0.5 * a * b * (sweep - std::sin(sweep));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEllipse::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // Normal turned over: the minor axis turns, the parameters change sign.
  normal_ = -normal_;
  const double s = startParam_;
  startParam_ = -endParam_;
  endParam_ = -s;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbEllipse::subTransformBy(const QvGeMatrix3d& xform) {
  qvdb_detail::GeCurveBuffer buffer;
  const QvGeCurve3d* curve = geCurve(buffer);
  if (!curve) return Vexa::eDegenerateGeometry;
  QvGeEllipArc3d arc(*static_cast<const QvGeEllipArc3d*>(curve));
  if (arc.transformBy(xform) != Vexa::eOk) return Vexa::eDegenerateGeometry;
  QvGeVector3d sense;
  if (!qvdb_detail::imageNormal(xform, normal_, sense)) return Vexa::eDegenerateGeometry;
  return setFromGe(arc, &sense);
}

Vexa::ErrorStatus QvDbEllipse::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                QvDbIntArray& osnapModes,
                                                QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  const QvGeVector3d minor = normal_.crossProduct(majorAxis_) * radiusRatio_;
  grips.add(center_, QvDb::kOsModeCen);
  grips.add(center_ + majorAxis_, QvDb::kOsModeQuad);
  grips.add(center_ + minor, QvDb::kOsModeQuad);
  grips.add(center_ - majorAxis_, QvDb::kOsModeQuad);
  grips.add(center_ - minor, QvDb::kOsModeQuad);
  if (!isClosed()) {
    grips.add(center_ + majorAxis_ * std::cos(startParam_) + minor * std::sin(startParam_),
              QvDb::kOsModeEnd);
    grips.add(center_ + majorAxis_ * std::cos(endParam_) + minor * std::sin(endParam_),
              QvDb::kOsModeEnd);
  }
  return Vexa::eOk;
}

bool QvDbEllipse::subWorldDraw(QvGiWorldDraw* wd) {
  qvdb_detail::GeCurveBuffer buffer;
  if (const QvGeCurve3d* curve = geCurve(buffer))
    wd->geometry().ellipticArc(*static_cast<const QvGeEllipArc3d*>(curve));
  return true;
}
