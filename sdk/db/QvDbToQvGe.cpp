#include "sdk/db/QvDbToQvGe.h"

#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"

QvGeCompositeCurve3d* QvDbToQvGe::compositeCurve3d(const QvDbPolyline* polyline) {
  if (!polyline) return nullptr;
  QvGeCurve3d* curve = nullptr;
  if (polyline->getGeCurve(curve) != Vexa::eOk) return nullptr;
  if (curve->type() == QvGe::kCompositeCrv3d) return static_cast<QvGeCompositeCurve3d*>(curve);
  delete curve;
  return nullptr;
}

Vexa::ErrorStatus QvDbToQvGe::curve3d(const QvDbCurve* curve, QvGeCurve3d*& result,
                                      bool unbounded) {
  if (!curve) return Vexa::eNullPtr;
  return curve->getGeCurve(result, unbounded);
}
