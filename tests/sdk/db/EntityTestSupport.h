#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
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

// The length of a bounded curve, from its start to its end parameter.
inline double lengthOf(const QvDbCurve& curve) {
  double end = 0, dist = 0;
  EXPECT_EQ(curve.getEndParam(end), Vexa::eOk);
  EXPECT_EQ(curve.getDistAtParam(end, dist), Vexa::eOk);
  return dist;
}

// Splits `curve` at `params` into `count` pieces of class T, which run one into the next (the
// last into the first round a closed curve) and add up to the curve's length.
template <class T>
EntityList splitInto(const QvDbCurve& curve, const QvGeDoubleArray& params, int count) {
  QvArray<QvDbEntity*> out;
  EXPECT_EQ(curve.getSplitCurves(params, out), Vexa::eOk);
  EntityList pieces(out);
  EXPECT_EQ(pieces.size(), count);
  EXPECT_EQ(pieces.count<T>(), count);
  if (pieces.size() != count || pieces.count<T>() != count) return pieces;
  double total = 0;
  for (int i = 0; i < count; ++i) {
    total += lengthOf(*pieces.as<T>(i));
    if (i + 1 == count && !curve.isClosed()) break;
    QvGePoint3d end, next;
    pieces.as<T>(i)->getEndPoint(end);
    pieces.as<T>((i + 1) % count)->getStartPoint(next);
    EXPECT_POINT_NEAR(end, next, 1e-9) << "after piece " << i;
  }
  EXPECT_NEAR(total, lengthOf(curve), 1e-9 * std::max(1.0, total));
  return pieces;
}
