#include "sdk/ge/QvGePoint2d.h"

#include "sdk/ge/QvGeMatrix2d.h"

const QvGePoint2d QvGePoint2d::kOrigin{0.0, 0.0};

QvGePoint2d& QvGePoint2d::transformBy(const QvGeMatrix2d& m) {
  return set(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2],
             m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2]);
}

QvGePoint2d& QvGePoint2d::rotateBy(double angle, const QvGePoint2d& wrtPoint) {
  QvGeVector2d v = *this - wrtPoint;
  *this = wrtPoint + v.rotateBy(angle);
  return *this;
}

QvGePoint2d& QvGePoint2d::scaleBy(double factor, const QvGePoint2d& wrtPoint) {
  *this = wrtPoint + (*this - wrtPoint) * factor;
  return *this;
}
