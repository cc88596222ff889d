#include "cmdutil/geometry/QvDbPolylineInternalPE.h"

#include "cmdutil/geometry/XqPolylineLength.h"
#include "sdk/db/QvDbPolyline.h"
#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(QvDbPolylineInternalPE, L"QvDbCurveInternalPE")

Vexa::ErrorStatus QvDbPolylineInternalPE::setEntityLength(QvDbEntity* entity, double newLength,
                                                          const QvGePoint3d& pickPoint) {
  QvDbPolyline* polyline = QvDbPolyline::cast(entity);
  if (!polyline) return Vexa::eInvalidInput;
  return xqSetPolylineLength(*polyline, newLength, pickPoint);
}
