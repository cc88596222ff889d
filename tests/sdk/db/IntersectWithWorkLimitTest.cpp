// Intersections that reach the geometry work limit fail instead of answering in part.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScopedWorkLimit.h"

namespace {

// Splines through 2 sin x and 2 cos x over [-6, 6]: they cross four times.
QvGePoint3dArray wave(bool cosine) {
  QvGePoint3dArray fit;
  for (int i = 0; i <= 24; ++i) {
    const double x = -6.0 + 0.5 * i;
    fit.append(QvGePoint3d(x, 2.0 * (cosine ? std::cos(x) : std::sin(x)), 0.0));
  }
  return fit;
}

TEST(IntersectWithWorkLimit, APartialAnswerIsAFailureAndAddsNothing) {
  const QvDbSpline sine(wave(false)), cosine(wave(true));
  QvGePoint3dArray points;
  ASSERT_EQ(sine.intersectWith(&cosine, QvDb::kOnBothOperands, points), Vexa::eOk);
  EXPECT_EQ(points.length(), 4);

  const QvGePoint3d sentinel(99, 99, 99);
  QvGePoint3dArray kept{sentinel};
  {
    const QvGeScopedWorkLimit tight(3);
    EXPECT_EQ(sine.intersectWith(&cosine, QvDb::kOnBothOperands, kept), Vexa::eIncompleteResult);
    EXPECT_EQ(cosine.intersectWith(&sine, QvDb::kExtendBoth, QvGePlane::kXYPlane, kept),
              Vexa::eIncompleteResult);
    ASSERT_EQ(kept.length(), 1);
    EXPECT_EQ(kept[0].distanceTo(sentinel), 0.0);
    // Closed forms do no piece work: a line and a spline still fail, a line and a line not.
    const QvDbLine across(QvGePoint3d(0, -3, 0), QvGePoint3d(0, 3, 0));
    const QvDbLine level(QvGePoint3d(-3, 0, 0), QvGePoint3d(3, 0, 0));
    EXPECT_EQ(across.intersectWith(&sine, QvDb::kOnBothOperands, kept), Vexa::eIncompleteResult);
    EXPECT_EQ(across.intersectWith(&level, QvDb::kOnBothOperands, kept), Vexa::eOk);
    EXPECT_EQ(kept.length(), 2);
  }
  // The limit is back: the whole answer again.
  QvGePoint3dArray again;
  EXPECT_EQ(sine.intersectWith(&cosine, QvDb::kOnBothOperands, again), Vexa::eOk);
  EXPECT_EQ(again.length(), 4);
}

}  // namespace
