#include "cmdutil/geometry/XqAlignedUcs.h"

#include <cmath>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/ge/QvGeLine3d.h"
#include "sdk/gi/QvGsView.h"
#include "xqcmdutil/XqArbitraryAxis.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace XqAlignedUcs {

namespace {

bool isFinite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

QvGeVector3d normalOrZ(const QvGeVector3d& normal) {
  return normal.isZeroLength() ? QvGeVector3d::kZAxis : normal;
}

bool setFromX(QvGeMatrix3d& ucs, const QvGePoint3d& origin, const QvGeVector3d& x,
              const QvGeVector3d& normal) {
  if (!isFinite(x) || !isFinite(normal)) return false;
  QvGeVector3d ax, ay, az;
  if (x.isZeroLength()) {
    if (!vexaGetArbitraryAxis(normal, ax, ay, az)) return false;
    ucs.setCoordSystem(origin, ax, ay, az);
    return true;
  }
  const QvGeVector3d unitX = x.normal();
  const QvGeVector3d y = normal.crossProduct(unitX);
  if (y.isZeroLength()) {
    // x stands on the normal (or the normal has no length): the plane around x.
    if (!vexaGetArbitraryAxis(unitX, ax, ay, az)) return false;
    ucs.setCoordSystem(origin, az, ax, ay);
    return true;
  }
  const QvGeVector3d unitY = y.normal();
  ucs.setCoordSystem(origin, unitX, unitY, unitX.crossProduct(unitY));
  return true;
}

bool setFromXY(QvGeMatrix3d& ucs, const QvGePoint3d& origin, const QvGeVector3d& x,
               const QvGeVector3d& y) {
  if (!isFinite(x) || !isFinite(y)) return false;
  if (x.isZeroLength() || y.isZeroLength()) return false;
  const QvGeVector3d z = x.crossProduct(y);
  if (z.isZeroLength()) return false;
  const QvGeVector3d unitX = x.normal();
  const QvGeVector3d unitZ = z.normal();
  ucs.setCoordSystem(origin, unitX, unitZ.crossProduct(unitX), unitZ);
  return true;
}

QvGeVector3d inPlane(const QvGeVector3d& v, const QvGeVector3d& normal) {
  return v - normal * v.dotProduct(normal);
}

void moveOrigin(QvGeMatrix3d& ucs, const QvGePoint3d& origin) {
  QvGePoint3d oldOrigin;
  QvGeVector3d x, y, z;
  ucs.getCoordSystem(oldOrigin, x, y, z);
  ucs.setCoordSystem(origin, x, y, z);
}

Vexa::ErrorStatus checkPick(const QvGePoint3d* pick, const QvGsView* view) {
  if (!pick) return Vexa::eOk;
  if (!view) return Vexa::eNotApplicable;
  return isFinite(pick->asVector()) ? Vexa::eOk : Vexa::eInvalidInput;
}

Vexa::ErrorStatus nearerIsSecond(const QvGePoint3d* pick, const QvGsView* view,
                                 const QvGePoint3d& first, const QvGePoint3d& second,
                                 bool& secondIsNearer) {
  secondIsNearer = false;
  if (const Vexa::ErrorStatus es = checkPick(pick, view); es != Vexa::eOk || !pick) return es;
  const QvGePoint2d at = vexaWcsToDcsTransf(*pick, view);
  const double toFirst = vexaWcsToDcsTransf(first, view).distanceTo(at);
  const double toSecond = vexaWcsToDcsTransf(second, view).distanceTo(at);
  secondIsNearer = toFirst > toSecond;
  return Vexa::eOk;
}

QvGePoint3d projectPick(const QvGePoint3d& pick, const QvGsView& view, const QvGePlane& plane) {
  const QvGeVector3d direction = view.viewDirection();
  QvGePoint3d onPlane;
  if (direction.isZeroLength() || !plane.intersectWith(QvGeLine3d(pick, direction), onPlane))
    return pick;
  return onPlane;
}

double snapAngle() {
  resbuf value{};
  if (qvedGetVar(L"SNAPANG", &value) != kQvNormal) return 0.0;
  if (value.type != kRbReal && value.type != kRbAngle) return 0.0;
  return value.value.real;
}

}  // namespace XqAlignedUcs
