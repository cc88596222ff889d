#pragma once

#include <vector>

#include "sdk/win/CWnd.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"

// A dialog for controls under test: Enter and Escape answer IDOK and IDCANCEL as a dialog
// does, and the commands and notifications it gets are noted.
class TestDialog : public CWnd {
 public:
  std::vector<UINT> notifications;  // the codes of controls' notifications, in order
  int ok = 0;
  int cancel = 0;

  BOOL PreTranslateMessage(MSG* msg) override { return IsDialogMessage(m_hWnd, msg); }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam) {
      notifications.push_back(HIWORD(wParam));
    } else if (LOWORD(wParam) == IDOK) {
      ++ok;
    } else if (LOWORD(wParam) == IDCANCEL) {
      ++cancel;
    }
    return TRUE;
  }
};

// A host with a visible dialog at (100, 100), 400 by 300 pixels.
class ControlsFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(dialog.CreateEx(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, RECT{100, 100, 500, 400},
                                nullptr, 0));
  }
  void TearDown() override {
    dialog.DestroyWindow();
    HostFixture::TearDown();
  }
  VexaWindowRegistry& windows() { return host().service<VexaWindowRegistry>(); }
  // The screen point at a control's client point.
  static POINT screen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
  }

  TestDialog dialog;
};
