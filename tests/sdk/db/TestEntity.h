#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGePoint3d.h"

// An entity for the database's tests: a number, a reference to another object (a hard
// pointer), an object it owns (a hard owner) and a position, enough to watch copying, undo, id
// translation and the geometry hooks. It explodes into two entities with half its value each
// (an odd value does not explode, after making the first piece).
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
  QvGePoint3d position() const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  int value_ = 0;
  QvGePoint3d position_;
  QvDbObjectId reference_;
  QvDbObjectId child_;
};
