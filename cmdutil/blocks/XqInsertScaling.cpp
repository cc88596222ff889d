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

QvGeScale3d ruled(bool uniform, const QvGeScale3d& scale) {
  return uniform ? QvGeScale3d(scale.sx, scale.sx, scale.sx) : scale;
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
  return ruled(block.blockScaling() == QvDb::kUniform, scale);
}

std::optional<DefinitionScaling> DefinitionScaling::of(QvDbObjectId blockId, bool array) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk) return std::nullopt;
  DefinitionScaling scaling;
  scaling.factor = array ? arrayUnitFactor(*block) : unitFactor(*block);
  scaling.uniform = block->blockScaling() == QvDb::kUniform;
  return scaling;
}

QvGeScale3d DefinitionScaling::applied(const QvGeScale3d& scale) const {
  const QvGeScale3d r = ruled(uniform, scale);
  return QvGeScale3d(r.sx * factor, r.sy * factor, r.sz * factor);
}

UcsAxes UcsAxes::current() {
  const auto axis = [](const wchar_t* name) -> std::optional<QvGeVector3d> {
    const std::optional<QvGePoint3d> p = XqBlockVars::getPoint(name);
    if (!p) return std::nullopt;
    return QvGeVector3d(p->x, p->y, p->z);
  };
  return UcsAxes{axis(L"UCSXDIR"), axis(L"UCSYDIR")};
}

QvGeVector3d UcsAxes::extrusion() const {
  if (!x || !y) return QvGeVector3d::kZAxis;
  const QvGeVector3d z = x->crossProduct(*y);
  if (z.isZeroLength()) return QvGeVector3d::kZAxis;
  return z.normal(QvGeContext::gTol);
}

double UcsAxes::rotation() const {
  const QvGeVector3d xAxis = x.value_or(QvGeVector3d::kXAxis);
  const QvGeVector3d yAxis = y.value_or(QvGeVector3d::kYAxis);
  const QvGePlane plane(QvGePoint3d::kOrigin, xAxis.crossProduct(yAxis));
  return xAxis.angleOnPlane(plane);
}

double ucsRotation() {
  return UcsAxes::current().rotation();
}

void setRotationWithUCS(QvDbBlockReference* reference, double angle) {
  if (reference) reference->setRotation(ucsRotation() + angle);
}

void setScaleFactorsWithCheck(QvDbBlockReference* reference, const QvGeScale3d& scale) {
  if (!reference) return;
  if (const auto scaling = DefinitionScaling::of(reference->blockTableRecord(), false))
    reference->setScaleFactors(scaling->applied(scale));
}

}  // namespace XqInsertScaling
