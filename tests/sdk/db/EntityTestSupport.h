#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGePoint3d.h"

class QvDbDatabase;

// Steps and checks the entity tests share.

// Appends a new entity to the model space of `db` and closes it; its id (null on failure).
QvDbObjectId appendToModelSpace(QvDbDatabase* db, QvDbEntity* entity);

// Owns the new entities an explode or a split hands back.
class EntityList {
 public:
  EntityList() = default;
  explicit EntityList(QvArray<QvDbEntity*>& entities) { take(entities); }
  void take(QvArray<QvDbEntity*>& entities);
  int size() const { return static_cast<int>(items_.size()); }
  QvDbEntity* operator[](int i) const { return items_[static_cast<size_t>(i)].get(); }
  // The entity at i as T (null when it is not one).
  template <class T>
  T* as(int i) const {
    return T::cast((*this)[i]);
  }
  // How many entities are exactly of class T.
  template <class T>
  int count() const {
    int n = 0;
    for (const auto& e : items_) n += e->isA() == T::desc() ? 1 : 0;
    return n;
  }

 private:
  std::vector<std::unique_ptr<QvDbEntity>> items_;
};

::testing::AssertionResult pointsNear(const QvGePoint3d& a, const QvGePoint3d& b, double tol);
::testing::AssertionResult vectorsNear(const QvGeVector3d& a, const QvGeVector3d& b, double tol);

#define EXPECT_POINT_NEAR(a, b, tol) EXPECT_TRUE(pointsNear((a), (b), (tol)))
#define EXPECT_VECTOR_NEAR(a, b, tol) EXPECT_TRUE(vectorsNear((a), (b), (tol)))
