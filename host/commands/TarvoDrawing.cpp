#include "host/commands/TarvoDrawing.h"

#include <cmath>

#include "sdk/db/QvDbArc.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// The angle of `point` round `center` in the arbitrary-axis frame of `normal`.
double angleInPlane(const QvGePoint3d& center, const QvGePoint3d& point,
                    const QvGeVector3d& normal) {
  QvGeVector3d v = point - center;
  v.transformBy(QvGeMatrix3d::worldToPlane(normal));
  return std::atan2(v.y, v.x);
}

// The signed angle from `a` to `b` about `normal`.
double turn(const QvGeVector3d& a, const QvGeVector3d& b, const QvGeVector3d& normal) {
  return std::atan2(a.crossProduct(b).dotProduct(normal), a.dotProduct(b));
}

}  // namespace

QvDbObjectId TarvoDrawing::addToCurrentSpace(QvDbEntity* entity) {
  if (!entity) return QvDbObjectId::kNull;
  entity->setDatabaseDefaults();
  const QvDbObjectId id = XqDbUtil::CommitToDB(entity);
  if (id.isNull()) {
    delete entity;
    return id;
  }
  entity->close();
  return id;
}

QvDbArc* TarvoDrawing::arcAround(const QvGePoint3d& center, const QvGeVector3d& normal,
                                 const QvGePoint3d& start, const QvGePoint3d& end) {
  const double radius = center.distanceTo(start);
  if (!(radius > 0.0) || end.isEqualTo(center)) return nullptr;
  return new QvDbArc(center, normal.normal(), radius, angleInPlane(center, start, normal),
                     angleInPlane(center, end, normal));
}

QvDbArc* TarvoDrawing::arcThrough(const QvGePoint3d& start, const QvGePoint3d& second,
                                  const QvGePoint3d& end, const QvGeVector3d& normal) {
  QvGeCircArc3d arc;
  if (arc.set(start, second, end) != Vexa::eOk) return nullptr;
  const bool counterclockwise = arc.normal().dotProduct(normal) > 0.0;
  return counterclockwise ? arcAround(arc.center(), normal, start, end)
                          : arcAround(arc.center(), normal, end, start);
}

double TarvoDrawing::tangentArcBulge(const QvGePoint3d& start, const QvGeVector3d& tangent,
                                     const QvGePoint3d& end, const QvGeVector3d& normal) {
  // The arc turns through twice the angle between the tangent and the chord.
  return std::tan(turn(tangent, end - start, normal) / 2.0);
}

double TarvoDrawing::threePointBulge(const QvGePoint3d& start, const QvGePoint3d& second,
                                     const QvGePoint3d& end, const QvGeVector3d& normal) {
  // The inscribed angle at `second` is half the arc's complement: the arc turns through
  // 2 (pi - angle at second), on the side where `second` lies.
  const double atSecond = turn(start - second, end - second, normal);
  if (std::fabs(atSecond) < 1e-12 || std::fabs(std::fabs(atSecond) - M_PI) < 1e-12) return 0.0;
  const double sweep = atSecond > 0 ? -(2 * M_PI - 2 * atSecond) : 2 * M_PI + 2 * atSecond;
  return std::tan(sweep / 4.0);
}
