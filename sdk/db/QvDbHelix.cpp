#include "sdk/db/QvDbHelix.h"

#include <cmath>

#include "sdk/db/detail/HelixCurve.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbHelix)

namespace {

bool finite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

constexpr double kMaxTurns = 10000.0;

}  // namespace

Vexa::ErrorStatus QvDbHelix::setHelixData(const QvGePoint3d& axisPoint,
                                          const QvGePoint3d& startPoint,
                                          const QvGeVector3d& axisVector, double topRadius,
                                          double turns, double turnHeight, bool twistCcw) {
  qvdb_detail::HelixCurve helix;
  if (!finite(axisPoint) || !finite(startPoint) || !finite(axisVector) ||
      !std::isfinite(topRadius) || !std::isfinite(turnHeight) || !(turns > 0.0) ||
      !(turns <= kMaxTurns) || topRadius < 0.0 ||
      !qvdb_detail::HelixCurve::make(axisPoint, startPoint, axisVector, topRadius, turns,
                                     turnHeight, twistCcw, helix))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  axisPoint_ = axisPoint;
  startPoint_ = startPoint;
  axisVector_ = axisVector;
  topRadius_ = topRadius;
  turns_ = turns;
  turnHeight_ = turnHeight;
  twistCcw_ = twistCcw;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHelix::setHelix(const QvGePoint3d& axisPoint, const QvGePoint3d& startPoint,
                                      const QvGeVector3d& axisVector, double topRadius,
                                      double turns, double turnHeight, bool twistCcw) {
  if (const Vexa::ErrorStatus es =
          setHelixData(axisPoint, startPoint, axisVector, topRadius, turns, turnHeight, twistCcw);
      es != Vexa::eOk)
    return es;
  qvdb_detail::HelixCurve helix;
  qvdb_detail::HelixCurve::make(axisPoint, startPoint, axisVector, topRadius, turns, turnHeight,
                                twistCcw, helix);
  return setNurbCurve(helix.spline());
}

QvGePoint3d QvDbHelix::axisPoint() const {
  assertReadEnabled();
  return axisPoint_;
}

QvGePoint3d QvDbHelix::startPoint() const {
  assertReadEnabled();
  return startPoint_;
}

QvGeVector3d QvDbHelix::axisVector() const {
  assertReadEnabled();
  return axisVector_;
}

double QvDbHelix::baseRadius() const {
  assertReadEnabled();
  qvdb_detail::HelixCurve helix;
  if (!qvdb_detail::HelixCurve::make(axisPoint_, startPoint_, axisVector_, topRadius_, turns_,
                                     turnHeight_, twistCcw_, helix))
    return 0.0;
  return helix.baseRadius;
}

double QvDbHelix::topRadius() const {
  assertReadEnabled();
  return topRadius_;
}

double QvDbHelix::turns() const {
  assertReadEnabled();
  return turns_;
}

double QvDbHelix::turnHeight() const {
  assertReadEnabled();
  return turnHeight_;
}

double QvDbHelix::height() const {
  assertReadEnabled();
  return turns_ * turnHeight_;
}

bool QvDbHelix::twistCcw() const {
  assertReadEnabled();
  return twistCcw_;
}

QvDbHelix::ConstrainType QvDbHelix::constrain() const {
  assertReadEnabled();
  return constrain_;
}

Vexa::ErrorStatus QvDbHelix::setConstrain(ConstrainType constrain) {
  if (constrain != kTurnHeight && constrain != kTurns && constrain != kHeight)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  constrain_ = constrain;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHelix::getLength(double& length) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  qvdb_detail::HelixCurve helix;
  if (!qvdb_detail::HelixCurve::make(axisPoint_, startPoint_, axisVector_, topRadius_, turns_,
                                     turnHeight_, twistCcw_, helix))
    return Vexa::eInvalidInput;
  length = helix.length();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbHelix::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  if (const Vexa::ErrorStatus es = QvDbSpline::subTransformBy(xform); es != Vexa::eOk) return es;
  const double scale = xform.scale();
  axisPoint_.transformBy(xform);
  startPoint_.transformBy(xform);
  axisVector_.transformBy(xform);
  topRadius_ *= scale;
  turnHeight_ *= scale;
  // A mirror turns the other way round the axis.
  if (xform.det() < 0.0) twistCcw_ = !twistCcw_;
  return Vexa::eOk;
}
