// A drawable that draws per viewport is asked for it when its world draw does not finish, and
// sees the viewport's camera and eye transform.
#include <gtest/gtest.h>

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiDrawable.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiViewportDraw.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"

namespace {

// Draws a mark in the world, and per viewport a segment from the target towards the camera
// one unit long, unless told to finish in the world draw.
class ViewFacingMark : public QvGiDrawable {
 public:
  bool finishInWorld = false;
  int viewportDraws = 0;
  QvGeMatrix3d eye;

 protected:
  bool subWorldDraw(QvGiWorldDraw*) override { return finishInWorld; }
  void subViewportDraw(QvGiViewportDraw* vd) override {
    ++viewportDraws;
    const QvGiViewport& vp = vd->viewport();
    eye = vp.getWorldToEyeTransform();
    const QvGePoint3d points[2] = {vp.getCameraTarget(),
                                   vp.getCameraTarget() + vp.viewDir().normal()};
    vd->geometry().polyline(2, points);
  }
};

TEST(ViewportDraw, AskedWhenTheWorldDrawIsNotCompleteWithTheViewportsCamera) {
  ViewFacingMark mark;
  QvGiWorldDrawRecorder plan;
  plan.drawTopLevel(&mark);
  EXPECT_EQ(1, mark.viewportDraws);
  ASSERT_EQ(1u, plan.primitives().size());
  EXPECT_TRUE(plan.primitives()[0].points[1].isEqualTo(QvGePoint3d(0, 0, 1)));
  EXPECT_TRUE(mark.eye.isEqualTo(QvGeMatrix3d::kIdentity));

  // Seen from the front-right and above: the eye's z axis points at the camera, its x axis is
  // level, and the camera lies on the eye's z axis.
  QvGiWorldDrawRecorder view;
  const QvGePoint3d camera(10, -10, 10), target(1, 2, 0);
  view.setView(camera, target);
  view.drawTopLevel(&mark);
  EXPECT_EQ(2, mark.viewportDraws);
  const QvGePoint3d seen = QvGePoint3d(camera).transformBy(mark.eye);
  EXPECT_NEAR(0.0, seen.x, 1e-9);
  EXPECT_NEAR(0.0, seen.y, 1e-9);
  EXPECT_NEAR(camera.distanceTo(target), seen.z, 1e-9);
  const QvGePoint3d targetSeen = QvGePoint3d(target).transformBy(mark.eye);
  EXPECT_TRUE(targetSeen.isEqualTo(QvGePoint3d::kOrigin));
  const QvGeVector3d xAxis(mark.eye.entry[0][0], mark.eye.entry[0][1], mark.eye.entry[0][2]);
  EXPECT_NEAR(0.0, xAxis.z, 1e-12);

  // A world draw that finishes is not followed by a viewport draw; a camera on its target is
  // no view and changes nothing.
  mark.finishInWorld = true;
  view.setView(target, target);
  view.clear();
  view.drawTopLevel(&mark);
  EXPECT_EQ(2, mark.viewportDraws);
  EXPECT_TRUE(view.primitives().empty());
  view.drawViewportTopLevel(&mark);
  EXPECT_EQ(3, mark.viewportDraws);
  const QvGePoint3d still = QvGePoint3d(camera).transformBy(mark.eye);
  EXPECT_NEAR(camera.distanceTo(target), still.z, 1e-9);
}

}  // namespace
