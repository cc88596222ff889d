#include "sdk/win/VexaWinUser.h"

#include <algorithm>

#include "sdk/win/VexaWindowRegistry.h"

namespace {

VexaWindowRegistry* windows() {
  return VexaWindowRegistry::current();
}

}  // namespace

ATOM RegisterClass(const WNDCLASS* windowClass) {
  return windows() && windowClass ? windows()->registerClass(*windowClass) : 0;
}

BOOL GetClassInfo(const wchar_t* className, WNDCLASS* out) {
  return windows() && className && windows()->classInfo(className, out);
}

HWND CreateWindowEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    int x, int y, int cx, int cy, HWND parent, int id, void* param) {
  if (!windows() || !className) return nullptr;
  return windows()->createWindow(exStyle, className, text ? text : L"", style,
                                 RECT{x, y, x + std::max(0, cx), y + std::max(0, cy)}, parent, id,
                                 param);
}

BOOL DestroyWindow(HWND window) {
  return windows() && windows()->destroy(window);
}

BOOL IsWindow(HWND window) {
  return windows() && windows()->isWindow(window);
}

DWORD GetLastError() {
  return windows() ? windows()->lastError() : 0;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return windows() ? windows()->send(window, message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return windows() && windows()->post(window, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return windows() ? windows()->defaultProc(window, message, wParam, lParam) : 0;
}

LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!windows() || !msg || msg->message != WM_KEYDOWN) return FALSE;
  if (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE) return FALSE;
  // Only for the dialog's own controls, and not when the control wants the key itself.
  HWND w = msg->hwnd;
  while (w && w != dialog) w = windows()->parent(w);
  if (!w) return FALSE;
  if (msg->hwnd != dialog &&
      (SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, 0) & DLGC_WANTALLKEYS))
    return FALSE;
  const int id = msg->wParam == VK_RETURN ? IDOK : IDCANCEL;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return TRUE;
}

LONG_PTR GetWindowLongPtr(HWND window, int index) {
  return windows() ? windows()->getLong(window, index) : 0;
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
  return windows() ? windows()->setLong(window, index, value) : 0;
}

HWND GetParent(HWND window) {
  return windows() ? windows()->parent(window) : nullptr;
}

HWND GetDlgItem(HWND window, int id) {
  return windows() ? windows()->child(window, id) : nullptr;
}

int GetDlgCtrlID(HWND window) {
  return static_cast<int>(GetWindowLongPtr(window, GWLP_ID));
}

BOOL SetWindowText(HWND window, const wchar_t* text) {
  return static_cast<BOOL>(
      SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

int GetWindowText(HWND window, wchar_t* buffer, int size) {
  if (size <= 0 || !buffer) return 0;
  return static_cast<int>(
      SendMessage(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

QvString GetWindowTextString(HWND window) {
  const int length = static_cast<int>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int n = GetWindowText(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(0, n)));
  return QvString(std::move(text));
}

BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info) {
  return static_cast<BOOL>(
      SendMessage(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)));
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  return windows() && windows()->windowRect(window, rect);
}

BOOL GetClientRect(HWND window, RECT* rect) {
  return windows() && windows()->clientRect(window, rect);
}

BOOL ClientToScreen(HWND window, POINT* point) {
  if (!windows() || !point || !windows()->isWindow(window)) return FALSE;
  const POINT origin = windows()->clientOrigin(window);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, POINT* point) {
  if (!windows() || !point || !windows()->isWindow(window)) return FALSE;
  const POINT origin = windows()->clientOrigin(window);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

// The window is repainted either way.
BOOL MoveWindow(HWND window, int x, int y, int cx, int cy, BOOL) {
  return windows() && windows()->setPosition(window, nullptr, x, y, cx, cy, SWP_NOZORDER);
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return windows() && windows()->setPosition(window, insertAfter, x, y, cx, cy, flags);
}

BOOL ShowWindow(HWND window, int command) {
  return windows() && windows()->show(window, command);
}

BOOL IsWindowVisible(HWND window) {
  return windows() && windows()->isVisible(window);
}

BOOL EnableWindow(HWND window, BOOL enable) {
  return windows() && windows()->enable(window, enable != FALSE);
}

BOOL IsWindowEnabled(HWND window) {
  return windows() && windows()->isEnabled(window);
}

HWND SetFocus(HWND window) {
  return windows() ? windows()->setFocus(window) : nullptr;
}

HWND GetFocus() {
  return windows() ? windows()->focus() : nullptr;
}

HWND WindowFromPoint(POINT screen) {
  return windows() ? windows()->windowFromPoint(screen) : nullptr;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
  if (!windows() || !track || !(track->dwFlags & TME_LEAVE)) return FALSE;
  return windows()->trackMouseLeave(track->hwndTrack, (track->dwFlags & TME_CANCEL) != 0);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, void*) {
  return windows() ? windows()->setTimer(window, id, elapse) : 0;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  return windows() && windows()->killTimer(window, id);
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  return windows() && windows()->invalidate(window, rect, erase != FALSE);
}

BOOL UpdateWindow(HWND window) {
  return windows() && windows()->update(window);
}
