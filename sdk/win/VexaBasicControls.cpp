// The static text, the edit field, the push button and the dialog, and the registration of
// every system class.
#include <algorithm>

#include "sdk/win/VexaFontEngine.h"
#include "sdk/win/VexaSystemControls.h"
#include "sdk/win/VexaWinUser.h"

namespace {

constexpr UINT BN_CLICKED = 0;

VexaWindowRegistry& windows() {
  return *VexaWindowRegistry::current();
}

void notifyParent(HWND control, UINT code) {
  if (const HWND parent = windows().parent(control))
    SendMessage(parent, WM_COMMAND,
                MAKEWPARAM(static_cast<unsigned>(windows().getLong(control, GWLP_ID)), code),
                reinterpret_cast<LPARAM>(control));
}

// Paints a control's background with the brush its parent answers to `colorMessage` and draws
// its text in the client rectangle.
void paintText(HWND control, UINT colorMessage, UINT format, long inset, bool frame) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(control, &ps);
  const HWND parent = windows().parent(control);
  HBRUSH brush = reinterpret_cast<HBRUSH>(parent ? SendMessage(parent, colorMessage,
                                                               reinterpret_cast<WPARAM>(dc),
                                                               reinterpret_cast<LPARAM>(control))
                                                 : 0);
  if (!brush)
    brush = GetSysColorBrush(colorMessage == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE);
  RECT client;
  GetClientRect(control, &client);
  FillRect(dc, &client, brush);
  if (frame) FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
  if (!IsWindowEnabled(control)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  RECT text{client.left + inset, client.top, client.right - inset, client.bottom};
  DrawText(dc, windows().text(control), -1, &text, format | DT_SINGLELINE | DT_NOPREFIX);
  EndPaint(control, &ps);
}

LRESULT staticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  VexaWindowRegistry& w = windows();
  const DWORD style = static_cast<DWORD>(w.getLong(window, GWL_STYLE));
  switch (message) {
    case WM_NCHITTEST:
      return (style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_PAINT: {
      const UINT align = (style & 3) == SS_CENTER  ? DT_CENTER
                         : (style & 3) == SS_RIGHT ? DT_RIGHT
                                                   : DT_LEFT;
      paintText(window, WM_CTLCOLORSTATIC, align, 0, false);
      return 0;
    }
    default:
      return w.defaultProc(window, message, wParam, lParam);
  }
}

// Replaces the selection of an edit field with `insert` and tells the parent.
void replaceSelection(HWND edit, VexaEditData& d, const QvString& insert, int eraseBefore,
                      int eraseAfter) {
  QvString text = windows().text(edit);
  int start = std::clamp(std::min(d.selStart, d.selEnd), 0, text.length());
  int end = std::clamp(std::max(d.selStart, d.selEnd), 0, text.length());
  if (start == end) {
    start = std::max(0, start - eraseBefore);
    end = std::min(text.length(), end + eraseAfter);
  }
  if (start == end && insert.isEmpty()) return;
  text.deleteAt(start, end - start);
  text.insert(start, insert);
  windows().defaultProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  d.selStart = d.selEnd = start + insert.length();
  notifyParent(edit, EN_CHANGE);
}

bool inCombo(HWND edit) {
  return windows().className(windows().parent(edit)).compareNoCase(L"ComboBox") == 0;
}

LRESULT editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  VexaWindowRegistry& w = windows();
  if (message == WM_NCCREATE) {
    w.setControl(edit, std::make_unique<VexaEditData>());
    const LRESULT r = w.defaultProc(edit, message, wParam, lParam);
    w.control<VexaEditData>(edit)->selStart = w.control<VexaEditData>(edit)->selEnd =
        w.text(edit).length();
    return r;
  }
  auto* d = w.control<VexaEditData>(edit);
  if (!d) return w.defaultProc(edit, message, wParam, lParam);
  const int length = w.text(edit).length();
  switch (message) {
    case WM_SETTEXT: {
      const LRESULT r = w.defaultProc(edit, message, wParam, lParam);
      d->selStart = d->selEnd = w.text(edit).length();
      return r;
    }
    case EM_SETSEL: {
      const int start = static_cast<int>(static_cast<LONG_PTR>(wParam));
      const int end = static_cast<int>(lParam);
      if (start < 0) {
        d->selStart = d->selEnd = std::clamp(d->selEnd, 0, length);
      } else {
        d->selStart = std::clamp(start, 0, length);
        d->selEnd = end < 0 ? length : std::clamp(end, 0, length);
      }
      return 0;
    }
    case EM_GETSEL: {
      const int start = std::min(d->selStart, d->selEnd);
      const int end = std::max(d->selStart, d->selEnd);
      if (auto* s = reinterpret_cast<DWORD*>(wParam)) *s = static_cast<DWORD>(start);
      if (auto* e = reinterpret_cast<DWORD*>(lParam)) *e = static_cast<DWORD>(end);
      return MAKELPARAM(start, end);
    }
    case WM_CHAR: {
      const auto ch = static_cast<wchar_t>(wParam);
      if (ch == L'\b')
        replaceSelection(edit, *d, QvString(), 1, 0);
      else if (ch >= 0x20)
        replaceSelection(edit, *d, QvString(ch, 1), 0, 0);
      return 0;
    }
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_DELETE:
          replaceSelection(edit, *d, QvString(), 0, 1);
          return 0;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END: {
          int caret = d->selEnd;
          if (wParam == VK_LEFT) caret = std::max(0, caret - 1);
          if (wParam == VK_RIGHT) caret = std::min(length, caret + 1);
          if (wParam == VK_HOME) caret = 0;
          if (wParam == VK_END) caret = length;
          d->selStart = d->selEnd = caret;
          return 0;
        }
        default:
          // Keys for the list go to the combo box the field belongs to.
          if (inCombo(edit)) return SendMessage(w.parent(edit), message, wParam, lParam);
          return 0;
      }
    case WM_GETDLGCODE:
      if (inCombo(edit)) return SendMessage(w.parent(edit), message, wParam, lParam);
      return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      SetFocus(edit);
      return 0;
    case WM_PAINT:
      paintText(edit, WM_CTLCOLOREDIT, DT_LEFT | DT_VCENTER, 2, false);
      return 0;
    default:
      return w.defaultProc(edit, message, wParam, lParam);
  }
}

LRESULT buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      notifyParent(button, BN_CLICKED);
      return 0;
    case WM_PAINT:
      paintText(button, WM_CTLCOLORSTATIC, DT_CENTER | DT_VCENTER, 0, true);
      return 0;
    default:
      return windows().defaultProc(button, message, wParam, lParam);
  }
}

LRESULT dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return windows().defaultProc(dialog, message, wParam, lParam);
}

void add(VexaWindowRegistry& windows, const wchar_t* name, WNDPROC proc, HBRUSH background) {
  WNDCLASS cls;
  cls.lpszClassName = name;
  cls.lpfnWndProc = proc;
  cls.hbrBackground = background;
  windows.registerClass(cls);
}

}  // namespace

void registerSystemClasses(VexaWindowRegistry& windows) {
  add(windows, L"Static", &staticProc, nullptr);
  add(windows, L"Edit", &editProc, nullptr);
  add(windows, L"Button", &buttonProc, nullptr);
  add(windows, L"ListBox", vexaListBoxProc(), nullptr);
  add(windows, L"ComboLBox", vexaListBoxProc(), nullptr);
  add(windows, L"ComboBox", vexaComboBoxProc(), nullptr);
  add(windows, L"#32770", &dialogProc, nullptr);
}

int vexaItemHeight(HFONT font) {
  VexaFontEngine* fonts = VexaFontEngine::current();
  if (!fonts) return 13;
  const HFONT f = font ? font : GetStockFont(DEFAULT_GUI_FONT);
  return fonts->metrics(f ? f->emPixels : 11, f && f->weight >= FW_BOLD).tmHeight;
}
