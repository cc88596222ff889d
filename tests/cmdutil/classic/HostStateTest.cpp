// The classic helpers that reach the host's state: the modification kind declared to the current
// document, the active view and display coordinates, the progress meter and dialog icons.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/app/VexaApplicationIcons.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/app/VexaGraphics.h"
#include "sdk/app/VexaProgressMeter.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/gi/QvGsView.h"
#include "sdk/gi/VexaGsViewport.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ProgressLog.h"
#include "xqcmdutil/XqDbModified.h"
#include "xqcmdutil/XqDialogIcon.h"
#include "xqcmdutil/XqProgress.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

using testing::ElementsAre;

using HostStateTest = HostFixture;

TEST_F(HostStateTest, OnlyTheCurrentDocumentHearsOfADbModification) {
  VexaDocument* first = documents().curDocument();
  VexaDocument* second = documents().newDocument();
  ASSERT_EQ(documents().curDocument(), second);
  vexaSetDbModifiedType(3);
  EXPECT_EQ(second->undoController()->dbModifiedType(), 3);
  EXPECT_EQ(first->undoController()->dbModifiedType(), VexaUndoController::kNotDeclared);
  ASSERT_EQ(documents().setCurDocument(first), Vexa::eOk);
  vexaSetDbModifiedType(-7);
  EXPECT_EQ(first->undoController()->dbModifiedType(), -7);
  EXPECT_EQ(second->undoController()->dbModifiedType(), 3);
}

TEST_F(HostStateTest, ADbModificationWithoutACurrentDocumentIsNoticedByNothing) {
  while (documents().curDocument())
    ASSERT_EQ(documents().closeDocument(documents().curDocument()), Vexa::eOk);
  ASSERT_EQ(documents().documentCount(), 0);
  vexaSetDbModifiedType(3);  // nothing to tell: no crash, and no document made for it
  EXPECT_EQ(documents().documentCount(), 0);
}

TEST_F(HostStateTest, TheActiveViewIsThatOfTheActiveViewportAndMapsWorldToDisplay) {
  ASSERT_NE(GetActiveGraphics(), nullptr);
  QvGsView* view = vexaGetActiveQvGsView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view, GetActiveGraphics()->activeViewport()->gsView());
  EXPECT_EQ(view->viewport(), GetActiveGraphics()->activeViewport());
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
  const QvGeTol exactly(0, 0);
  EXPECT_TRUE(vexaWcsToDcsTransf(QvGePoint3d(1, 2, 9), &loose).isEqualTo({0, 0}, exactly));
  EXPECT_TRUE(vexaWcsToDcsTransf(QvGePoint3d(1, 2, 9), nullptr).isEqualTo({0, 0}, exactly));
}

TEST_F(HostStateTest, ProgressInPercent) {
  std::vector<std::string> log;
  ProgressLog::install(host().service<VexaProgressMeter>(), log);
  EXPECT_EQ(VexaSetProgressPercent(10), -1);  // no meter yet: the host's answer
  EXPECT_EQ(VexaProgressStart(L"Counting"), kQvNormal);
  EXPECT_EQ(VexaSetProgressPercent(25), 0);
  EXPECT_EQ(VexaSetProgressPercent(100), 0);
  EXPECT_EQ(VexaSetProgressPercent(101), -1);
  EXPECT_EQ(VexaProgressStop(), kQvNormal);
  EXPECT_EQ(VexaProgressStop(), kQvNormal);
  EXPECT_THAT(log, ElementsAre("start Counting 0..100", "move 25", "move 100", "stop"));
}

TEST_F(HostStateTest, DialogIconsLargeThenSmall) {
  VexaWindowRegistry& windows = host().service<VexaWindowRegistry>();
  VexaApplicationIcons& icons = host().service<VexaApplicationIcons>();
  const HWND dialog = windows.create(L"#32770");
  windows.clearMessages(dialog);  // what creation sent
  SetDlgIcon(dialog);
  const auto log = windows.messages(dialog);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].message, WM_SETICON);
  EXPECT_EQ(log[0].wParam, ICON_BIG);
  EXPECT_EQ(log[0].lParam, reinterpret_cast<LPARAM>(icons.largeIcon()));
  EXPECT_EQ(log[1].message, WM_SETICON);
  EXPECT_EQ(log[1].wParam, ICON_SMALL);
  EXPECT_EQ(log[1].lParam, reinterpret_cast<LPARAM>(icons.smallIcon()));
  EXPECT_EQ(windows.icon(dialog, ICON_BIG), icons.largeIcon());

  // Only the icons the host has are sent.
  icons.removeLargeIcon();
  const HWND other = windows.create(L"#32770");
  windows.clearMessages(other);
  SetDlgIcon(other);
  ASSERT_EQ(windows.messages(other).size(), 1u);
  EXPECT_EQ(windows.messages(other)[0].wParam, ICON_SMALL);
  icons.removeSmallIcon();
  SetDlgIcon(other);
  EXPECT_EQ(windows.messages(other).size(), 1u);
  SetDlgIcon(nullptr);  // nothing, and no crash
}

}  // namespace
