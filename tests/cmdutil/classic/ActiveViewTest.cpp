// The active graphics view and display coordinates through the viewport behind a view.
#include <gtest/gtest.h>

#include "sdk/app/VexaGraphics.h"
#include "sdk/gi/QvGsView.h"
#include "sdk/gi/VexaGsViewport.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

using ActiveView = HostFixture;

TEST_F(ActiveView, IsTheViewOfTheActiveViewport) {
  ASSERT_NE(GetActiveGraphics(), nullptr);
  QvGsView* view = vexaGetActiveQvGsView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view, GetActiveGraphics()->activeViewport()->gsView());
  EXPECT_EQ(view->viewport(), GetActiveGraphics()->activeViewport());
}

TEST_F(ActiveView, WorldToDisplayThroughTheViewport) {
  QvGsView* view = vexaGetActiveQvGsView();
  ASSERT_NE(view, nullptr);
  // The plan view at zoom 1 shows world x and y unchanged, whatever the height.
  const QvGePoint2d plan = vexaWcsToDcsTransf(QvGePoint3d(3, -4, 7), view);
  EXPECT_DOUBLE_EQ(plan.x, 3.0);
  EXPECT_DOUBLE_EQ(plan.y, -4.0);

  // From below, looking up with Y up: right is -X. Zoom 4 about display point (10, 20).
  VexaGsViewport* viewport = view->viewport();
  ASSERT_EQ(view->setView(QvGePoint3d(0, 0, -3), QvGePoint3d::kOrigin, QvGeVector3d::kYAxis),
            Vexa::eOk);
  ASSERT_EQ(viewport->setZoom(4.0), Vexa::eOk);
  ASSERT_EQ(viewport->setDisplayCenter(QvGePoint2d(10, 20)), Vexa::eOk);
  const QvGePoint2d below = vexaWcsToDcsTransf(QvGePoint3d(1, 2, 9), view);
  EXPECT_NEAR(below.x, 10.0 - 4.0, 1e-12);
  EXPECT_NEAR(below.y, 20.0 + 8.0, 1e-12);

  // A view no viewport shows, and no view: the 2D origin.
  const QvGsView loose = *view;
  const QvGePoint2d none = vexaWcsToDcsTransf(QvGePoint3d(1, 2, 9), &loose);
  EXPECT_EQ(none.x, 0.0);
  EXPECT_EQ(none.y, 0.0);
  const QvGePoint2d null = vexaWcsToDcsTransf(QvGePoint3d(1, 2, 9), nullptr);
  EXPECT_EQ(null.x, 0.0);
  EXPECT_EQ(null.y, 0.0);
}

}  // namespace
