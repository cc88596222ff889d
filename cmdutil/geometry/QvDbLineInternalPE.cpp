#include "cmdutil/geometry/QvDbLineInternalPE.h"

#include <cmath>

#include "cmdutil/geometry/XqCurveEndPick.h"
#include "sdk/db/QvDbLine.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbLineInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDbLineInternalPE::entityLength(const QvDbEntity* entity, double& length) {
  length = 0.0;
  const QvDbLine* line = QvDbLine::cast(entity);
  if (!line) return Vexa::eNotApplicable;
  length = line->startPoint().distanceTo(line->endPoint());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbLineInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                      const QvGePoint3d& pickPoint) {
  QvDbLine* line = QvDbLine::cast(entity);
  if (!line) return Vexa::eNotApplicable;
  if (!line->isWriteEnabled()) return Vexa::eNotOpenForWrite;
  if (!std::isfinite(newLength) || newLength <= 0.0) return Vexa::eInvalidInput;
  const QvGePoint3d start = line->startPoint();
  const QvGePoint3d end = line->endPoint();
  if (start.isEqualTo(end)) return Vexa::eNotApplicable;
  bool endMeant = false;
  if (Vexa::ErrorStatus status = XqCurveEndPick::endMeant(*line, pickPoint, endMeant);
      status != Vexa::eOk)
    return status;
  if (endMeant) return line->setEndPoint(start + (end - start).normal() * newLength);
  return line->setStartPoint(end + (start - end).normal() * newLength);
}
