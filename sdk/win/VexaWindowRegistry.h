#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaWindowTypes.h"

// A message a window received.
struct VexaWindowMessage {
  unsigned int message;
  WPARAM wParam;
  LPARAM lParam;
};

// The headless window layer: windows that exist only as handles, each with the log of the
// messages it received, so that a test can see what a window was sent. The messages the layer
// understands change the window's state as they would on screen (WM_SETICON sets its large or
// small icon and answers the one it replaces); every other message is only logged and answers 0.
// Handles are never used again once their window is destroyed.
class VexaWindowRegistry : public VexaHostService {
 public:
  HWND create(const QvString& className);
  // False when `window` is no window.
  bool destroy(HWND window);
  bool isWindow(HWND window) const;
  QvString className(HWND window) const;

  // Delivers a message. 0 for a handle that is no window (nothing is logged).
  LRESULT send(HWND window, unsigned int message, WPARAM wParam, LPARAM lParam);
  // The messages a window received, oldest first; empty for a handle that is no window.
  std::vector<VexaWindowMessage> messages(HWND window) const;
  // The icon the window shows in its caption (ICON_SMALL) or task switcher (ICON_BIG); null
  // when it has none or is no window.
  HICON icon(HWND window, WPARAM which) const;

  // The layer of the running host, or null when no host runs.
  static VexaWindowRegistry* current();

 private:
  struct Window {
    QvString className;
    std::vector<VexaWindowMessage> messages;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
  };
  Window* find(HWND window);
  const Window* find(HWND window) const;

  std::map<std::uintptr_t, Window> windows_;
  std::uintptr_t nextHandle_ = 0x10000;
};

// Sends a message to a window of the running host's window layer; 0 when there is none.
LRESULT SendMessage(HWND window, unsigned int message, WPARAM wParam, LPARAM lParam);
