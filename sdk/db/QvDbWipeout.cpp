#include "sdk/db/QvDbWipeout.h"

#include <algorithm>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbWipeout)

Vexa::ErrorStatus QvDbWipeout::setFrom(const QvGePoint2dArray& points, const QvGeVector3d& normal) {
  if (normal.isZeroLength() || points.isEmpty()) return Vexa::eInvalidInput;
  QvGePoint2d low = points.first();
  QvGePoint2d high = points.first();
  for (const QvGePoint2d& point : points) {
    low.set(std::min(low.x, point.x), std::min(low.y, point.y));
    high.set(std::max(high.x, point.x), std::max(high.y, point.y));
  }
  const double width = high.x - low.x;
  const double height = high.y - low.y;
  if (!(width > 0.0) || !(height > 0.0)) return Vexa::eInvalidInput;

  QvGePoint2dArray boundary;
  for (const QvGePoint2d& point : points) boundary.append(point - low.asVector());
  if (boundary.length() > 1 && boundary.first().isEqualTo(boundary.last())) boundary.removeLast();
  if (boundary.length() < 3) return Vexa::eInvalidInput;

  const QvGeMatrix3d planeToWorld = QvGeMatrix3d::planeToWorld(normal);
  QvGePoint3d origin(low.x, low.y, 0.0);
  QvGeVector3d u(width, 0.0, 0.0);
  QvGeVector3d v(0.0, height, 0.0);
  origin.transformBy(planeToWorld);
  u.transformBy(planeToWorld);
  v.transformBy(planeToWorld);

  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // Checked above: the frame and the boundary are valid, so these cannot refuse.
  setOrientation(origin, u, v);
  setImageSize(width, height);
  setClipBoundary(kPoly, boundary);
  return Vexa::eOk;
}
