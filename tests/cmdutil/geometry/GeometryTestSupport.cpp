#include "tests/cmdutil/geometry/GeometryTestSupport.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGePolyline3d.h"

QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity) {
  QvDbObjectPointer<QvDbEntity> owned(entity);
  QvDbObjectPointer<QvDbBlockTableRecord> space(db->modelSpaceId(), QvDb::kForWrite);
  QvDbObjectId id;
  if (!space || space->appendQvDbEntity(id, entity) != Vexa::eOk) return QvDbObjectId();
  return id;
}

QvGePoint3dArray fitPointsOf(const QvGeCurve3d* curve) {
  QvGePoint3dArray points;
  if (!curve || curve->type() != QvGe::kPolyline3d) return points;
  const auto& polyline = static_cast<const QvGePolyline3d&>(*curve);
  for (int i = 0; i < polyline.numFitPoints(); ++i) points.append(polyline.fitPointAt(i));
  return points;
}

namespace {

std::string describe(const QvGePoint3d& p) {
  return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.z) + ")";
}

}  // namespace

void PrintTo(const QvArray<double>& values, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < values.length(); ++i) *os << (i ? ", " : "") << values[i];
  *os << "}";
}

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b, double tol) {
  if (a.distanceTo(b) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << describe(a) << " is not " << describe(b);
}

::testing::AssertionResult pointListsNear(const QvGePoint3dArray& a, const QvGePoint3dArray& b,
                                          double tol) {
  if (a.length() != b.length())
    return ::testing::AssertionFailure() << a.length() << " points instead of " << b.length();
  for (int i = 0; i < a.length(); ++i)
    if (a[i].distanceTo(b[i]) > tol)
      return ::testing::AssertionFailure()
             << "point " << i << ": " << describe(a[i]) << " is not " << describe(b[i]);
  return ::testing::AssertionSuccess();
}
