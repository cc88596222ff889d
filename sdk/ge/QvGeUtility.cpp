#include "sdk/ge/QvGeUtility.h"

#include <memory>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/ge/QvGeRay3d.h"

namespace {

// The piece of the curve at that end: itself, a composite's end piece (searched down), or a
// polyline's end segment (made in `scratch`).
const QvGeCurve3d* endPiece(const QvGeCurve3d& curve, bool atStart,
                            std::unique_ptr<QvGeCurve3d>& scratch) {
  if (curve.type() == QvGe::kCompositeCrv3d) {
    const auto& composite = static_cast<const QvGeCompositeCurve3d&>(curve);
    const QvGeCurve3d* piece = composite.curveAt(atStart ? 0 : composite.numCurves() - 1);
    return piece ? endPiece(*piece, atStart, scratch) : nullptr;
  }
  if (curve.type() == QvGe::kPolyline3d) {
    const auto& polyline = static_cast<const QvGePolyline3d&>(curve);
    const int n = polyline.numFitPoints();
    scratch = std::make_unique<QvGeLineSeg3d>(
        atStart ? polyline.fitPointAt(0) : polyline.fitPointAt(n - 2),
        atStart ? polyline.fitPointAt(1) : polyline.fitPointAt(n - 1));
    return scratch.get();
  }
  return &curve;
}

// A ray from the curve's end along its outward tangent, or null when the tangent is zero.
QvGeRay3d* outwardRay(const QvGeCurve3d& piece, bool atStart) {
  QvGeInterval interval;
  piece.getInterval(interval);
  QvGePoint3d p;
  QvGeVector3d d[1];
  piece.evalDerivatives(atStart ? interval.lowerBound() : interval.upperBound(), 1, p, d);
  if (d[0].isZeroLength()) return nullptr;
  return new QvGeRay3d(p, atStart ? -d[0] : d[0]);
}

// The rest of a conic arc's carrier, starting at the chosen end and running outward.
template <class Arc>
Arc* complementaryArc(const Arc& arc, bool atStart) {
  auto rest = std::make_unique<Arc>(arc);
  const double s = arc.startAng(), e = arc.endAng();
  const Vexa::ErrorStatus es =
      atStart ? rest->setAngles(e - QvGe::k2Pi, s) : rest->setAngles(e, s + QvGe::k2Pi);
  if (es != Vexa::eOk) return nullptr;
  if (atStart) rest->reverseParam();
  return rest.release();
}

}  // namespace

Vexa::ErrorStatus QvGeUtility::qvgeGetComplementaryCurves(const QvGeCurve3d& curve, int side,
                                                          QvArray<QvGeCurve3d*>& curves) {
  if ((side != QvGe::kStart && side != QvGe::kEnd) || !curve.isValid()) return Vexa::eInvalidInput;
  const bool atStart = side == QvGe::kStart;
  QvGeInterval interval;
  curve.getInterval(interval);
  if (atStart ? !interval.isBoundedBelow() : !interval.isBoundedAbove())
    return Vexa::eNotApplicable;

  std::unique_ptr<QvGeCurve3d> scratch;
  const QvGeCurve3d* piece = endPiece(curve, atStart, scratch);
  if (!piece || !piece->isValid()) return Vexa::eInvalidInput;

  if (piece->isKindOf(QvGe::kLinearEnt3d)) {
    QvGeRay3d* ray = outwardRay(*piece, atStart);
    if (!ray) return Vexa::eDegenerateGeometry;
    curves.append(ray);
    return Vexa::eOk;
  }
  if (piece->type() == QvGe::kCircArc3d || piece->type() == QvGe::kEllipArc3d) {
    if (piece->isClosed()) return Vexa::eNotApplicable;
    QvGeCurve3d* rest = piece->type() == QvGe::kCircArc3d
                            ? static_cast<QvGeCurve3d*>(complementaryArc(
                                  static_cast<const QvGeCircArc3d&>(*piece), atStart))
                            : complementaryArc(static_cast<const QvGeEllipArc3d&>(*piece), atStart);
    if (!rest) return Vexa::eNotApplicable;
    curves.append(rest);
    return Vexa::eOk;
  }
  if (piece->type() == QvGe::kNurbCurve3d) {
    auto extension = std::make_unique<QvGeNurbCurve3d>();
    const Vexa::ErrorStatus es =
        static_cast<const QvGeNurbCurve3d&>(*piece).getExtendSegment(atStart, *extension);
    if (es != Vexa::eOk) return es;
    if (atStart) extension->reverseParam();
    QvGeRay3d* ray = outwardRay(*extension, false);
    if (!ray) return Vexa::eDegenerateGeometry;
    curves.append(extension.release());
    curves.append(ray);
    return Vexa::eOk;
  }
  return Vexa::eNotApplicable;
}
