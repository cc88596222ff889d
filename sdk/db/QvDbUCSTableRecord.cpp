#include "sdk/db/QvDbUCSTableRecord.h"

#include <cmath>

#include "sdk/ge/QvGeContext.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbUCSTableRecord)

QvGePoint3d QvDbUCSTableRecord::origin() const {
  assertReadEnabled();
  return origin_;
}

QvGeVector3d QvDbUCSTableRecord::xAxis() const {
  assertReadEnabled();
  return xAxis_;
}

QvGeVector3d QvDbUCSTableRecord::yAxis() const {
  assertReadEnabled();
  return yAxis_;
}

bool QvDbUCSTableRecord::normalizedAxes(const QvGeVector3d& xAxis, const QvGeVector3d& yAxis,
                                        QvGeVector3d& unitX, QvGeVector3d& unitY) {
  const double lx = xAxis.length();
  const double ly = yAxis.length();
  if (!std::isfinite(lx) || !std::isfinite(ly)) return false;
  if (lx <= QvGeContext::gTol.equalVector() || ly <= QvGeContext::gTol.equalVector()) return false;
  const QvGeVector3d x(xAxis.x / lx, xAxis.y / lx, xAxis.z / lx);
  const QvGeVector3d y(yAxis.x / ly, yAxis.y / ly, yAxis.z / ly);
  if (std::fabs(x.dotProduct(y)) > QvGeContext::gTol.equalVector()) return false;
  unitX = x;
  unitY = y;
  return true;
}

Vexa::ErrorStatus QvDbUCSTableRecord::setUcs(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                                             const QvGeVector3d& yAxis) {
  QvGeVector3d x, y;
  if (!normalizedAxes(xAxis, yAxis, x, y)) return Vexa::eInvalidInput;
  if (!std::isfinite(origin.x) || !std::isfinite(origin.y) || !std::isfinite(origin.z))
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  origin_ = origin;
  xAxis_ = x;
  yAxis_ = y;
  return Vexa::eOk;
}
