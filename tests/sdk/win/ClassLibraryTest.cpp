#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sdk/win/CComboBox.h"
#include "sdk/win/CListBox.h"
#include "sdk/win/CWnd.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"

namespace {

using ::testing::ElementsAre;

class Probe : public CWnd {
 public:
  std::vector<std::string> log;
  bool keepsEnter = false;
  HWND colourChild = nullptr;

 protected:
  int OnCreate(CREATESTRUCT* create) override {
    log.push_back("create");
    return CWnd::OnCreate(create);
  }
  void OnDestroy() override {
    log.push_back("destroy");
    CWnd::OnDestroy();
  }
  void PostNcDestroy() override { log.push_back("gone"); }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (keepsEnter && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
      log.push_back("kept enter");
      return TRUE;
    }
    return FALSE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    log.push_back("command " + std::to_string(HIWORD(wParam)));
    return TRUE;
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT type) override {
    colourChild = child ? child->GetSafeHwnd() : nullptr;
    return CWnd::OnCtlColor(dc, child, type);
  }
};

// A combo box that takes its drop-down notification over.
class ReflectingCombo : public CComboBox {
 public:
  std::vector<UINT> codes;

 protected:
  BOOL OnCommandReflect(UINT code) override {
    codes.push_back(code);
    return code == CBN_DROPDOWN;
  }
};

class ClassLibraryTest : public HostFixture {
 protected:
  VexaWindowRegistry& windows() { return host().service<VexaWindowRegistry>(); }
  static RECT rect(long l, long t, long r, long b) { return RECT{l, t, r, b}; }
};

TEST_F(ClassLibraryTest, AnObjectSeesItsWindowFromCreationToTheEnd) {
  HWND window = nullptr;
  {
    Probe probe;
    ASSERT_TRUE(probe.CreateEx(0, L"#32770", L"probe", WS_POPUP, rect(0, 0, 50, 50), nullptr, 0));
    window = probe.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &probe);
    EXPECT_EQ(probe.GetWindowText(), L"probe");
    EXPECT_FALSE(probe.CreateEx(0, L"#32770", L"", WS_POPUP, rect(0, 0, 1, 1), nullptr, 0));
    EXPECT_TRUE(probe.DestroyWindow());
    EXPECT_THAT(probe.log, ElementsAre("create", "destroy", "gone"));
    EXPECT_EQ(probe.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);

    ASSERT_TRUE(probe.CreateEx(0, L"#32770", L"", WS_POPUP, rect(0, 0, 50, 50), nullptr, 0));
    window = probe.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(window));  // the window died with its object
}

TEST_F(ClassLibraryTest, SubclassingHappensOnceAndChainsToTheClassProcedure) {
  const HWND edit = CreateWindowEx(0, L"Edit", L"before", WS_POPUP, 0, 0, 50, 20, nullptr, 0);
  const LONG_PTR classProc = GetWindowLongPtr(edit, GWLP_WNDPROC);
  Probe first;
  Probe second;
  ASSERT_TRUE(first.SubclassWindow(edit));
  EXPECT_FALSE(first.SubclassWindow(edit));
  EXPECT_FALSE(second.SubclassWindow(edit));
  EXPECT_EQ(CWnd::FromHandlePermanent(edit), &first);
  first.SetWindowText(L"after");  // handled by the edit field's own procedure
  EXPECT_EQ(GetWindowTextString(edit), L"after");
  EXPECT_EQ(first.UnsubclassWindow(), edit);
  EXPECT_EQ(GetWindowLongPtr(edit, GWLP_WNDPROC), classProc);
  EXPECT_TRUE(second.SubclassWindow(edit));
  EXPECT_FALSE(first.SubclassWindow(nullptr));
}

TEST_F(ClassLibraryTest, PostedKeysAreOfferedFromTheFocusUpThroughItsParents) {
  Probe dialog;
  ASSERT_TRUE(
      dialog.CreateEx(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, rect(0, 0, 200, 100), nullptr, 0));
  CWnd edit;
  ASSERT_TRUE(edit.Create(L"Edit", L"", WS_CHILD | WS_VISIBLE, rect(5, 5, 100, 25), &dialog, 3));
  edit.SetFocus();
  windows().typeText(L"ab");
  dialog.keepsEnter = true;
  windows().clearMessages(edit.m_hWnd);
  windows().keyDown(VK_RETURN);
  EXPECT_THAT(dialog.log, ElementsAre("create", "command 768", "command 768", "kept enter"));
  EXPECT_TRUE(windows().messages(edit.m_hWnd).empty());
  dialog.keepsEnter = false;
  windows().keyDown(VK_RETURN);
  EXPECT_EQ(windows().messages(edit.m_hWnd).back().message, WM_KEYDOWN);
}

TEST_F(ClassLibraryTest, NotificationsAreOfferedToTheControlBeforeItsParent) {
  Probe dialog;
  ASSERT_TRUE(
      dialog.CreateEx(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, rect(0, 0, 200, 100), nullptr, 0));
  ReflectingCombo combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, rect(5, 5, 150, 27), &dialog, 4));
  combo.AddString(L"x");
  combo.ShowDropDown(TRUE);
  combo.ShowDropDown(FALSE);
  EXPECT_THAT(combo.codes, ElementsAre(CBN_DROPDOWN, CBN_CLOSEUP));
  // The drop-down was taken over by the combo box; the close-up went on to the dialog.
  EXPECT_THAT(dialog.log, ElementsAre("create", "command 8"));

  // A colour request of a child without an object comes with a passing object for it.
  CStatic label;
  const HWND plain = CreateWindowEx(0, L"Static", L"plain", WS_CHILD | WS_VISIBLE, 5, 40, 50, 20,
                                    dialog.m_hWnd, 5);
  windows().pump();
  EXPECT_EQ(dialog.colourChild, plain);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  ASSERT_TRUE(label.Create(L"label", WS_CHILD | WS_VISIBLE, rect(60, 40, 120, 60), &dialog));
  windows().pump();
  EXPECT_EQ(dialog.colourChild, label.m_hWnd);
}

}  // namespace
