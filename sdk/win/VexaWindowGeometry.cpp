// Placement, visibility, enabled state and focus of the headless window layer.
#include <algorithm>

#include "sdk/win/VexaWindowRegistry.h"

namespace {

long border(DWORD style) {
  return (style & WS_BORDER) ? 1 : 0;
}

}  // namespace

bool VexaWindowRegistry::windowRect(HWND window, RECT* screen) const {
  const Window* w = find(window);
  if (!w || !screen) return false;
  RECT r = w->rect;
  if ((w->style & WS_CHILD) && w->parent) {
    const POINT origin = clientOrigin(w->parent);
    r.left += origin.x;
    r.right += origin.x;
    r.top += origin.y;
    r.bottom += origin.y;
  }
  *screen = r;
  return true;
}

bool VexaWindowRegistry::clientRect(HWND window, RECT* client) const {
  const Window* w = find(window);
  if (!w || !client) return false;
  const long b = border(w->style);
  *client = RECT{0, 0, std::max(0L, w->rect.right - w->rect.left - 2 * b),
                 std::max(0L, w->rect.bottom - w->rect.top - 2 * b)};
  return true;
}

POINT VexaWindowRegistry::clientOrigin(HWND window) const {
  RECT r;
  if (!windowRect(window, &r)) return POINT{};
  const long b = border(find(window)->style);
  return POINT{r.left + b, r.top + b};
}

bool VexaWindowRegistry::setPosition(HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                                     UINT flags) {
  Window* w = find(window);
  if (!w) return false;
  const RECT before = w->rect;
  RECT after = before;
  if (!(flags & SWP_NOMOVE)) {
    after.right = x + (before.right - before.left);
    after.bottom = y + (before.bottom - before.top);
    after.left = x;
    after.top = y;
  }
  if (!(flags & SWP_NOSIZE)) {
    after.right = after.left + std::max(0, cx);
    after.bottom = after.top + std::max(0, cy);
  }
  if (isVisible(window) && (w->style & WS_CHILD)) invalidate(w->parent, nullptr, true);
  w->rect = after;
  if (!(flags & SWP_NOZORDER) && !(w->style & WS_CHILD)) {
    if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
    std::erase(topLevel_, window);
    topLevel_.insert(topLevel_.begin(), window);
  }
  const bool sized = (after.right - after.left) != (before.right - before.left) ||
                     (after.bottom - after.top) != (before.bottom - before.top);
  if (flags & SWP_SHOWWINDOW) show(window, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) show(window, SW_HIDE);
  if (sized) {
    RECT client;
    clientRect(window, &client);
    send(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
  if (after.left != before.left || after.top != before.top)
    send(window, WM_MOVE, 0, MAKELPARAM(after.left, after.top));
  invalidate(window, nullptr, true);
  return true;
}

bool VexaWindowRegistry::show(HWND window, int command) {
  Window* w = find(window);
  if (!w) return false;
  const bool was = (w->style & WS_VISIBLE) != 0;
  const bool now = command != SW_HIDE;
  if (was == now) return was;
  if (now) {
    w->style |= WS_VISIBLE;
    if (!(w->style & WS_CHILD)) {  // a shown top-level window comes to the front
      std::erase(topLevel_, window);
      topLevel_.insert(topLevel_.begin(), window);
    }
  } else {
    w->style &= ~WS_VISIBLE;
    tracking_.erase(window);
    if (focus_ == window) setFocus(nullptr);
  }
  send(window, WM_SHOWWINDOW, now, 0);
  if (now) invalidate(window, nullptr, true);
  if (Window* again = find(window); again && (again->style & WS_CHILD))
    invalidate(again->parent, nullptr, true);
  return was;
}

bool VexaWindowRegistry::isVisible(HWND window) const {
  for (const Window* w = find(window); w; w = (w->style & WS_CHILD) ? find(w->parent) : nullptr)
    if (!(w->style & WS_VISIBLE)) return false;
  return find(window) != nullptr;
}

bool VexaWindowRegistry::enable(HWND window, bool on) {
  Window* w = find(window);
  if (!w) return false;
  const bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (wasDisabled == !on) return wasDisabled;
  if (on)
    w->style &= ~WS_DISABLED;
  else
    w->style |= WS_DISABLED;
  if (!on && focus_ == window) setFocus(nullptr);
  send(window, WM_ENABLE, on, 0);
  invalidate(window, nullptr, true);
  return wasDisabled;
}

bool VexaWindowRegistry::isEnabled(HWND window) const {
  const Window* w = find(window);
  return w && !(w->style & WS_DISABLED);
}

HWND VexaWindowRegistry::setFocus(HWND window) {
  if (window && !find(window)) return nullptr;
  const HWND previous = focus_;
  if (previous == window) return previous;
  focus_ = window;
  if (previous) send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window && focus_ == window) send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return previous;
}
