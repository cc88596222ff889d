// Simulated keyboard, mouse and timers of the headless window layer.
#include <algorithm>

#include "sdk/win/VexaSystemControls.h"
#include "sdk/win/VexaWindowRegistry.h"

namespace {

bool contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

LPARAM clientPoint(const VexaWindowRegistry& windows, HWND window, POINT screen) {
  const POINT origin = windows.clientOrigin(window);
  return MAKELPARAM(screen.x - origin.x, screen.y - origin.y);
}

}  // namespace

bool VexaWindowRegistry::keyDown(UINT virtualKey) {
  if (!focus_ || !post(focus_, WM_KEYDOWN, virtualKey, 1)) return false;
  pump();
  return true;
}

bool VexaWindowRegistry::typeText(const QvString& text) {
  if (!focus_) return false;
  for (int i = 0; i < text.length(); ++i) {
    if (!focus_ || !post(focus_, WM_CHAR, static_cast<WPARAM>(text.getAt(i)), 1)) return false;
    pump();
  }
  return true;
}

HWND VexaWindowRegistry::hit(HWND window, POINT screen) {
  RECT r;
  if (!isVisible(window) || !windowRect(window, &r) || !contains(r, screen)) return nullptr;
  for (HWND c : children(window))
    if (HWND inner = hit(c, screen)) return inner;
  const POINT p = screen;
  if (send(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)) == HTTRANSPARENT) return nullptr;
  return window;
}

HWND VexaWindowRegistry::windowFromPoint(POINT screen) {
  // Topmost windows first, then the others, each in their order from the front.
  std::vector<HWND> order;
  for (HWND t : topLevel_)
    if (find(t)->exStyle & WS_EX_TOPMOST) order.push_back(t);
  for (HWND t : topLevel_)
    if (!(find(t)->exStyle & WS_EX_TOPMOST)) order.push_back(t);
  for (HWND t : order)
    if (find(t))
      if (HWND h = hit(t, screen)) return h;
  return nullptr;
}

void VexaWindowRegistry::leaveTrackedOutside(HWND under) {
  std::vector<HWND> left;
  for (HWND t : tracking_)
    if (t != under) left.push_back(t);
  for (HWND t : left) {
    tracking_.erase(t);
    post(t, WM_MOUSELEAVE, 0, 0);
  }
}

bool VexaWindowRegistry::trackMouseLeave(HWND window, bool cancel) {
  if (!find(window)) return false;
  if (cancel) {
    tracking_.erase(window);
    return true;
  }
  if (windowFromPoint(cursor_) != window) {
    post(window, WM_MOUSELEAVE, 0, 0);  // not over it: the leave comes at once
    return true;
  }
  tracking_.insert(window);
  return true;
}

void VexaWindowRegistry::mouseMove(POINT screen) {
  cursor_ = screen;
  const HWND under = windowFromPoint(screen);
  leaveTrackedOutside(under);
  if (under && isEnabled(under)) post(under, WM_MOUSEMOVE, 0, clientPoint(*this, under, screen));
  pump();
}

HWND VexaWindowRegistry::droppedComboList() const {
  for (const auto& [handle, w] : windows_)
    if (const auto* combo = dynamic_cast<const VexaComboBoxData*>(w->control.get());
        combo && combo->dropped)
      return combo->list;
  return nullptr;
}

void VexaWindowRegistry::mouseButton(UINT message, POINT screen) {
  if (cursor_.x != screen.x || cursor_.y != screen.y) mouseMove(screen);
  if (const HWND list = droppedComboList()) {
    RECT r;
    if (windowRect(list, &r) && !contains(r, screen)) {
      send(parent(list), CB_SHOWDROPDOWN, FALSE, 0);
      pump();
      return;
    }
  }
  const HWND under = windowFromPoint(screen);
  if (!under || !isEnabled(under)) return;
  const WPARAM keys = message == WM_LBUTTONDOWN   ? MK_LBUTTON
                      : message == WM_RBUTTONDOWN ? MK_RBUTTON
                                                  : 0;
  post(under, message, keys, clientPoint(*this, under, screen));
  pump();
}

UINT_PTR VexaWindowRegistry::setTimer(HWND window, UINT_PTR id, UINT elapse) {
  if (!find(window)) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  elapse = std::max<UINT>(elapse, 10);
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
  timers_.push_back({window, id, elapse, now_ + elapse});
  return id ? id : 1;
}

bool VexaWindowRegistry::killTimer(HWND window, UINT_PTR id) {
  return std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
}

bool VexaWindowRegistry::hasTimer(HWND window, UINT_PTR id) const {
  return std::any_of(timers_.begin(), timers_.end(),
                     [&](const Timer& t) { return t.window == window && t.id == id; });
}

void VexaWindowRegistry::advance(DWORD milliseconds) {
  const DWORD target = now_ + milliseconds;
  for (;;) {
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (next == timers_.end() || next->due > target) break;
    now_ = next->due;
    next->due += next->elapse;
    post(next->window, WM_TIMER, next->id, 0);
    pump();
  }
  now_ = target;
  pump();
}
