#pragma once

#include <map>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/CDC.h"
#include "sdk/win/CGdiTypes.h"
#include "sdk/win/CString.h"
#include "sdk/win/VexaWinUser.h"

// A window object of the class library. A window it creates or subclasses is routed through
// the class library's window procedure to WindowProc, which hands each message to its virtual
// handler (OnPaint, OnTimer, ...); a handler that does not take a message over calls the base
// one, which passes it on (Default) to the procedure the window had before. The object stays
// in the handle map from attaching to WM_NCDESTROY; a window dies with its object.
//
// Notifications a control sends its parent (WM_COMMAND, the colour requests) are offered back
// to the control first (reflection): OnChildNotify, OnCommandReflect, CtlColorReflect.
// PreTranslateMessage sees posted messages before they are dispatched, from the window they
// are for up through its parents.
class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }  // NOLINT: as in the class library

  // The object attached to a window, or null.
  static CWnd* FromHandlePermanent(HWND window);
  // False when the object already has a window or the window has an object.
  BOOL Attach(HWND window);
  HWND Detach();
  // Attach, then route the window's messages through this object. A second subclassing (of
  // this object, or of a window that has an object) fails and changes nothing.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(int id, CWnd* parent);
  HWND UnsubclassWindow();

  BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                const RECT& rect, CWnd* parent, int id, void* param = nullptr);
  BOOL Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
              CWnd* parent, int id);
  virtual BOOL DestroyWindow();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
  CWnd* GetDlgItem(int id) const { return FromHandlePermanent(::GetDlgItem(m_hWnd, id)); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
  void SetWindowText(const wchar_t* text) { ::SetWindowText(m_hWnd, text); }
  void GetWindowText(CString& text) const { text = CString(GetWindowTextString(m_hWnd)); }
  CString GetWindowText() const { return CString(GetWindowTextString(m_hWnd)); }
  void SetFont(HFONT font, BOOL redraw = TRUE);
  HFONT GetFont() const;

  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
  void ClientToScreen(RECT* rect) const;
  void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
  void ScreenToClient(RECT* rect) const;
  void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
  void MoveWindow(const RECT* rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
    ::InvalidateRect(m_hWnd, rect, erase);
  }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  CWnd* SetFocus() { return FromHandlePermanent(::SetFocus(m_hWnd)); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused = nullptr) {
    return ::SetTimer(m_hWnd, id, elapse, unused);
  }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

  // Before dispatch: true when the message was handled here and goes no further.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Offers a posted message to the objects of its window and the window's parents, up to (not
  // including) `stop`; true when one of them handled it.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The class library's window procedure.
  static LRESULT AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // Called as a window is attached by subclassing or creation, before any message of it.
  virtual void PreSubclassWindow() {}
  // Called after the window is gone and the object detached.
  virtual void PostNcDestroy() {}
  // Dispatches a message to its handler; false (result untouched) when there is none.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A notification of this control to its parent, offered back; true when taken over.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // The reflected notification code of a WM_COMMAND; true when handled.
  virtual BOOL OnCommandReflect(UINT code);
  // A reflected colour request; a brush when handled, else null.
  virtual HBRUSH CtlColorReflect(CDC* dc, UINT controlType);

  // The message being handled, and the same passed on to the previous procedure.
  const MSG& GetCurrentMessage() const { return current_; }
  LRESULT Default();
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Handlers; each base version passes the message on (Default).
  virtual int OnCreate(CREATESTRUCT* create);
  virtual void OnDestroy();
  virtual void OnPaint();
  virtual BOOL OnEraseBkgnd(CDC* dc);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnMouseLeave();
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
  virtual void OnChar(UINT ch, UINT repeat, UINT flags);
  virtual void OnSetFocus(HWND previous);
  virtual void OnKillFocus(HWND next);
  // A colour request of a child (or reflected to this control); the brush to paint with.
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT controlType);
  // A command or notification of a control; true when handled.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before

 private:
  MSG current_;  // the message being handled
};

// The objects attached to the running host's windows.
class CWndHandleMap : public VexaHostService {
 public:
  CWndHandleMap();
  std::map<HWND, CWnd*> objects;
  static CWndHandleMap* current();
};

// Dispatches the posted messages of the running host (each offered to WalkPreTranslateTree
// first) and paints; answers how many messages were handled.
int AfxPumpMessages();
