#include "cmdutil/geometry/XqCurveEndPick.h"

#include <cmath>
#include <numbers>

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace XqCurveEndPick {

Vexa::ErrorStatus pickedPoint(const QvDbCurve& curve, const QvGePoint3d& pick,
                              QvGePoint3d& onCurve) {
  QvGeVector3d viewDir;
  if (XqDbUtil::getViewDirWcs(viewDir) != Vexa::eOk) return Vexa::eNotApplicable;
  if (curve.getClosestPointTo(pick, viewDir, onCurve, false) != Vexa::eOk)
    return Vexa::eNotApplicable;
  return Vexa::eOk;
}

Vexa::ErrorStatus endMeant(const QvDbCurve& curve, const QvGePoint3d& pick, bool& end) {
  QvGePoint3d onCurve, start, finish;
  if (pickedPoint(curve, pick, onCurve) != Vexa::eOk) return Vexa::eNotApplicable;
  if (curve.getStartPoint(start) != Vexa::eOk || curve.getEndPoint(finish) != Vexa::eOk)
    return Vexa::eNotApplicable;
  end = onCurve.distanceTo(start) > onCurve.distanceTo(finish);
  return Vexa::eOk;
}

}  // namespace XqCurveEndPick

double xqAngleInFullTurn(double angle) {
  constexpr double kTurn = 2.0 * std::numbers::pi;
  if (!std::isfinite(angle)) return angle;
  double reduced = std::fmod(angle, kTurn);
  if (reduced < 0.0) reduced += kTurn;
  return reduced >= kTurn ? 0.0 : reduced;  // -tiny + 2 pi rounds up to a full turn
}
