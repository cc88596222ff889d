#include "sdk/ge/QvGeMatrix2d.h"

#include <cmath>

const QvGeMatrix2d QvGeMatrix2d::kIdentity{};

QvGeMatrix2d& QvGeMatrix2d::setToIdentity() {
  return *this = QvGeMatrix2d();
}

QvGeMatrix2d& QvGeMatrix2d::setToTranslation(const QvGeVector2d& v) {
  setToIdentity();
  entry[0][2] = v.x;
  entry[1][2] = v.y;
  return *this;
}

QvGeMatrix2d& QvGeMatrix2d::setToRotation(double angle, const QvGePoint2d& center) {
  const double c = std::cos(angle), s = std::sin(angle);
  setToIdentity();
  entry[0][0] = c;
  entry[0][1] = -s;
  entry[1][0] = s;
  entry[1][1] = c;
  entry[0][2] = center.x - (c * center.x - s * center.y);
  entry[1][2] = center.y - (s * center.x + c * center.y);
  return *this;
}

QvGeMatrix2d& QvGeMatrix2d::setToScaling(double factor, const QvGePoint2d& center) {
  setToIdentity();
  entry[0][0] = entry[1][1] = factor;
  entry[0][2] = center.x * (1.0 - factor);
  entry[1][2] = center.y * (1.0 - factor);
  return *this;
}

bool QvGeMatrix2d::setToMirroring(const QvGePoint2d& point, const QvGeVector2d& direction) {
  QvGe::ErrorCondition flag;
  const QvGeVector2d u = QvGeVector2d(direction).normalize(QvGeContext::gTol, flag);
  if (flag != QvGe::kOk) return false;
  // Reflection I - 2 n n^T about the line's normal n.
  const QvGeVector2d n = u.perpVector();
  setToIdentity();
  entry[0][0] = 1.0 - 2.0 * n.x * n.x;
  entry[0][1] = -2.0 * n.x * n.y;
  entry[1][0] = -2.0 * n.x * n.y;
  entry[1][1] = 1.0 - 2.0 * n.y * n.y;
  const double d = 2.0 * (n.x * point.x + n.y * point.y);
  entry[0][2] = d * n.x;
  entry[1][2] = d * n.y;
  return true;
}

QvGeMatrix2d& QvGeMatrix2d::setCoordSystem(const QvGePoint2d& origin, const QvGeVector2d& xAxis,
                                           const QvGeVector2d& yAxis) {
  setToIdentity();
  entry[0][0] = xAxis.x;
  entry[1][0] = xAxis.y;
  entry[0][1] = yAxis.x;
  entry[1][1] = yAxis.y;
  entry[0][2] = origin.x;
  entry[1][2] = origin.y;
  return *this;
}

void QvGeMatrix2d::getCoordSystem(QvGePoint2d& origin, QvGeVector2d& xAxis,
                                  QvGeVector2d& yAxis) const {
  origin.set(entry[0][2], entry[1][2]);
  xAxis.set(entry[0][0], entry[1][0]);
  yAxis.set(entry[0][1], entry[1][1]);
}

QvGeMatrix2d QvGeMatrix2d::translation(const QvGeVector2d& v) {
  return QvGeMatrix2d().setToTranslation(v);
}
QvGeMatrix2d QvGeMatrix2d::rotation(double angle, const QvGePoint2d& center) {
  return QvGeMatrix2d().setToRotation(angle, center);
}
QvGeMatrix2d QvGeMatrix2d::scaling(double factor, const QvGePoint2d& center) {
  return QvGeMatrix2d().setToScaling(factor, center);
}

QvGeMatrix2d QvGeMatrix2d::operator*(const QvGeMatrix2d& m) const {
  QvGeMatrix2d r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += entry[i][k] * m.entry[k][j];
      r.entry[i][j] = sum;
    }
  }
  return r;
}

double QvGeMatrix2d::det() const {
  const auto& e = entry;
  return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) -
         e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
         e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

bool QvGeMatrix2d::inverse(QvGeMatrix2d& result, double tol) const {
  const double d = det();
  if (!(std::fabs(d) > tol)) return false;
  const auto& e = entry;
  QvGeMatrix2d r;
  r.entry[0][0] = (e[1][1] * e[2][2] - e[1][2] * e[2][1]) / d;
  r.entry[0][1] = (e[0][2] * e[2][1] - e[0][1] * e[2][2]) / d;
  r.entry[0][2] = (e[0][1] * e[1][2] - e[0][2] * e[1][1]) / d;
  r.entry[1][0] = (e[1][2] * e[2][0] - e[1][0] * e[2][2]) / d;
  r.entry[1][1] = (e[0][0] * e[2][2] - e[0][2] * e[2][0]) / d;
  r.entry[1][2] = (e[0][2] * e[1][0] - e[0][0] * e[1][2]) / d;
  r.entry[2][0] = (e[1][0] * e[2][1] - e[1][1] * e[2][0]) / d;
  r.entry[2][1] = (e[0][1] * e[2][0] - e[0][0] * e[2][1]) / d;
  r.entry[2][2] = (e[0][0] * e[1][1] - e[0][1] * e[1][0]) / d;
  result = r;
  return true;
}

bool QvGeMatrix2d::isSingular(double tol) const {
  return !(std::fabs(det()) > tol);
}

bool QvGeMatrix2d::isEqualTo(const QvGeMatrix2d& m, const QvGeTol& tol) const {
  // The translation column is a position; the rest are directions.
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const double limit = (j == 2 && i < 2) ? tol.equalPoint() : tol.equalVector();
      if (std::fabs(entry[i][j] - m.entry[i][j]) > limit) return false;
    }
  }
  return true;
}
