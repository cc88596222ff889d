#include "cmdutil/blocks/XqInsertScaling.h"

#include "cmdutil/blocks/XqBlockVars.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGePlane.h"
#include "xqcmdutil/XqUnits.h"

namespace XqInsertScaling {

namespace {

int drawingUnits() {
  return XqBlockVars::getShort(L"INSUNITS").value_or(1);
}

void applyScale(QvDbBlockReference* reference, const QvGeScale3d& scale, bool array) {
  if (!reference) return;
  QvDbObjectPointer<QvDbBlockTableRecord> block(reference->blockTableRecord(), QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return;
  const double factor = array ? arrayUnitFactor(*block) : unitFactor(*block);
  const QvGeScale3d uniform = uniformRule(*block, scale);
  block.close();
  reference->setScaleFactors(
      QvGeScale3d(uniform.sx * factor, uniform.sy * factor, uniform.sz * factor));
}

}  // namespace

double unitFactor(const QvDbBlockTableRecord& block) {
  if (QvDbBlockInternals::insertUnitsIgnored(&block)) return 1.0;
  return getScaleFactor(drawingUnits(), block.blockInsertUnits());
}

double arrayUnitFactor(const QvDbBlockTableRecord& block) {
  const int target = drawingUnits();
  const int source = block.blockInsertUnits();
  // Unitless sides take no defaults here: they do not convert.
  if (source == target || source == 0 || target == 0) return 1.0;
  return getScaleFactor(target, source);
}

QvGeScale3d uniformRule(const QvDbBlockTableRecord& block, const QvGeScale3d& scale) {
  if (block.blockScaling() != QvDb::kUniform) return scale;
  return QvGeScale3d(scale.sx, scale.sx, scale.sx);
}

double ucsRotation() {
  const QvGeVector3d x = XqBlockVars::ucsXDir();
  const QvGeVector3d y = XqBlockVars::ucsYDir();
  const QvGePlane plane(QvGePoint3d::kOrigin, x.crossProduct(y));
  return x.angleOnPlane(plane);
}

void setRotationWithUCS(QvDbBlockReference* reference, double angle) {
  if (reference) reference->setRotation(ucsRotation() + angle);
}

void setScaleFactorsWithCheck(QvDbBlockReference* reference, const QvGeScale3d& scale) {
  applyScale(reference, scale, false);
}

void setArrayScaleFactors(QvDbBlockReference* reference, const QvGeScale3d& scale) {
  applyScale(reference, scale, true);
}

}  // namespace XqInsertScaling
