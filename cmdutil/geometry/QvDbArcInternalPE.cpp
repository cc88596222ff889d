#include "cmdutil/geometry/QvDbArcInternalPE.h"

#include <cmath>
#include <numbers>

#include "cmdutil/geometry/XqCurveEndPick.h"
#include "sdk/db/QvDbArc.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbArcInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDbArcInternalPE::entityAngle(const QvDbEntity* entity, double& angle) {
  const QvDbArc* arc = QvDbArc::cast(entity);
  if (!arc) return Vexa::eNotApplicable;
  angle = arc->totalAngle();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbArcInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                     const QvGePoint3d& pickPoint) {
  const QvDbArc* arc = QvDbArc::cast(entity);
  if (!arc) return Vexa::eInvalidInput;
  return setEntityAngle(entity, newLength / arc->radius(), pickPoint);
}

Vexa::ErrorStatus QvDbArcInternalPE::setEntityAngle(QvDbEntity* entity, double newAngle,
                                                    const QvGePoint3d& pickPoint) {
  QvDbArc* arc = QvDbArc::cast(entity);
  if (!arc || !std::isfinite(newAngle) || newAngle <= 0.0 || newAngle >= 2.0 * std::numbers::pi)
    return Vexa::eInvalidInput;
  if (!arc->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  bool endMeant = false;
  if (Vexa::ErrorStatus status = XqCurveEndPick::endMeant(*arc, pickPoint, endMeant);
      status != Vexa::eOk)
    return status;
  if (endMeant) return arc->setEndAngle(xqAngleInFullTurn(arc->startAngle() + newAngle));
  return arc->setStartAngle(xqAngleInFullTurn(arc->endAngle() - newAngle));
}
