#include "sdk/ge/QvGeLine3d.h"

#include "sdk/ge/detail/Finite.h"

const QvGeLine3d QvGeLine3d::kXAxis{QvGePoint3d::kOrigin, QvGeVector3d::kXAxis};
const QvGeLine3d QvGeLine3d::kYAxis{QvGePoint3d::kOrigin, QvGeVector3d::kYAxis};
const QvGeLine3d QvGeLine3d::kZAxis{QvGePoint3d::kOrigin, QvGeVector3d::kZAxis};

QvGeLine3d::QvGeLine3d() : QvGeLinearEnt3d(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis, true) {}

QvGeLine3d::QvGeLine3d(const QvGePoint3d& point, const QvGeVector3d& direction)
    : QvGeLinearEnt3d(point, QvGeVector3d::kIdentity, true) {
  if (set(point, direction) != Vexa::eOk) setLinear(point, QvGeVector3d::kIdentity, false);
}

QvGeLine3d::QvGeLine3d(const QvGePoint3d& p1, const QvGePoint3d& p2) : QvGeLine3d(p1, p2 - p1) {}

Vexa::ErrorStatus QvGeLine3d::set(const QvGePoint3d& point, const QvGeVector3d& direction) {
  QvGe::ErrorCondition flag;
  const QvGeVector3d unit = QvGeVector3d(direction).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk || !qvge_detail::isFinite(point)) return Vexa::eInvalidInput;
  setLinear(point, unit, true);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvGeLine3d::set(const QvGePoint3d& p1, const QvGePoint3d& p2) {
  if (p1.isEqualTo(p2)) return Vexa::eInvalidInput;
  return set(p1, p2 - p1);
}

void QvGeLine3d::getInterval(QvGeInterval& interval) const {
  interval.set();
}
