#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/win/VexaSystemControls.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowPicture.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"

namespace {

using ::testing::ElementsAre;

struct Notice {
  UINT code;
  bool listVisible;
};
std::vector<Notice>* gNotices = nullptr;
HWND gList = nullptr;

// A dialog that notes the notifications of its controls.
LRESULT recordingDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && gNotices && lParam)
    gNotices->push_back({HIWORD(wParam), IsWindowVisible(gList) != 0});
  return DefWindowProc(window, message, wParam, lParam);
}

class SystemControlsTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    gNotices = &notices;
    WNDCLASS cls;
    cls.lpszClassName = L"Recorder";
    cls.lpfnWndProc = &recordingDialog;
    RegisterClass(&cls);
    dialog =
        CreateWindowEx(0, L"Recorder", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, 0);
  }
  void TearDown() override {
    gNotices = nullptr;
    gList = nullptr;
    HostFixture::TearDown();
  }
  VexaWindowRegistry& windows() { return host().service<VexaWindowRegistry>(); }
  static LRESULT add(HWND w, UINT message, const wchar_t* text, WPARAM at = 0) {
    return SendMessage(w, message, at, reinterpret_cast<LPARAM>(text));
  }
  std::vector<UINT> codes() const {
    std::vector<UINT> out;
    for (const Notice& n : notices) out.push_back(n.code);
    return out;
  }

  HWND dialog = nullptr;
  std::vector<Notice> notices;
};

TEST_F(SystemControlsTest, ListBoxKeepsItemsSelectionAndTopIndex) {
  const int h = vexaItemHeight(nullptr);
  const HWND list = CreateWindowEx(0, L"ListBox", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 0, 0,
                                   100, 5 * h, dialog, 5);
  for (const wchar_t* t : {L"alpha", L"beta", L"gamma", L"Delta", L"delta", L"epsilon", L"zeta",
                           L"eta", L"theta", L"iota", L"kappa", L"lambda"})
    add(list, LB_ADDSTRING, t);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(add(list, LB_INSERTSTRING, L"omega", 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);  // the selection moves with its item
  EXPECT_EQ(add(list, LB_INSERTSTRING, L"past", 99), LB_ERR);

  // The top index stops where the last page is full; an index past the end is refused.
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 12, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 13 - 5);
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 13, 0), LB_ERR);
  RECT r;
  ASSERT_EQ(SendMessage(list, LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&r)), 0);
  EXPECT_EQ(r.top, h);
  EXPECT_EQ(r.bottom - r.top, h);
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(10, h + 1)), 9);
  EXPECT_EQ(HIWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(10, 6 * h))), 1);

  // Searches ignore case; the prefix search wraps past the end back to the start.
  EXPECT_EQ(add(list, LB_FINDSTRING, L"DEL", static_cast<WPARAM>(-1)), 4);
  EXPECT_EQ(add(list, LB_FINDSTRING, L"del", 4), 5);
  EXPECT_EQ(add(list, LB_FINDSTRING, L"del", 5), 4);
  EXPECT_EQ(add(list, LB_FINDSTRING, L"beta", 12), 2);
  EXPECT_EQ(add(list, LB_FINDSTRINGEXACT, L"DELTA", 4), 5);
  EXPECT_EQ(add(list, LB_FINDSTRINGEXACT, L"del", static_cast<WPARAM>(-1)), LB_ERR);

  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 3, 0), 12);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
  // A click on an item selects it and tells the parent; a click below the items does nothing.
  windows().mouseButton(WM_LBUTTONDOWN, POINT{110, 100 + h + 2});
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), SendMessage(list, LB_GETTOPINDEX, 0, 0) + 1);
  EXPECT_THAT(codes(), ElementsAre(LBN_SELCHANGE));
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  windows().mouseButton(WM_LBUTTONDOWN, POINT{110, 102});
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(notices.size(), 1u);
}

TEST_F(SystemControlsTest, ComboBoxDropsDownChoosesAndClosesUp) {
  const HWND combo = CreateWindowEx(0, L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10,
                                    10, 150, 22, dialog, 6);
  COMBOBOXINFO info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  gList = info.hwndList;
  ASSERT_NE(info.hwndItem, nullptr);
  for (const wchar_t* t : {L"one", L"two", L"three", L"four"}) add(combo, CB_ADDSTRING, t);
  EXPECT_FALSE(SendMessage(combo, CB_SETMINVISIBLE, 0, 0));
  EXPECT_TRUE(SendMessage(combo, CB_SETMINVISIBLE, 3, 0));

  // The drop-down is announced before the list shows; the list shows three rows under the box.
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].code, CBN_DROPDOWN);
  EXPECT_FALSE(notices[0].listVisible);
  EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
  RECT box, list;
  GetWindowRect(combo, &box);
  GetWindowRect(gList, &list);
  EXPECT_EQ(list.top, box.bottom);
  EXPECT_EQ(list.bottom - list.top, 3 * vexaItemHeight(nullptr) + 2);
  windows().pump();
  EXPECT_NE(vexaWindowSvg(dialog).find(">three</text>"), std::string::npos);

  // A click on the second row chooses it: the edit field shows it and the list closes.
  const int h = vexaItemHeight(nullptr);
  windows().mouseButton(WM_LBUTTONDOWN, POINT{list.left + 5, list.top + 1 + h + h / 2});
  EXPECT_THAT(codes(), ElementsAre(CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP));
  EXPECT_FALSE(notices.back().listVisible);
  EXPECT_EQ(GetWindowTextString(combo), L"two");
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);

  // Typing replaces the selected text; Down picks the next item; Escape closes without choosing.
  notices.clear();
  SetFocus(info.hwndItem);
  windows().typeText(L"th");
  EXPECT_EQ(GetWindowTextString(combo), L"th");
  windows().keyDown(VK_DOWN);
  EXPECT_EQ(GetWindowTextString(combo), L"three");
  windows().keyDown(VK_F4);
  windows().keyDown(VK_ESCAPE);
  EXPECT_THAT(codes(), ElementsAre(CBN_EDITCHANGE, CBN_EDITCHANGE, CBN_SELCHANGE, CBN_DROPDOWN,
                                   CBN_SELENDCANCEL, CBN_CLOSEUP));
  // A press outside the open list closes it and goes no further.
  notices.clear();
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  windows().mouseButton(WM_LBUTTONDOWN, POINT{390, 290});
  EXPECT_THAT(codes(), ElementsAre(CBN_DROPDOWN, CBN_CLOSEUP));

  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(GetWindowTextString(combo), L"");
  SendMessage(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
  DestroyWindow(combo);
  EXPECT_FALSE(IsWindow(gList));  // the list is owned by its combo box
}

}  // namespace
