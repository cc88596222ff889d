#include <gtest/gtest.h>

#include "sdk/app/VexaApplicationIcons.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"

namespace {

class WindowRegistryTest : public HostFixture {
 protected:
  VexaWindowRegistry& windows() { return host().service<VexaWindowRegistry>(); }
};

TEST_F(WindowRegistryTest, EachWindowLogsItsOwnMessagesAndKeepsItsIcons) {
  HICON__ big{L"big", 32};
  HICON__ other{L"other", 32};
  HICON__ small{L"small", 16};
  const HWND dialog = windows().create(L"#32770");
  const HWND button = windows().create(L"Button");
  ASSERT_NE(dialog, button);
  EXPECT_EQ(windows().className(dialog), L"#32770");
  windows().clearMessages(dialog);  // what creation sent
  windows().clearMessages(button);

  EXPECT_EQ(SendMessage(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(&big)), 0);
  EXPECT_EQ(SendMessage(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&small)), 0);
  // A second large icon replaces the first and answers it.
  EXPECT_EQ(SendMessage(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(&other)),
            reinterpret_cast<LRESULT>(&big));
  EXPECT_EQ(windows().icon(dialog, ICON_BIG), &other);
  EXPECT_EQ(windows().icon(dialog, ICON_SMALL), &small);
  EXPECT_EQ(SendMessage(button, WM_USER + 1 /* a message the layer only logs */, 1, 2), 0);

  const auto log = windows().messages(dialog);
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[1].message, WM_SETICON);
  EXPECT_EQ(log[1].wParam, ICON_SMALL);
  EXPECT_EQ(log[1].lParam, reinterpret_cast<LPARAM>(&small));
  ASSERT_EQ(windows().messages(button).size(), 1u);
  EXPECT_EQ(windows().icon(button, ICON_BIG), nullptr);
}

TEST_F(WindowRegistryTest, DestroyedWindowsAndStrangersReceiveNothing) {
  const HWND window = windows().create(L"Static");
  ASSERT_TRUE(windows().destroy(window));
  EXPECT_FALSE(windows().isWindow(window));
  EXPECT_FALSE(windows().destroy(window));
  EXPECT_EQ(SendMessage(window, WM_SETICON, ICON_BIG, 1), 0);
  EXPECT_TRUE(windows().messages(window).empty());
  EXPECT_EQ(SendMessage(nullptr, WM_SETICON, ICON_BIG, 1), 0);
  // A new window never takes the handle of a destroyed one.
  EXPECT_NE(windows().create(L"Static"), window);
}

TEST(WindowNoHostTest, SendingWithoutAHostDoesNothing) {
  EXPECT_EQ(SendMessage(reinterpret_cast<HWND>(0x10000), WM_SETICON, ICON_BIG, 1), 0);
  EXPECT_EQ(VexaApplicationIcons::current(), nullptr);
}

}  // namespace
