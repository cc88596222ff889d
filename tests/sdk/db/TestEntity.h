#pragma once

#include "sdk/db/QvDbEntity.h"

// An entity for the database's tests: a number, a reference to another object (a hard
// pointer) and an object it owns (a hard owner), enough to watch copying, undo and id
// translation.
class TestEntity : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(TestEntity);

  TestEntity() = default;
  explicit TestEntity(int value) : value_(value) {}

  int value() const;
  Vexa::ErrorStatus setValue(int value);
  QvDbObjectId reference() const;
  Vexa::ErrorStatus setReference(QvDbObjectId id);
  QvDbObjectId child() const;
  Vexa::ErrorStatus setChild(QvDbObjectId id);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  int value_ = 0;
  QvDbObjectId reference_;
  QvDbObjectId child_;
};

// A test entity registered as an attribute definition.
class TestAttributeDefinition : public TestEntity {
  QVDB_DECLARE_MEMBERS(TestAttributeDefinition);

  TestAttributeDefinition() = default;
};
