// Graphics views and the viewport that shows one: eye and display coordinates worked out by hand.
#include <gtest/gtest.h>

#include <limits>

#include "sdk/gi/QvGsView.h"
#include "sdk/gi/VexaGsViewport.h"
#include "tests/support/PointChecks.h"

namespace {

QvGePoint3d mapped(const QvGePoint3d& p, const QvGeMatrix3d& m) {
  return QvGePoint3d(p).transformBy(m);
}

TEST(GsView, PlanViewByDefaultAndSideViewByHand) {
  QvGsView view;
  EXPECT_TRUE(view.worldToEyeMatrix().isEqualTo(QvGeMatrix3d::kIdentity));
  EXPECT_EQ(view.viewport(), nullptr);

  // Looking along -X from (10, 0, 0) with Z up: right is +Y, up is +Z, toward the camera +X.
  ASSERT_EQ(view.setView(QvGePoint3d(10, 0, 0), QvGePoint3d::kOrigin, QvGeVector3d(0, 0, 3)),
            Vexa::eOk);
  EXPECT_VECTOR_NEAR(view.upVector(), QvGeVector3d::kZAxis);
  EXPECT_VECTOR_NEAR(view.viewDirection(), QvGeVector3d(-10, 0, 0));
  EXPECT_POINT_NEAR(mapped(QvGePoint3d(0, 3, 4), view.worldToEyeMatrix()), QvGePoint3d(3, 4, 0));
  EXPECT_POINT_NEAR(mapped(QvGePoint3d(5, 0, 0), view.worldToEyeMatrix()), QvGePoint3d(0, 0, 5));

  // An up vector leaning along the view direction keeps only its part across it.
  ASSERT_EQ(view.setView(QvGePoint3d(1, 2, 10), QvGePoint3d(1, 2, 0), QvGeVector3d(0, 1, 1)),
            Vexa::eOk);
  EXPECT_VECTOR_NEAR(view.upVector(), QvGeVector3d::kYAxis);
  EXPECT_POINT_NEAR(mapped(QvGePoint3d(2, 2, 0), view.worldToEyeMatrix()), QvGePoint3d(1, 0, 0));
}

TEST(GsView, RefusesDegenerateViewsAndKeepsTheOldOne) {
  QvGsView view;
  ASSERT_EQ(view.setView(QvGePoint3d(0, -5, 0), QvGePoint3d::kOrigin, QvGeVector3d::kZAxis),
            Vexa::eOk);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(view.setView(QvGePoint3d(1, 1, 1), QvGePoint3d(1, 1, 1), QvGeVector3d::kZAxis),
            Vexa::eInvalidInput);
  EXPECT_EQ(view.setView(QvGePoint3d(0, 0, 5), QvGePoint3d::kOrigin, QvGeVector3d(0, 0, -2)),
            Vexa::eInvalidInput);
  EXPECT_EQ(view.setView(QvGePoint3d(nan, 0, 5), QvGePoint3d::kOrigin, QvGeVector3d::kYAxis),
            Vexa::eInvalidInput);
  EXPECT_POINT_NEAR(view.position(), QvGePoint3d(0, -5, 0));
  EXPECT_VECTOR_NEAR(view.upVector(), QvGeVector3d::kZAxis);
}

TEST(GsViewport, DisplayMatrixZoomsAndCentresItsView) {
  VexaGsViewport viewport;
  QvGsView* view = viewport.gsView();
  EXPECT_EQ(view->viewport(), &viewport);
  EXPECT_TRUE(viewport.worldToDisplayMatrix().isEqualTo(QvGeMatrix3d::kIdentity));

  ASSERT_EQ(view->setView(QvGePoint3d(10, 0, 0), QvGePoint3d::kOrigin, QvGeVector3d::kZAxis),
            Vexa::eOk);
  ASSERT_EQ(viewport.setZoom(2.0), Vexa::eOk);
  ASSERT_EQ(viewport.setDisplayCenter(QvGePoint2d(100, 50)), Vexa::eOk);
  // Eye (3, 4, 0), twice as large, moved to the centre.
  const QvGePoint3d display = mapped(QvGePoint3d(0, 3, 4), viewport.worldToDisplayMatrix());
  EXPECT_POINT_NEAR(display, QvGePoint3d(106, 58, 0));
  EXPECT_POINT_NEAR(mapped(display, viewport.displayToWorldMatrix()), QvGePoint3d(0, 3, 4));

  EXPECT_EQ(viewport.setZoom(0.0), Vexa::eInvalidInput);
  EXPECT_EQ(viewport.setZoom(std::numeric_limits<double>::infinity()), Vexa::eInvalidInput);
  EXPECT_EQ(viewport.setDisplayCenter(QvGePoint2d(std::numeric_limits<double>::quiet_NaN(), 0)),
            Vexa::eInvalidInput);
  EXPECT_DOUBLE_EQ(viewport.zoom(), 2.0);
  EXPECT_POINT_NEAR(mapped(QvGePoint3d(0, 3, 4), viewport.worldToDisplayMatrix()), display);

  // A copy of the view is a view of its own.
  const QvGsView copy = *view;
  EXPECT_EQ(copy.viewport(), nullptr);
  EXPECT_POINT_NEAR(copy.position(), QvGePoint3d(10, 0, 0));
}

}  // namespace
