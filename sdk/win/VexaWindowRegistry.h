#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaGdi.h"
#include "sdk/win/VexaWindowTypes.h"

// A message a window received.
struct VexaWindowMessage {
  unsigned int message;
  WPARAM wParam;
  LPARAM lParam;
};

// State a system control keeps beside its window (the items of a list box, ...).
class VexaControlData {
 public:
  virtual ~VexaControlData() = default;
};

// The headless window layer: windows with a class, styles, a parent (or owner, for pop-ups),
// a rectangle, visibility, enabled state, text and font, each driven by its window procedure.
// Messages are sent (at once) or posted (to the queue of the message pump); the pump hands
// every posted message to the message filter first (the class library's pre-translation),
// then to the window, and paints windows whose area was invalidated once the queue is empty.
// Input is simulated: the keyboard goes to the focused window, the mouse to the window under
// the cursor (hit-tested through WM_NCHITTEST), with mouse-leave tracking. Timers run on a
// virtual clock that only advance() moves. Painting is recorded on each window's surface.
//
// Child windows are placed in their parent's client coordinates; top-level and pop-up windows
// in screen coordinates. A window with WS_BORDER has a one-pixel frame around its client area.
// Every window logs the messages it receives, so a test can see what it was sent. Handles are
// never used again once their window is destroyed, and messages to them answer 0.
class VexaWindowRegistry : public VexaHostService {
 public:
  VexaWindowRegistry();
  ~VexaWindowRegistry() override;

  // Classes. A second registration of a name fails (0) with ERROR_CLASS_ALREADY_EXISTS.
  ATOM registerClass(const WNDCLASS& windowClass);
  bool classInfo(const QvString& name, WNDCLASS* out) const;
  bool unregisterClass(const QvString& name);

  // A window of a registered class, or null (lastError() tells why): an unknown class, a
  // child without a parent window, WM_NCCREATE answering 0 or WM_CREATE answering -1.
  HWND createWindow(DWORD exStyle, const QvString& className, const QvString& text, DWORD style,
                    const RECT& rect, HWND parent, int id, void* param = nullptr);
  // A plain top-level window of a class, hidden, at the origin with no size.
  HWND create(const QvString& className);
  // Runs once, with the next window made, before it receives any message: the class library
  // attaches its object there.
  void setCreationHook(std::function<void(HWND)> hook) { creationHook_ = std::move(hook); }
  // WM_DESTROY to the window, its children and the pop-ups it owns, then WM_NCDESTROY from
  // the innermost out. False when `window` is no window or is being destroyed.
  bool destroy(HWND window);
  bool isWindow(HWND window) const;
  QvString className(HWND window) const;

  // Messages. send answers 0 for a handle that is no window (nothing is logged).
  LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT defaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Takes the next posted message for a live window; false when the queue is empty.
  bool peek(MSG& msg);
  // Dispatches posted messages (through the filter) and paints what is invalid, until the
  // queue is empty and nothing is left to paint. Answers the number of messages handled.
  int pump();
  // True when the filter handled the message; it is then not dispatched.
  void setMessageFilter(std::function<bool(MSG&)> filter) { filter_ = std::move(filter); }
  std::vector<VexaWindowMessage> messages(HWND window) const;
  void clearMessages(HWND window);

  // Window data (GWLP_WNDPROC, GWLP_ID, GWL_STYLE, GWL_EXSTYLE, GWLP_USERDATA).
  LONG_PTR getLong(HWND window, int index) const;
  LONG_PTR setLong(HWND window, int index, LONG_PTR value);
  HWND parent(HWND window) const;
  std::vector<HWND> children(HWND window) const;
  // Top-level and pop-up windows, the one in front first.
  const std::vector<HWND>& topLevelWindows() const { return topLevel_; }
  HWND child(HWND window, int id) const;
  QvString text(HWND window) const;
  HFONT font(HWND window) const;
  template <typename T>
  T* control(HWND window) const {
    const Window* w = find(window);
    return w ? dynamic_cast<T*>(w->control.get()) : nullptr;
  }
  void setControl(HWND window, std::unique_ptr<VexaControlData> data);

  // Geometry.
  bool windowRect(HWND window, RECT* screen) const;
  bool clientRect(HWND window, RECT* client) const;
  POINT clientOrigin(HWND window) const;  // in screen coordinates
  bool setPosition(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
  // Visibility and state. show answers whether the window was visible before.
  bool show(HWND window, int command);
  bool isVisible(HWND window) const;      // the window and all its parents
  bool enable(HWND window, bool enable);  // answers whether it was disabled before
  bool isEnabled(HWND window) const;

  // Focus: WM_KILLFOCUS to the window losing it, WM_SETFOCUS to the one gaining it.
  HWND setFocus(HWND window);
  HWND focus() const { return focus_; }

  // Keyboard input to the focused window: WM_KEYDOWN, or WM_CHAR for each character; pumped.
  bool keyDown(UINT virtualKey);
  bool typeText(const QvString& text);
  // The mouse: moves the cursor (screen coordinates), delivering WM_MOUSEMOVE to the window
  // under it and WM_MOUSELEAVE to tracking windows it left; a button press moves there first.
  // While a combo box is dropped down, a press outside its list closes the list and is eaten.
  void mouseMove(POINT screen);
  void mouseButton(UINT message, POINT screen);
  POINT cursor() const { return cursor_; }
  HWND windowFromPoint(POINT screen);
  bool trackMouseLeave(HWND window, bool cancel);
  bool isTrackingLeave(HWND window) const { return tracking_.count(window) != 0; }

  // Timers on the virtual clock. A delay under 10 ms counts as 10, as on Windows.
  UINT_PTR setTimer(HWND window, UINT_PTR id, UINT elapse);
  bool killTimer(HWND window, UINT_PTR id);
  bool hasTimer(HWND window, UINT_PTR id) const;
  // Moves the clock on, posting WM_TIMER at each due time (and pumping there).
  void advance(DWORD milliseconds);
  DWORD now() const { return now_; }

  // Painting.
  bool invalidate(HWND window, const RECT* rect, bool erase);
  bool update(HWND window);  // WM_PAINT now when something is invalid
  bool isInvalid(HWND window) const;
  HDC beginPaint(HWND window, PAINTSTRUCT* paint);
  bool endPaint(HWND window, const PAINTSTRUCT* paint);
  HDC getDC(HWND window);
  bool releaseDC(HWND window, HDC dc);
  // What was painted on a window, in its client coordinates; null for no window.
  const std::vector<VexaDrawOp>* surface(HWND window) const;
  std::vector<VexaDrawOp>* surface(HWND window);
  int paintCount(HWND window) const;

  // The icon the window shows in its caption (ICON_SMALL) or task switcher (ICON_BIG).
  HICON icon(HWND window, WPARAM which) const;

  DWORD lastError() const { return lastError_; }
  void setLastError(DWORD error) { lastError_ = error; }

  // The layer of the running host, or null when no host runs.
  static VexaWindowRegistry* current();

 private:
  struct Window {
    QvString className;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // the parent of a child, the owner of a pop-up
    int id = 0;
    RECT rect;  // in the parent's client coordinates for a child, else on the screen
    QvString text;
    HFONT font = nullptr;
    LONG_PTR userData = 0;
    bool destroying = false;
    std::unique_ptr<VexaControlData> control;
    std::vector<HWND> children;
    std::vector<VexaWindowMessage> messages;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    bool invalid = false;
    bool erase = false;
    RECT invalidRect;
    std::vector<VexaDrawOp> surface;
    int paints = 0;
  };
  struct Timer {
    HWND window;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
  };

  Window* find(HWND window);
  const Window* find(HWND window) const;
  void destroyTree(HWND window);
  HWND hit(HWND window, POINT screen);
  void leaveTrackedOutside(HWND under);
  HWND droppedComboList() const;
  bool paintNext();
  HDC makeDC(HWND window);

  std::map<std::uintptr_t, std::unique_ptr<Window>> windows_;
  std::map<QvString, WNDCLASS> classes_;  // by upper-case name
  std::map<QvString, QvString> classNames_;
  std::vector<HWND> topLevel_;  // top-level and pop-up windows, the topmost first
  std::deque<MSG> queue_;
  std::vector<Timer> timers_;
  std::set<HWND> tracking_;
  std::vector<std::unique_ptr<HDC__>> dcs_;
  std::function<void(HWND)> creationHook_;
  std::function<bool(MSG&)> filter_;
  HWND focus_ = nullptr;
  POINT cursor_{-1, -1};
  DWORD now_ = 0;
  DWORD lastError_ = 0;
  std::uintptr_t nextHandle_ = 0x10000;
};
