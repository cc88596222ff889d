#include "sdk/win/VexaWindowRegistry.h"

namespace {

std::uintptr_t key(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

}  // namespace

HWND VexaWindowRegistry::create(const QvString& className) {
  // Handles step by 16 so they look like aligned addresses; they are never dereferenced.
  const std::uintptr_t handle = nextHandle_;
  nextHandle_ += 16;
  windows_[handle].className = className;
  return reinterpret_cast<HWND>(handle);
}

bool VexaWindowRegistry::destroy(HWND window) {
  return windows_.erase(key(window)) != 0;
}

bool VexaWindowRegistry::isWindow(HWND window) const {
  return find(window) != nullptr;
}

QvString VexaWindowRegistry::className(HWND window) const {
  const Window* w = find(window);
  return w ? w->className : QvString();
}

LRESULT VexaWindowRegistry::send(HWND window, unsigned int message, WPARAM wParam, LPARAM lParam) {
  Window* w = find(window);
  if (!w) return 0;
  w->messages.push_back({message, wParam, lParam});
  if (message == WM_SETICON && (wParam == ICON_BIG || wParam == ICON_SMALL)) {
    HICON& slot = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
    const HICON previous = slot;
    slot = reinterpret_cast<HICON>(lParam);
    return reinterpret_cast<LRESULT>(previous);
  }
  return 0;
}

std::vector<VexaWindowMessage> VexaWindowRegistry::messages(HWND window) const {
  const Window* w = find(window);
  return w ? w->messages : std::vector<VexaWindowMessage>();
}

HICON VexaWindowRegistry::icon(HWND window, WPARAM which) const {
  const Window* w = find(window);
  if (!w) return nullptr;
  return which == ICON_BIG ? w->bigIcon : (which == ICON_SMALL ? w->smallIcon : nullptr);
}

VexaWindowRegistry::Window* VexaWindowRegistry::find(HWND window) {
  const auto it = windows_.find(key(window));
  return it == windows_.end() ? nullptr : &it->second;
}

const VexaWindowRegistry::Window* VexaWindowRegistry::find(HWND window) const {
  const auto it = windows_.find(key(window));
  return it == windows_.end() ? nullptr : &it->second;
}

VexaWindowRegistry* VexaWindowRegistry::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaWindowRegistry>() : nullptr;
}

LRESULT SendMessage(HWND window, unsigned int message, WPARAM wParam, LPARAM lParam) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows ? windows->send(window, message, wParam, lParam) : 0;
}
