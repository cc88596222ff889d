#include "sdk/ge/QvGeLineSeg3d.h"

QvGeLineSeg3d::QvGeLineSeg3d()
    : QvGeLinearEnt3d(QvGePoint3d::kOrigin, QvGeVector3d::kXAxis, false) {}

QvGeLineSeg3d::QvGeLineSeg3d(const QvGePoint3d& start, const QvGePoint3d& end)
    : QvGeLinearEnt3d(start, end - start, false) {}

QvGeLineSeg3d::QvGeLineSeg3d(const QvGePoint3d& start, const QvGeVector3d& toEnd)
    : QvGeLinearEnt3d(start, toEnd, false) {}

QvGeLineSeg3d& QvGeLineSeg3d::set(const QvGePoint3d& start, const QvGePoint3d& end) {
  setLinear(start, end - start, true);
  return *this;
}

void QvGeLineSeg3d::reverseParam() {
  set(endPoint(), startPoint());
}
