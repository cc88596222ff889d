#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/ge/QvGePoint3d.h"
#include "tests/support/DbCurveChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"

// Steps and checks the entity tests share.

using dbcurvecheck::at;

// The image of a point under a matrix.
inline QvGePoint3d mapped(const QvGeMatrix3d& m, QvGePoint3d p) {
  return p.transformBy(m);
}

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
