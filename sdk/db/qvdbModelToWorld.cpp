#include "sdk/db/qvdbModelToWorld.h"

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"

Vexa::ErrorStatus qvdbGetModelToWorldTransform(const QvDbObjectIdArray& path, QvGeMatrix3d& xform) {
  if (path.isEmpty()) return Vexa::eNullObjectId;
  QvGeMatrix3d product;
  for (int i = 0; i + 1 < path.length(); ++i) {
    QvDbObjectPointer<QvDbEntity> entity(path[i], QvDb::kForRead);
    if (!entity) return entity.openStatus();
    if (const auto* reference = QvDbBlockReference::cast(entity.object()))
      product = product * reference->blockTransform();
  }
  xform = product;
  return Vexa::eOk;
}
