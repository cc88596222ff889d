#include "tests/sdk/ed/BoxEntity.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/rx/QvRxClass.h"

QvRxClass* BoxEntity::desc() {
  static QvRxClass* const cls = newQvRxClass(L"BoxEntity", L"QvDbEntity");
  return cls;
}

QvRxClass* BoxEntity::isA() const {
  return desc();
}

BoxEntity* BoxEntity::unbounded() {
  auto* box = new BoxEntity();
  box->bounded_ = false;
  return box;
}

Vexa::ErrorStatus BoxEntity::subTransformBy(const QvGeMatrix3d& xform) {
  low_.transformBy(xform);
  high_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus BoxEntity::subGetGeomExtents(QvDbExtents& extents) const {
  if (!bounded_) return Vexa::eInvalidExtents;
  extents.addPoint(low_);
  extents.addPoint(high_);
  return Vexa::eOk;
}
