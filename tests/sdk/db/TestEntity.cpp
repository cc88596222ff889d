#include "tests/sdk/db/TestEntity.h"

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QvRxClass* TestEntity::desc() {
  static QvRxClass* const cls = newQvRxClass(L"TestEntity", L"QvDbEntity");
  return cls;
}

QvRxClass* TestEntity::isA() const {
  return desc();
}

int TestEntity::value() const {
  assertReadEnabled();
  return value_;
}

Vexa::ErrorStatus TestEntity::setValue(int value) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  value_ = value;
  return Vexa::eOk;
}

QvDbObjectId TestEntity::reference() const {
  assertReadEnabled();
  return reference_;
}

Vexa::ErrorStatus TestEntity::setReference(QvDbObjectId id) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  reference_ = id;
  return Vexa::eOk;
}

QvDbObjectId TestEntity::child() const {
  assertReadEnabled();
  return child_;
}

Vexa::ErrorStatus TestEntity::setChild(QvDbObjectId id) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  child_ = id;
  return Vexa::eOk;
}

QvGePoint3d TestEntity::position() const {
  assertReadEnabled();
  return position_;
}

Vexa::ErrorStatus TestEntity::subTransformBy(const QvGeMatrix3d& xform) {
  position_.transformBy(xform);
  return Vexa::eOk;
}

Vexa::ErrorStatus TestEntity::subExplode(QvArray<QvDbEntity*>& pieces) const {
  pieces.append(new TestEntity(value_ / 2));
  if (value_ % 2 != 0) return Vexa::eNotApplicable;
  pieces.append(new TestEntity(value_ / 2));
  return Vexa::eOk;
}

Vexa::ErrorStatus TestEntity::subGetGeomExtents(QvDbExtents& extents) const {
  extents.addPoint(position_);
  extents.addPoint(position_ + QvGeVector3d(1, 1, 0));
  return Vexa::eOk;
}

void TestEntity::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!reference_.isNull()) visitor.visit(reference_, QvDbIdVisitor::kHardPointer);
  if (!child_.isNull()) visitor.visit(child_, QvDbIdVisitor::kHardOwner);
}
