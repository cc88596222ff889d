#include "sdk/ge/QvGeScale3d.h"

#include <cmath>

#include "sdk/ge/QvGeMatrix3d.h"

const QvGeScale3d QvGeScale3d::kIdentity{};

bool QvGeScale3d::isProportional(const QvGeTol& tol) const {
  return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sx - sz) <= tol.equalVector() &&
         std::fabs(sy - sz) <= tol.equalVector();
}

bool QvGeScale3d::isEqualTo(const QvGeScale3d& s, const QvGeTol& tol) const {
  return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
         std::fabs(sz - s.sz) <= tol.equalVector();
}

void QvGeScale3d::getMatrix(QvGeMatrix3d& m) const {
  m.setToScaling(*this);
}
