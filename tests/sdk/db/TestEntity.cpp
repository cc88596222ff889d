#include "tests/sdk/db/TestEntity.h"

#include "sdk/rx/QvRxClass.h"

QvRxClass* TestEntity::desc() {
  static QvRxClass* const cls = newQvRxClass(L"TestEntity", L"QvDbEntity");
  return cls;
}

QvRxClass* TestEntity::isA() const {
  return desc();
}

QvRxClass* TestAttributeDefinition::desc() {
  static QvRxClass* const cls =
      newQvRxClass(L"TestAttributeDefinition", L"QvDbAttributeDefinition");
  return cls;
}

QvRxClass* TestAttributeDefinition::isA() const {
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

void TestEntity::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!reference_.isNull()) visitor.visit(reference_, QvDbIdVisitor::kHardPointer);
  if (!child_.isNull()) visitor.visit(child_, QvDbIdVisitor::kHardOwner);
}
