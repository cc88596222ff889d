#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGePoint3d.h"
#include "tests/support/CurveEnds.h"
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
  void take(QvArray<QvDbEntity*>& entities) {
    for (int i = 0; i < entities.length(); ++i) items_.emplace_back(entities[i]);
    entities.removeAll();
  }
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

// The unit circle about `center` as a rational quadratic NURBS spline (nine control points).
inline QvDbSpline* unitCircleSpline(const QvGePoint3d& center) {
  const double w = std::sqrt(0.5);
  const double xy[9][2] = {{1, 0},   {1, 1},  {0, 1},  {-1, 1}, {-1, 0},
                           {-1, -1}, {0, -1}, {1, -1}, {1, 0}};
  QvGePoint3dArray points;
  for (const auto& p : xy) points.append(center + QvGeVector3d(p[0], p[1], 0));
  return new QvDbSpline(2, true, true, false, points,
                        QvGeDoubleArray{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4},
                        QvGeDoubleArray{1, w, 1, w, 1, w, 1, w, 1});
}

// The pieces an entity explodes into; a refusal fails the test.
inline EntityList explodeOf(const QvDbEntity& entity) {
  QvArray<QvDbEntity*> pieces;
  EXPECT_EQ(entity.explode(pieces), Vexa::eOk);
  return EntityList(pieces);
}

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
