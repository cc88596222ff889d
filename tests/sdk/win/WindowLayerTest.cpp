#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sdk/win/VexaFontEngine.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowPicture.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"

namespace {

using ::testing::ElementsAre;

// What the test windows were sent, as "name:message", in order.
std::vector<std::string>* gTrace = nullptr;
LRESULT gCreateAnswer = 0;

LRESULT tracingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const std::map<UINT, std::string> kNames = {
      {WM_CREATE, "create"},       {WM_DESTROY, "destroy"}, {WM_NCDESTROY, "ncdestroy"},
      {WM_TIMER, "timer"},         {WM_KEYDOWN, "key"},     {WM_SETFOCUS, "setfocus"},
      {WM_KILLFOCUS, "killfocus"}, {WM_MOUSEMOVE, "move"},  {WM_MOUSELEAVE, "leave"},
      {WM_USER, "user"},           {WM_PAINT, "paint"}};
  const auto name = kNames.find(message);
  if (!gTrace || name == kNames.end()) return DefWindowProc(window, message, wParam, lParam);
  std::string entry = VexaWindowRegistry::current()->text(window).utf8() + ":" + name->second;
  if (message == WM_TIMER || message == WM_KEYDOWN) entry += std::to_string(wParam);
  if (message == WM_MOUSEMOVE)
    entry += std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam));
  gTrace->push_back(entry);
  if (message == WM_CREATE) return gCreateAnswer;
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window, &ps);
    RECT r{0, 0, 100, 20};
    DrawText(dc, L"WWW", -1, &r, DT_SINGLELINE);
    if (wParam == 0) InvalidateRect(window, nullptr, FALSE);  // keeps asking: no hang
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProc(window, message, wParam, lParam);
}

class WindowLayerTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    gTrace = &trace;
    gCreateAnswer = 0;
    WNDCLASS cls;
    cls.lpszClassName = L"Traced";
    cls.lpfnWndProc = &tracingProc;
    ASSERT_NE(RegisterClass(&cls), 0);
  }
  void TearDown() override {
    gTrace = nullptr;
    HostFixture::TearDown();
  }
  VexaWindowRegistry& windows() { return host().service<VexaWindowRegistry>(); }
  HWND make(const wchar_t* name, HWND parent, RECT r, DWORD style = WS_VISIBLE) {
    return CreateWindowEx(0, L"Traced", name, style | (parent ? WS_CHILD : WS_POPUP), r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, 7);
  }
  // Lets the new windows paint, and forgets what they were sent so far.
  void settle() {
    windows().pump();
    trace.clear();
  }
  std::vector<std::string> trace;
};

TEST_F(WindowLayerTest, ClassesAreRegisteredOnceAndCreationCanFail) {
  WNDCLASS again;
  again.lpszClassName = L"TRACED";  // names are not case-sensitive
  again.lpfnWndProc = &tracingProc;
  EXPECT_EQ(RegisterClass(&again), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

  EXPECT_EQ(CreateWindowEx(0, L"NoSuchClass", L"", 0, 0, 0, 1, 1, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
  EXPECT_EQ(CreateWindowEx(0, L"Traced", L"orphan", WS_CHILD, 0, 0, 1, 1, nullptr, 0), nullptr);

  // A window whose WM_CREATE answers -1 is destroyed again before the call returns.
  gCreateAnswer = -1;
  EXPECT_EQ(make(L"refused", nullptr, RECT{0, 0, 10, 10}), nullptr);
  EXPECT_THAT(trace, ElementsAre("refused:create", "refused:destroy", "refused:ncdestroy"));
}

TEST_F(WindowLayerTest, DestroyingReachesChildrenAndLeavesNothingBehind) {
  const HWND top = make(L"top", nullptr, RECT{0, 0, 100, 100});
  const HWND child = make(L"child", top, RECT{0, 0, 10, 10});
  const HWND grandchild = make(L"grandchild", child, RECT{0, 0, 5, 5});
  ASSERT_TRUE(top && child && grandchild);
  SetTimer(child, 3, 50, nullptr);
  PostMessage(grandchild, WM_USER, 0, 0);
  trace.clear();

  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_THAT(trace, ElementsAre("top:destroy", "child:destroy", "grandchild:destroy",
                                 "grandchild:ncdestroy", "child:ncdestroy", "top:ncdestroy"));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(SendMessage(grandchild, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessage(grandchild, WM_USER, 0, 0));
  trace.clear();
  windows().advance(1000);  // the posted message and the timer died with their windows
  EXPECT_TRUE(trace.empty());
}

TEST_F(WindowLayerTest, TimersRunOnTheVirtualClock) {
  const HWND w = make(L"w", nullptr, RECT{0, 0, 10, 10});
  EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
  EXPECT_EQ(SetTimer(w, 2, 3, nullptr), 2u);  // under the minimum: 10 ms
  settle();
  windows().advance(9);
  EXPECT_TRUE(trace.empty());
  windows().advance(1);
  EXPECT_THAT(trace, ElementsAre("w:timer2"));
  KillTimer(w, 2);
  trace.clear();
  windows().advance(89);  // 99 ms
  EXPECT_TRUE(trace.empty());
  windows().advance(1);
  EXPECT_THAT(trace, ElementsAre("w:timer1"));
  windows().advance(250);  // periodic until killed
  EXPECT_THAT(trace, ElementsAre("w:timer1", "w:timer1", "w:timer1"));
  EXPECT_EQ(windows().now(), 350u);
  EXPECT_TRUE(KillTimer(w, 1));
  EXPECT_FALSE(KillTimer(w, 1));  // killed twice
  EXPECT_EQ(SetTimer(nullptr, 1, 10, nullptr), 0u);
}

TEST_F(WindowLayerTest, KeysGoToTheFocusAndPostedMessagesPassTheFilter) {
  const HWND top = make(L"top", nullptr, RECT{0, 0, 100, 100});
  const HWND a = make(L"a", top, RECT{0, 0, 10, 10});
  const HWND b = make(L"b", top, RECT{10, 0, 20, 10});
  std::vector<UINT> filtered;
  windows().setMessageFilter([&](MSG& msg) {
    filtered.push_back(msg.message);
    return msg.wParam == VK_ESCAPE;  // the filter keeps Escape for itself
  });
  EXPECT_FALSE(windows().keyDown(VK_RETURN));  // no focus: nowhere to go
  settle();
  SetFocus(a);
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_TRUE(windows().keyDown(VK_RETURN));
  EXPECT_TRUE(windows().keyDown(VK_ESCAPE));
  EXPECT_THAT(trace, ElementsAre("a:setfocus", "a:killfocus", "b:setfocus", "b:key13"));
  EXPECT_THAT(filtered, ElementsAre(WM_KEYDOWN, WM_KEYDOWN));
  DestroyWindow(b);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowLayerTest, TheMouseFindsTheWindowUnderItAndTellsWhenItLeaves) {
  const HWND top = make(L"top", nullptr, RECT{100, 100, 300, 300});
  const HWND child = make(L"child", top, RECT{10, 20, 60, 70});
  const HWND label =
      CreateWindowEx(0, L"Static", L"label", WS_CHILD | WS_VISIBLE, 100, 100, 50, 20, top, 9);
  const HWND popup = make(L"popup", nullptr, RECT{150, 110, 170, 130});  // in front of child
  settle();
  windows().mouseMove(POINT{115, 125});
  EXPECT_THAT(trace, ElementsAre("child:move5,5"));
  // A static text lets the mouse through to its parent.
  EXPECT_EQ(WindowFromPoint(POINT{210, 210}), top);
  EXPECT_NE(label, nullptr);
  EXPECT_EQ(WindowFromPoint(POINT{155, 125}), popup);

  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = child;
  EXPECT_TRUE(TrackMouseEvent(&track));
  trace.clear();
  windows().mouseMove(POINT{116, 125});
  windows().mouseMove(POINT{200, 250});  // off the child: one leave, then the move
  windows().mouseMove(POINT{201, 250});
  EXPECT_THAT(trace,
              ElementsAre("child:move6,5", "child:leave", "top:move100,150", "top:move101,150"));
  // Asked while the mouse is elsewhere, the leave comes at once.
  trace.clear();
  TrackMouseEvent(&track);
  windows().pump();
  EXPECT_THAT(trace, ElementsAre("child:leave"));
  EXPECT_FALSE(windows().isTrackingLeave(child));
}

TEST_F(WindowLayerTest, InvalidWindowsArePaintedOnceTheQueueIsEmpty) {
  const HWND w = make(L"w", nullptr, RECT{0, 0, 50, 20});
  const HWND hidden = make(L"hidden", nullptr, RECT{0, 0, 50, 20}, 0);
  InvalidateRect(hidden, nullptr, TRUE);
  PostMessage(w, WM_USER, 0, 0);
  trace.clear();
  windows().pump();
  // The window invalidates itself while it paints: painted once per pump all the same.
  EXPECT_THAT(trace, ElementsAre("w:user", "w:paint"));
  EXPECT_EQ(windows().paintCount(hidden), 0);
  ASSERT_EQ(windows().surface(w)->size(), 1u);
  const VexaDrawOp& text = windows().surface(w)->front();
  EXPECT_EQ(text.text, L"WWW");
  EXPECT_GT(text.extent.cx, 0);
  // Painting the whole window again starts a fresh surface; a valid window is not painted.
  InvalidateRect(w, nullptr, TRUE);
  UpdateWindow(w);
  UpdateWindow(w);
  EXPECT_EQ(windows().surface(w)->size(), 1u);
  EXPECT_EQ(windows().paintCount(w), 2);
  const std::string svg = vexaWindowSvg(w);
  EXPECT_NE(svg.find(">WWW</text>"), std::string::npos);
  EXPECT_TRUE(vexaWindowSvg(hidden).find("WWW") == std::string::npos);
}

TEST_F(WindowLayerTest, TextIsMeasuredWithAProportionalFont) {
  VexaFontEngine& fonts = host().service<VexaFontEngine>();
  ASSERT_TRUE(fonts.fontFound()) << "DejaVu Sans is installed by scripts/setup";
  const HWND w = make(L"w", nullptr, RECT{0, 0, 10, 10});
  const HDC dc = GetDC(w);
  SIZE wide, narrow, empty;
  ASSERT_TRUE(GetTextExtentPoint32(dc, L"WWW", 3, &wide));
  ASSERT_TRUE(GetTextExtentPoint32(dc, L"iii", 3, &narrow));
  ASSERT_TRUE(GetTextExtentPoint32(dc, L"", 0, &empty));
  EXPECT_GT(wide.cx, 2 * narrow.cx);
  EXPECT_EQ(empty.cx, 0);
  EXPECT_EQ(wide.cy, narrow.cy);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(dc, &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmHeight, wide.cy);
  EXPECT_GT(tm.tmAveCharWidth, narrow.cx / 3);
  EXPECT_LT(tm.tmAveCharWidth, wide.cx / 3);
  // A bigger font measures wider; DT_CALCRECT measures without drawing.
  SelectObject(dc, CreateFont(-22, FW_NORMAL, L"DejaVu Sans"));
  RECT r{5, 5, 5, 5};
  const int lineHeight = DrawText(dc, L"WWW", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(lineHeight, r.bottom - 5);
  EXPECT_GT(r.right - 5, wide.cx + wide.cx / 2);
  EXPECT_FALSE(ReleaseDC(nullptr, dc));  // not that window's
  EXPECT_TRUE(ReleaseDC(w, dc));
}

}  // namespace
