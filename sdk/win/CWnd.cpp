#include "sdk/win/CWnd.h"

#include "sdk/win/VexaWindowRegistry.h"

namespace {

// A passing object for a window that has none (the class library's temporary object).
class CTempWnd : public CWnd {
 public:
  explicit CTempWnd(HWND window) { m_hWnd = window; }
  ~CTempWnd() override { m_hWnd = nullptr; }
};

}  // namespace

CWndHandleMap::CWndHandleMap() {
  if (VexaWindowRegistry* windows = VexaWindowRegistry::current())
    windows->setMessageFilter(
        [](MSG& msg) { return CWnd::WalkPreTranslateTree(nullptr, &msg) != 0; });
}

CWndHandleMap* CWndHandleMap::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<CWndHandleMap>() : nullptr;
}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    ::DestroyWindow(m_hWnd);  // the window dies with its object
    Detach();
  }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  CWndHandleMap* map = window ? CWndHandleMap::current() : nullptr;
  if (!map) return nullptr;
  const auto it = map->objects.find(window);
  return it == map->objects.end() ? nullptr : it->second;
}

BOOL CWnd::Attach(HWND window) {
  CWndHandleMap* map = CWndHandleMap::current();
  if (!map || m_hWnd || !IsWindow(window) || map->objects.count(window)) return FALSE;
  map->objects[window] = this;
  m_hWnd = window;
  return TRUE;
}

HWND CWnd::Detach() {
  const HWND window = m_hWnd;
  if (CWndHandleMap* map = CWndHandleMap::current(); map && window) {
    const auto it = map->objects.find(window);
    if (it != map->objects.end() && it->second == this) map->objects.erase(it);
  }
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!Attach(window)) return FALSE;
  PreSubclassWindow();
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent) {
  return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, id)) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd || !m_pfnSuper) return nullptr;
  SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    const RECT& rect, CWnd* parent, int id, void* param) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!windows || m_hWnd) return FALSE;
  CWndHandleMap::current();  // the pre-translation filter is in place from the first window
  // The new window is subclassed before its first message, so that WM_CREATE comes here.
  windows->setCreationHook([this](HWND window) {
    Attach(window);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
  });
  const HWND window =
      CreateWindowEx(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, id, param);
  windows->setCreationHook(nullptr);
  return window != nullptr && window == m_hWnd;
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                  CWnd* parent, int id) {
  return CreateEx(0, className, text, style, rect, parent, id);
}

BOOL CWnd::DestroyWindow() {
  return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
}

HFONT CWnd::GetFont() const {
  return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

void CWnd::ClientToScreen(RECT* rect) const {
  POINT origin{0, 0};
  ::ClientToScreen(m_hWnd, &origin);
  CRect r(*rect);
  r.OffsetRect(origin.x, origin.y);
  *rect = r;
}

void CWnd::ScreenToClient(RECT* rect) const {
  POINT origin{0, 0};
  ::ClientToScreen(m_hWnd, &origin);
  CRect r(*rect);
  r.OffsetRect(-origin.x, -origin.y);
  *rect = r;
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}

void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
  if (rect)
    ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                 repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
  return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND window = msg->hwnd; window && window != stop; window = ::GetParent(window)) {
    if (CWnd* object = FromHandlePermanent(window))
      if (object->PreTranslateMessage(msg)) return TRUE;
    if (!(GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD)) break;  // a pop-up ends the walk
  }
  return FALSE;
}

LRESULT CWnd::AfxWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* object = FromHandlePermanent(window);
  if (!object) return ::DefWindowProc(window, message, wParam, lParam);
  if (message != WM_NCDESTROY) return object->WindowProc(message, wParam, lParam);
  // The last message: the previous procedure sees it, then the object lets the window go.
  const LRESULT result = object->WindowProc(message, wParam, lParam);
  const WNDPROC super = object->m_pfnSuper;
  if (super) SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
  object->m_pfnSuper = nullptr;
  object->Detach();
  object->PostNcDestroy();
  return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG saved = current_;
  current_.hwnd = m_hWnd;
  current_.message = message;
  current_.wParam = wParam;
  current_.lParam = lParam;
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  current_ = saved;
  return result;
}

LRESULT CWnd::Default() {
  return DefWindowProc(current_.message, current_.wParam, current_.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_CREATE:
      *result = OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_ERASEBKGND: {
      CDC dc;
      dc.Attach(reinterpret_cast<HDC>(wParam));
      *result = OnEraseBkgnd(&dc);
      dc.Detach();
      return TRUE;
    }
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam));
      return TRUE;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return TRUE;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      OnRButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
      return TRUE;
    case WM_KEYDOWN:
      OnKeyDown(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), 0);
      return TRUE;
    case WM_CHAR:
      OnChar(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), 0);
      return TRUE;
    case WM_SETFOCUS:
      OnSetFocus(reinterpret_cast<HWND>(wParam));
      return TRUE;
    case WM_KILLFOCUS:
      OnKillFocus(reinterpret_cast<HWND>(wParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
      const HWND childWindow = reinterpret_cast<HWND>(lParam);
      CWnd* child = FromHandlePermanent(childWindow);
      if (child && child != this && child->OnChildNotify(message, wParam, lParam, result))
        return TRUE;
      CTempWnd temp(child ? nullptr : childWindow);
      CDC dc;
      dc.Attach(reinterpret_cast<HDC>(wParam));
      const UINT type = message == WM_CTLCOLOREDIT      ? CTLCOLOR_EDIT
                        : message == WM_CTLCOLORLISTBOX ? CTLCOLOR_LISTBOX
                                                        : CTLCOLOR_STATIC;
      *result = reinterpret_cast<LRESULT>(OnCtlColor(&dc, child ? child : &temp, type));
      dc.Detach();
      return TRUE;
    }
    case WM_COMMAND: {
      if (CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
          child && child != this && child->OnChildNotify(message, wParam, lParam, result))
        return TRUE;
      if (OnCommand(wParam, lParam)) {
        *result = 0;
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommandReflect(HIWORD(wParam))) return FALSE;
    if (result) *result = 0;
    return TRUE;
  }
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || message == WM_CTLCOLORSTATIC) {
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    const UINT type = message == WM_CTLCOLOREDIT      ? CTLCOLOR_EDIT
                      : message == WM_CTLCOLORLISTBOX ? CTLCOLOR_LISTBOX
                                                      : CTLCOLOR_STATIC;
    const HBRUSH brush = CtlColorReflect(&dc, type);
    dc.Detach();
    if (!brush) return FALSE;
    if (result) *result = reinterpret_cast<LRESULT>(brush);
    return TRUE;
  }
  (void)lParam;
  return FALSE;
}

BOOL CWnd::OnCommandReflect(UINT) {
  return FALSE;
}

HBRUSH CWnd::CtlColorReflect(CDC*, UINT) {
  return nullptr;
}

int CWnd::OnCreate(CREATESTRUCT*) {
  return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
  Default();
}
void CWnd::OnPaint() {
  Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
  return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int) {
  Default();
}
void CWnd::OnTimer(UINT_PTR) {
  Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
  Default();
}
void CWnd::OnMouseLeave() {
  Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
  Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
  Default();
}
void CWnd::OnKeyDown(UINT, UINT, UINT) {
  Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
  Default();
}
void CWnd::OnSetFocus(HWND) {
  Default();
}
void CWnd::OnKillFocus(HWND) {
  Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
  return reinterpret_cast<HBRUSH>(Default());
}
BOOL CWnd::OnCommand(WPARAM, LPARAM) {
  return FALSE;
}

int AfxPumpMessages() {
  CWndHandleMap::current();
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows ? windows->pump() : 0;
}
