#include "cmdutil/geometry/QvDb3dPolylineInternalPE.h"

#include "cmdutil/geometry/XqPolylineLength.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDb3dPolylineInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDb3dPolylineInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                            const QvGePoint3d& pickPoint) {
  QvDb3dPolyline* polyline = QvDb3dPolyline::cast(entity);
  if (!polyline) return Vexa::eInvalidInput;
  return xqSetPolylineLength(*polyline, newLength, pickPoint);
}
