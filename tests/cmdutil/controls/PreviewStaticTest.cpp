#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sdk/db/QvDbLine.h"
#include "sdk/gi/QvGiDrawable.h"
#include "tests/cmdutil/controls/ControlsFixture.h"
#include "xqcmdutil/CXqPreviewStatic.h"

namespace {

// A drawable that asks its window to paint again while it is being drawn.
class RepaintingDrawable : public QvGiDrawable {
 public:
  HWND window = nullptr;
  int draws = 0;

 protected:
  bool subWorldDraw(QvGiWorldDraw*) override {
    ++draws;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    return true;
  }
};

class PreviewStaticTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    first = std::make_unique<QvDbLine>(QvGePoint3d(0, 0, 0), QvGePoint3d(100, 50, 0));
    second = std::make_unique<QvDbLine>(QvGePoint3d(-20, 0, 0), QvGePoint3d(0, 10, 0));
    ASSERT_TRUE(preview.Create(L"", WS_CHILD | WS_VISIBLE, RECT{10, 10, 210, 110}, &dialog, 102));
  }
  void TearDown() override {
    preview.DestroyWindow();
    first.reset();
    second.reset();
    ControlsFixture::TearDown();
  }
  static bool covers(const std::array<double, 4>& view, double l, double b, double r, double t) {
    return view[0] <= l && view[1] <= b && view[2] >= r && view[3] >= t;
  }

  std::unique_ptr<QvDbLine> first;  // drawn by the preview: they outlive it
  std::unique_ptr<QvDbLine> second;
  CXqPreviewStatic preview;
};

TEST_F(PreviewStaticTest, OnePreviewerFromTheFirstRequestToTheWindowsEnd) {
  EXPECT_TRUE(preview.isNeedInitialize());
  preview.zoom();  // without a previewer: nothing, and no harm
  preview.invalidate(false);
  preview.update();
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{first.get()}, true);
  VexaGiDrawablePreviewer* previewer = preview.GetPreviewer();
  ASSERT_NE(previewer, nullptr);
  EXPECT_EQ(previewer->drawableCount(), 1);
  EXPECT_TRUE(previewer->flag());
  EXPECT_EQ(previewer->view(), (std::array<double, 4>{0, 0, 1, 1}));
  EXPECT_EQ(previewer->width(), 200);
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{first.get(), second.get()},
                           false);
  EXPECT_EQ(preview.GetPreviewer(), previewer);
  EXPECT_EQ(previewer->drawableCount(), 1);
  preview.invalidate(false);  // always the whole preview
  EXPECT_EQ(previewer->invalidateCount(), 1);
  EXPECT_TRUE(previewer->isInvalid());
  preview.DestroyWindow();
  EXPECT_TRUE(preview.isNeedInitialize());
}

TEST_F(PreviewStaticTest, ZoomCoversTheDrawablesAndFollowsTheSize) {
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{first.get(), second.get()},
                           false);
  VexaGiDrawablePreviewer& previewer = *preview.GetPreviewer();
  preview.zoom();
  auto view = previewer.view();
  EXPECT_TRUE(covers(view, -20, 0, 100, 50));
  EXPECT_NEAR((view[2] - view[0]) / (view[3] - view[1]), 2.0, 1e-9);  // 200 by 100 pixels
  windows().pump();
  EXPECT_EQ(previewer.frameCount(), 1);
  const std::string& frame = previewer.lastFrame();
  EXPECT_NE(frame.find("width=\"200\" height=\"100\""), std::string::npos);
  EXPECT_EQ(windows().surface(preview.m_hWnd)->back().picture, frame);

  // A square window: the view keeps the drawables and takes the new proportions.
  preview.MoveWindow(10, 10, 120, 120);
  view = previewer.view();
  EXPECT_TRUE(covers(view, -20, 0, 100, 50));
  EXPECT_NEAR(view[2] - view[0], view[3] - view[1], 1e-9);
  EXPECT_TRUE(previewer.isInvalid());
  windows().pump();
  EXPECT_EQ(previewer.frameCount(), 2);
  EXPECT_NE(previewer.lastFrame().find("width=\"120\" height=\"120\""), std::string::npos);
  // A paint of a valid preview draws the kept frame again.
  preview.Invalidate();
  preview.UpdateWindow();
  EXPECT_EQ(previewer.frameCount(), 2);
  EXPECT_EQ(previewer.updateCount(), 3);
}

TEST_F(PreviewStaticTest, NothingToShowOrAPointStillGivesAView) {
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{}, false);
  preview.zoom();
  EXPECT_EQ(preview.GetPreviewer()->view(), (std::array<double, 4>{0, 0, 1, 1}));
  windows().pump();
  EXPECT_NE(preview.GetPreviewer()->lastFrame().find("<svg"), std::string::npos);
  preview.uninitPreviewer();

  QvDbLine dot{QvGePoint3d(5, 5, 0), QvGePoint3d(5, 5, 0)};
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{&dot}, false);
  preview.zoom();
  const auto view = preview.GetPreviewer()->view();
  EXPECT_TRUE(covers(view, 4.5, 4.5, 5.5, 5.5));
  EXPECT_GT(view[3] - view[1], 0.0);
}

TEST_F(PreviewStaticTest, APaintInsideAnUpdateIsNotStartedAgain) {
  RepaintingDrawable drawable;
  drawable.window = preview.m_hWnd;
  preview.initialPreviewer(preview.m_hWnd, db(), XqVector<QvGiDrawable*>{&drawable}, false);
  windows().pump();
  EXPECT_EQ(preview.GetPreviewer()->updateCount(), 1);
  EXPECT_EQ(drawable.draws, 1);
}

}  // namespace
