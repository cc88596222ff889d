#include "cmdutil/geometry/QvDb2dPolylineInternalPE.h"

#include "cmdutil/geometry/XqPolylineLength.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb2dPolylineInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDb2dPolylineInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                            const QvGePoint3d& pickPoint) {
  QvDb2dPolyline* polyline = QvDb2dPolyline::cast(entity);
  if (!polyline) return Vexa::eInvalidInput;
  return xqSetPolylineLength(*polyline, newLength, pickPoint);
}
