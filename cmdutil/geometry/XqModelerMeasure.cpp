#include "cmdutil/geometry/XqModelerMeasure.h"

#include "sdk/modeler/QvDbShapeEntity.h"

Vexa::ErrorStatus xqModelerEntityArea(const QvDbEntity* entity, double& area) {
  area = 0.0;
  const auto* body = dynamic_cast<const QvDbShapeEntity*>(entity);
  if (!body) return Vexa::eNotApplicable;
  double measured = 0.0;
  const Vexa::ErrorStatus es = body->getArea(measured);
  if (es == Vexa::eOk) area = measured;
  return es;
}

Vexa::ErrorStatus xqModelerEntityLength(const QvDbEntity*, double& length) {
  length = 0.0;
  return Vexa::eOk;
}
