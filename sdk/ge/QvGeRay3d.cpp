#include "sdk/ge/QvGeRay3d.h"

#include "sdk/ge/detail/Finite.h"

QvGeRay3d::QvGeRay3d() : QvGeLinearEnt3d(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis, true) {}

QvGeRay3d::QvGeRay3d(const QvGePoint3d& base, const QvGeVector3d& direction)
    : QvGeLinearEnt3d(base, QvGeVector3d::kIdentity, true) {
  if (set(base, direction) != Vexa::eOk) setLinear(base, QvGeVector3d::kIdentity, false);
}

QvGeRay3d::QvGeRay3d(const QvGePoint3d& base, const QvGePoint3d& throughPoint)
    : QvGeRay3d(base, throughPoint - base) {}

Vexa::ErrorStatus QvGeRay3d::set(const QvGePoint3d& base, const QvGeVector3d& direction) {
  QvGe::ErrorCondition flag;
  const QvGeVector3d unit = QvGeVector3d(direction).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk || !qvge_detail::isFinite(base)) return Vexa::eInvalidInput;
  setLinear(base, unit, true);
  reversed_ = false;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeRay3d::set(const QvGePoint3d& base, const QvGePoint3d& throughPoint) {
  if (base.isEqualTo(throughPoint)) return Vexa::eInvalidInput;
  return set(base, throughPoint - base);
}

void QvGeRay3d::getInterval(QvGeInterval& interval) const {
  if (reversed_)
    interval.set(false, 0.0);
  else
    interval.set(true, 0.0);
}

void QvGeRay3d::reverseParam() {
  negateParamVector();
  reversed_ = !reversed_;
}
