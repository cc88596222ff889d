#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/cmdutil/controls/ControlsFixture.h"
#include "xqcmdutil/CXqComboBoxWithTip.h"
#include "xqcmdutil/CXqToolTipText.h"

namespace {

constexpr const wchar_t* kWide1 = L"an item text far too wide for the box";
constexpr const wchar_t* kWide2 = L"another item text too wide as well";

class ToolTipTest : public ControlsFixture {
 protected:
  // The width of a text in the GUI font.
  int measured(const QvString& text) {
    const HDC dc = GetDC(dialog.m_hWnd);
    SIZE size;
    GetTextExtentPoint32(dc, text.c_str(), text.length(), &size);
    ReleaseDC(dialog.m_hWnd, dc);
    return static_cast<int>(size.cx);
  }
  static CRect windowRect(CWnd& w) {
    CRect r;
    w.GetWindowRect(&r);
    return r;
  }
  static QvString tipText(CXqToolTipText& tip) { return tip.GetWindowText().toQvString(); }
};

TEST_F(ToolTipTest, TheTipFitsItsTextAndShowsAfterItsDelay) {
  CXqToolTipText tip(0, 0);
  ASSERT_TRUE(tip.Create(POINT{50, 60}, &dialog, 7));
  EXPECT_EQ(windowRect(tip), CRect(50, 60, 250, 80));
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOPMOST);
  CXqToolTipText second;
  ASSERT_TRUE(second.Create(POINT{0, 0}, &dialog, 8));  // the class is registered once

  TEXTMETRIC tm;
  const HDC dc = GetDC(dialog.m_hWnd);
  GetTextMetrics(dc, &tm);
  ReleaseDC(dialog.m_hWnd, dc);
  tip.SetWindowText(L"short");
  EXPECT_EQ(windowRect(tip).Width(), measured(L"short") + 6);
  EXPECT_EQ(windowRect(tip).Height(), tm.tmHeight + 4);
  // 400 characters: cut to 300 and "..." when measured and when painted.
  const QvString longText(L'x', 400);
  const QvString shown = CXqToolTipText::DisplayText(longText);
  EXPECT_EQ(shown, QvString(L'x', 300) + L"...");
  tip.SetWindowText(longText.c_str());
  EXPECT_EQ(windowRect(tip).Width(), measured(shown) + 6);
  // With a minimum length the tip is as wide as its owner.
  tip.SetMinLength(1);
  tip.SetWindowText(L"s");
  EXPECT_EQ(windowRect(tip).Width(), 400);
  tip.SetMinLength(0);
  tip.SetWindowText(longText.c_str());

  tip.ShowDelayed(100);
  windows().advance(99);
  EXPECT_FALSE(tip.IsWindowVisible());
  windows().advance(1);
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_FALSE(windows().hasTimer(tip.m_hWnd, CXqToolTipText::kShowTimer));
  const auto& ops = *windows().surface(tip.m_hWnd);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops.back().text, shown);

  tip.Cancel();
  tip.Cancel();  // twice: nothing more happens
  EXPECT_FALSE(tip.IsWindowVisible());
  tip.ShowDelayed(100);
  tip.Cancel();
  windows().advance(500);
  EXPECT_FALSE(tip.IsWindowVisible());
  tip.ShowDelayed(0);
  EXPECT_TRUE(tip.IsWindowVisible());
}

class ComboWithTipTest : public ToolTipTest {
 protected:
  void SetUp() override {
    ToolTipTest::SetUp();
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, RECT{10, 10, 90, 32}, &dialog, 101));
    combo.InitListBox();
    for (const wchar_t* t : {L"short", kWide1, kWide2}) combo.AddString(t);
    windows().pump();
  }
  void TearDown() override {
    combo.DestroyWindow();
    ToolTipTest::TearDown();
  }
  HWND listWindow() {
    COMBOBOXINFO info;
    combo.GetComboBoxInfo(&info);
    return info.hwndList;
  }
  // The middle of a row of the open list, on the screen.
  POINT row(int index) {
    const int h = combo.GetItemHeight();
    return screen(listWindow(), POINT{20, index * h + h / 2});
  }

  CXqComboBoxWithTip combo;
};

TEST_F(ComboWithTipTest, TheOpenListShowsTipsForWideItemsAndPassesClicksOn) {
  combo.ShowDropDown(TRUE);
  windows().pump();  // the list paints and asks for its colours: subclassed then
  ASSERT_TRUE(combo.IsListSubclassed());
  EXPECT_EQ(CWnd::FromHandlePermanent(listWindow()), &combo.GetComboListBox());
  combo.ShowDropDown(FALSE);
  combo.ShowDropDown(TRUE);
  windows().pump();  // asked again: the list is not subclassed twice
  EXPECT_EQ(CWnd::FromHandlePermanent(listWindow()), &combo.GetComboListBox());

  CXqToolTipText& tip = combo.GetComboListBox().GetToolTip();
  windows().mouseMove(row(0));  // fits: no tip
  windows().advance(200);
  EXPECT_FALSE(tip.IsWindowVisible());

  windows().mouseMove(row(1));
  windows().advance(99);
  EXPECT_FALSE(tip.IsWindowVisible());
  windows().advance(1);
  ASSERT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(tipText(tip), kWide1);
  CRect item;
  combo.GetComboListBox().GetItemRect(1, &item);
  combo.GetComboListBox().ClientToScreen(&item);
  EXPECT_EQ(windowRect(tip).TopLeft(), CPoint(item.left - 1, item.top - 1));

  // The next wide item: the first tip goes at once, the second comes after 100 ms.
  windows().mouseMove(row(2));
  EXPECT_FALSE(tip.IsWindowVisible());
  windows().advance(100);
  ASSERT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(tipText(tip), kWide2);
  ASSERT_EQ(WindowFromPoint(row(2)), tip.m_hWnd);

  // A click on the tip chooses the item under it; the list closes and takes its tip along.
  windows().mouseButton(WM_LBUTTONDOWN, row(2));
  EXPECT_EQ(combo.GetCurSel(), 2);
  EXPECT_FALSE(combo.GetDroppedState());
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_THAT(dialog.notifications, testing::Contains(CBN_CLOSEUP));
}

TEST_F(ComboWithTipTest, LeavingTheTipCancelsIt) {
  combo.ShowDropDown(TRUE);
  windows().pump();
  CXqToolTipText& tip = combo.GetComboListBox().GetToolTip();
  windows().mouseMove(row(1));
  windows().advance(100);
  ASSERT_TRUE(tip.IsWindowVisible());
  // Onto the tip: the list's leave keeps the visible tip, and the tip tracks the mouse.
  POINT onTip = row(1);
  onTip.x += 3;
  windows().mouseMove(onTip);
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_TRUE(tip.IsTracking());
  // Off the tip to nowhere: the tip tells the list, which cancels it.
  windows().mouseMove(POINT{5, 5});
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_FALSE(tip.IsTracking());
}

TEST_F(ComboWithTipTest, TheClosedBoxShowsTheTipOfAWideSelection) {
  CXqToolTipText& tip = combo.GetToolTip();
  combo.SetCurSel(0);
  windows().mouseMove(screen(combo.m_hWnd, POINT{5, 5}));
  windows().advance(100);
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_FALSE(combo.IsTipShowing());

  combo.SetCurSel(1);
  windows().mouseMove(screen(combo.m_hWnd, POINT{6, 5}));
  EXPECT_TRUE(combo.IsTipShowing());
  windows().advance(100);
  EXPECT_TRUE(tip.IsWindowVisible());
  EXPECT_EQ(tipText(tip), kWide1);
  combo.SetToopTipHasMinLength(1);
  tip.SetWindowText(L"s");
  EXPECT_EQ(windowRect(tip).Width(), windowRect(combo).Width());
  // Dropping the list down puts the tip away.
  combo.ShowDropDown(TRUE);
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_FALSE(combo.IsTipShowing());
}

}  // namespace
