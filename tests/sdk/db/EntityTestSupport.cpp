#include "tests/sdk/db/EntityTestSupport.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"

QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(db->modelSpaceId(), QvDb::kForWrite);
  QvDbObjectId id;
  if (space.openStatus() != Vexa::eOk || space->appendQvDbEntity(id, entity) != Vexa::eOk) {
    delete entity;
    return QvDbObjectId();
  }
  entity->close();
  return id;
}

void EntityList::take(QvArray<QvDbEntity*>& entities) {
  for (int i = 0; i < entities.length(); ++i) items_.emplace_back(entities[i]);
  entities.removeAll();
}

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b, double tol) {
  const double d = a.distanceTo(b);
  if (d <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << a.x << ", " << a.y << ", " << a.z << ") and (" << b.x << ", " << b.y << ", "
         << b.z << ") are " << d << " apart";
}

::testing::AssertionResult vectorsNear(const QvGeVector3d& a, const QvGeVector3d& b, double tol) {
  return pointsNear(QvGePoint3d(a.x, a.y, a.z), QvGePoint3d(b.x, b.y, b.z), tol);
}
