#include "cmdutil/geometry/QvDbEllipseInternalPE.h"

#include "cmdutil/geometry/XqCurveEndPick.h"
#include "sdk/db/QvDbEllipse.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbEllipseInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDbEllipseInternalPE::entityAngle(const QvDbEntity* entity, double& angle) {
  const QvDbEllipse* ellipse = QvDbEllipse::cast(entity);
  if (!ellipse || ellipse->isClosed()) return Vexa::eInvalidInput;
  angle = xqAngleInFullTurn(ellipse->endAngle() - ellipse->startAngle());
  return Vexa::eOk;
}
