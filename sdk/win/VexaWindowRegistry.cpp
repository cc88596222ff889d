#include "sdk/win/VexaWindowRegistry.h"

#include <algorithm>

#include "sdk/win/VexaSystemControls.h"

namespace {

std::uintptr_t key(HWND window) {
  return reinterpret_cast<std::uintptr_t>(window);
}

QvString classKey(const QvString& name) {
  QvString upper = name;
  return upper.makeUpper();
}

}  // namespace

VexaWindowRegistry::VexaWindowRegistry() {
  registerSystemClasses(*this);
}

// Windows end with the host without messages: their objects may be gone already.
VexaWindowRegistry::~VexaWindowRegistry() = default;

ATOM VexaWindowRegistry::registerClass(const WNDCLASS& windowClass) {
  if (!windowClass.lpszClassName || !*windowClass.lpszClassName || !windowClass.lpfnWndProc) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return 0;
  }
  const QvString name = classKey(windowClass.lpszClassName);
  if (classes_.count(name)) {
    lastError_ = ERROR_CLASS_ALREADY_EXISTS;
    return 0;
  }
  classes_[name] = windowClass;
  classNames_[name] = windowClass.lpszClassName;
  classes_[name].lpszClassName = classNames_[name].c_str();
  return static_cast<ATOM>(0xC000 + classes_.size());
}

bool VexaWindowRegistry::classInfo(const QvString& name, WNDCLASS* out) const {
  const auto it = classes_.find(classKey(name));
  if (it == classes_.end()) {
    const_cast<VexaWindowRegistry*>(this)->lastError_ = ERROR_CLASS_DOES_NOT_EXIST;
    return false;
  }
  if (out) *out = it->second;
  return true;
}

bool VexaWindowRegistry::unregisterClass(const QvString& name) {
  const QvString k = classKey(name);
  for (const auto& [handle, w] : windows_)
    if (classKey(w->className) == k) return false;  // still in use
  classNames_.erase(k);
  return classes_.erase(k) != 0;
}

HWND VexaWindowRegistry::createWindow(DWORD exStyle, const QvString& className,
                                      const QvString& text, DWORD style, const RECT& rect,
                                      HWND parent, int id, void* param) {
  std::function<void(HWND)> hook = std::move(creationHook_);
  creationHook_ = nullptr;
  const auto cls = classes_.find(classKey(className));
  if (cls == classes_.end()) {
    lastError_ = ERROR_CLASS_DOES_NOT_EXIST;
    return nullptr;
  }
  if (parent && !find(parent)) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return nullptr;
  }
  if ((style & WS_CHILD) && !parent) {
    lastError_ = ERROR_INVALID_PARAMETER;
    return nullptr;
  }
  // Handles step by 16 so they look like aligned addresses; they are never dereferenced.
  const std::uintptr_t handle = nextHandle_;
  nextHandle_ += 16;
  const HWND hwnd = reinterpret_cast<HWND>(handle);
  auto window = std::make_unique<Window>();
  window->className = cls->second.lpszClassName;
  window->proc = cls->second.lpfnWndProc;
  window->style = style;
  window->exStyle = exStyle;
  window->parent = parent;
  window->id = id;
  window->rect = rect;
  window->font = nullptr;
  windows_[handle] = std::move(window);
  if (style & WS_CHILD)
    find(parent)->children.push_back(hwnd);
  else
    topLevel_.insert(topLevel_.begin(), hwnd);
  if (hook) hook(hwnd);

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hwndParent = parent;
  cs.id = id;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.style = style;
  cs.lpszName = text.c_str();
  cs.lpszClass = className.c_str();
  cs.dwExStyle = exStyle;
  if (!send(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
      send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    destroy(hwnd);
    lastError_ = ERROR_INVALID_PARAMETER;
    return nullptr;
  }
  if (!find(hwnd)) return nullptr;  // destroyed while being made
  RECT client;
  clientRect(hwnd, &client);
  send(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  if (style & WS_VISIBLE) invalidate(hwnd, nullptr, true);
  return hwnd;
}

HWND VexaWindowRegistry::create(const QvString& className) {
  return createWindow(0, className, QvString(), 0, RECT{}, nullptr, 0);
}

bool VexaWindowRegistry::destroy(HWND window) {
  Window* w = find(window);
  if (!w || w->destroying) return false;
  if (isVisible(window)) {
    if (HWND p = w->parent; p && (w->style & WS_CHILD)) invalidate(p, nullptr, true);
  }
  destroyTree(window);
  return true;
}

void VexaWindowRegistry::destroyTree(HWND window) {
  Window* w = find(window);
  if (!w || w->destroying) return;
  w->destroying = true;
  w->style &= ~WS_VISIBLE;
  if (focus_ == window) focus_ = nullptr;
  tracking_.erase(window);
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
  send(window, WM_DESTROY, 0, 0);
  std::vector<HWND> dependents;
  if ((w = find(window))) dependents = w->children;
  for (HWND top : topLevel_)
    if (const Window* t = find(top); t && t->parent == window) dependents.push_back(top);
  for (HWND d : dependents) destroyTree(d);
  send(window, WM_NCDESTROY, 0, 0);
  w = find(window);
  if (!w) return;
  if (Window* p = find(w->parent); p && (w->style & WS_CHILD)) std::erase(p->children, window);
  std::erase(topLevel_, window);
  windows_.erase(key(window));
}

bool VexaWindowRegistry::isWindow(HWND window) const {
  return find(window) != nullptr;
}

QvString VexaWindowRegistry::className(HWND window) const {
  const Window* w = find(window);
  return w ? w->className : QvString();
}

LRESULT VexaWindowRegistry::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = find(window);
  if (!w) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  w->messages.push_back({message, wParam, lParam});
  return w->proc(window, message, wParam, lParam);
}

bool VexaWindowRegistry::post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!find(window)) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return false;
  }
  MSG msg;
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = now_;
  msg.pt = cursor_;
  queue_.push_back(msg);
  return true;
}

bool VexaWindowRegistry::peek(MSG& msg) {
  while (!queue_.empty()) {
    msg = queue_.front();
    queue_.pop_front();
    if (find(msg.hwnd)) return true;  // messages of destroyed windows are dropped
  }
  return false;
}

int VexaWindowRegistry::pump() {
  int handled = 0;
  // A window that keeps invalidating itself while it paints must not hang the pump.
  for (int round = 0; round < 100000; ++round) {
    MSG msg;
    if (peek(msg)) {
      ++handled;
      if (filter_ && filter_(msg)) continue;
      send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      continue;
    }
    if (!paintNext()) break;
  }
  return handled;
}

bool VexaWindowRegistry::paintNext() {
  for (const auto& [handle, w] : windows_) {
    const HWND hwnd = reinterpret_cast<HWND>(handle);
    if (!w->invalid || w->destroying || !isVisible(hwnd)) continue;
    send(hwnd, WM_PAINT, 0, 0);
    if (Window* still = find(hwnd)) still->invalid = false;  // painted or not, it was asked
    return true;
  }
  return false;
}

std::vector<VexaWindowMessage> VexaWindowRegistry::messages(HWND window) const {
  const Window* w = find(window);
  return w ? w->messages : std::vector<VexaWindowMessage>();
}

void VexaWindowRegistry::clearMessages(HWND window) {
  if (Window* w = find(window)) w->messages.clear();
}

LONG_PTR VexaWindowRegistry::getLong(HWND window, int index) const {
  const Window* w = find(window);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA:
      return w->userData;
    default:
      return 0;
  }
}

LONG_PTR VexaWindowRegistry::setLong(HWND window, int index, LONG_PTR value) {
  Window* w = find(window);
  if (!w) {
    lastError_ = ERROR_INVALID_WINDOW_HANDLE;
    return 0;
  }
  const LONG_PTR previous = getLong(window, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_ID:
      w->id = static_cast<int>(value);
      break;
    case GWL_STYLE:
      w->style = static_cast<DWORD>(value);
      break;
    case GWL_EXSTYLE:
      w->exStyle = static_cast<DWORD>(value);
      break;
    case GWLP_USERDATA:
      w->userData = value;
      break;
    default:
      lastError_ = ERROR_INVALID_PARAMETER;
      return 0;
  }
  return previous;
}

HWND VexaWindowRegistry::parent(HWND window) const {
  const Window* w = find(window);
  return w ? w->parent : nullptr;
}

std::vector<HWND> VexaWindowRegistry::children(HWND window) const {
  const Window* w = find(window);
  return w ? w->children : std::vector<HWND>();
}

HWND VexaWindowRegistry::child(HWND window, int id) const {
  for (HWND c : children(window))
    if (const Window* w = find(c); w && w->id == id) return c;
  return nullptr;
}

QvString VexaWindowRegistry::text(HWND window) const {
  const Window* w = find(window);
  return w ? w->text : QvString();
}

HFONT VexaWindowRegistry::font(HWND window) const {
  const Window* w = find(window);
  return w ? w->font : nullptr;
}

void VexaWindowRegistry::setControl(HWND window, std::unique_ptr<VexaControlData> data) {
  if (Window* w = find(window)) w->control = std::move(data);
}

HICON VexaWindowRegistry::icon(HWND window, WPARAM which) const {
  const Window* w = find(window);
  if (!w) return nullptr;
  return which == ICON_BIG ? w->bigIcon : (which == ICON_SMALL ? w->smallIcon : nullptr);
}

LRESULT VexaWindowRegistry::defaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = find(window);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_SETTEXT:
      w->text = reinterpret_cast<const wchar_t*>(lParam);
      invalidate(window, nullptr, true);
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (!buffer || wParam == 0) return 0;
      const int n = std::min(w->text.length(), static_cast<int>(wParam) - 1);
      std::copy_n(w->text.c_str(), n, buffer);
      buffer[n] = L'\0';
      return n;
    }
    case WM_GETTEXTLENGTH:
      return w->text.length();
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<std::uintptr_t>(lParam))) invalidate(window, nullptr, true);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w->font);
    case WM_SETICON: {
      if (wParam != ICON_BIG && wParam != ICON_SMALL) return 0;
      HICON& slot = wParam == ICON_BIG ? w->bigIcon : w->smallIcon;
      const HICON previous = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(previous);
    }
    case WM_CLOSE:
      destroy(window);
      return 0;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      beginPaint(window, &ps);
      endPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      const auto cls = classes_.find(classKey(w->className));
      if (cls == classes_.end() || !cls->second.hbrBackground) return 0;
      RECT client;
      clientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, cls->second.hbrBackground);
      return 1;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      const int background = message == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW;
      SetBkColor(dc, GetSysColor(background));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
    }
    default:
      return 0;
  }
}

VexaWindowRegistry::Window* VexaWindowRegistry::find(HWND window) {
  const auto it = windows_.find(key(window));
  return it == windows_.end() ? nullptr : it->second.get();
}

const VexaWindowRegistry::Window* VexaWindowRegistry::find(HWND window) const {
  const auto it = windows_.find(key(window));
  return it == windows_.end() ? nullptr : it->second.get();
}

VexaWindowRegistry* VexaWindowRegistry::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaWindowRegistry>() : nullptr;
}
