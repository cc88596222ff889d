// The combo box: an edit field (CBS_DROPDOWN) and a drop-down list of its own.
#include <algorithm>

#include "sdk/win/VexaSystemControls.h"
#include "sdk/win/VexaWinUser.h"

namespace {

constexpr int kButtonWidth = 16;
constexpr int kEditId = 1001;
constexpr int kListId = 1000;

VexaWindowRegistry& windows() {
  return *VexaWindowRegistry::current();
}

void notify(HWND combo, UINT code) {
  const HWND parent = windows().parent(combo);
  if (!parent) return;
  SendMessage(parent, WM_COMMAND,
              MAKEWPARAM(static_cast<unsigned>(windows().getLong(combo, GWLP_ID)), code),
              reinterpret_cast<LPARAM>(combo));
}

QvString itemText(HWND list, int index) {
  const auto* d = windows().control<VexaListBoxData>(list);
  if (!d || index < 0 || index >= static_cast<int>(d->items.size())) return QvString();
  return d->items[static_cast<size_t>(index)].text;
}

// The edit field (or, for a drop-down list, the combo box) shows the text, all selected.
void showText(HWND combo, const VexaComboBoxData& d, const QvString& text) {
  if (d.edit) {
    SendMessage(d.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(d.edit, EM_SETSEL, 0, -1);
  } else {
    windows().defaultProc(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void layoutList(HWND combo, const VexaComboBoxData& d) {
  const auto* items = windows().control<VexaListBoxData>(d.list);
  const int count = items ? static_cast<int>(items->items.size()) : 0;
  const int rows = std::max(1, std::min(count, d.minVisible));
  RECT r;
  GetWindowRect(combo, &r);
  const int height = rows * vexaItemHeight(windows().font(d.list)) + 2;
  SetWindowPos(d.list, HWND_TOPMOST, r.left, r.bottom, r.right - r.left, height, SWP_NOACTIVATE);
  // The list may now show more rows: its top item moves up if it must.
  if (count > 0) {
    const LRESULT top = SendMessage(d.list, LB_GETTOPINDEX, 0, 0);
    SendMessage(d.list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  }
}

void showDropDown(HWND combo, bool show) {
  auto* d = windows().control<VexaComboBoxData>(combo);
  if (!d || d->dropped == show) return;
  if (show) {
    notify(combo, CBN_DROPDOWN);
    if (!(d = windows().control<VexaComboBoxData>(combo))) return;  // destroyed meanwhile
    layoutList(combo, *d);
    d->dropped = true;
    ShowWindow(d->list, SW_SHOWNA);
  } else {
    d->dropped = false;
    ShowWindow(d->list, SW_HIDE);
    notify(combo, CBN_CLOSEUP);
  }
}

void select(HWND combo, VexaComboBoxData& d, int index) {
  SendMessage(d.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  showText(combo, d, itemText(d.list, index));
  notify(combo, CBN_SELCHANGE);
}

void keyDown(HWND combo, VexaComboBoxData& d, UINT key) {
  const int count = static_cast<int>(SendMessage(d.list, LB_GETCOUNT, 0, 0));
  const int current = static_cast<int>(SendMessage(d.list, LB_GETCURSEL, 0, 0));
  switch (key) {
    case VK_F4:
      showDropDown(combo, !d.dropped);
      return;
    case VK_DOWN:
    case VK_UP: {
      if (count == 0) return;
      const int next = key == VK_DOWN ? std::min(count - 1, current + 1)
                                      : std::max(0, current < 0 ? 0 : current - 1);
      if (next != current) select(combo, d, next);
      return;
    }
    case VK_RETURN:
      if (!d.dropped) return;
      if (current >= 0) showText(combo, d, itemText(d.list, current));
      notify(combo, CBN_SELENDOK);
      showDropDown(combo, false);
      return;
    case VK_ESCAPE:
      if (!d.dropped) return;
      notify(combo, CBN_SELENDCANCEL);
      showDropDown(combo, false);
      return;
    default:
      return;
  }
}

// Messages the list answers for the combo box.
UINT listMessage(UINT message) {
  switch (message) {
    case CB_ADDSTRING:
      return LB_ADDSTRING;
    case CB_INSERTSTRING:
      return LB_INSERTSTRING;
    case CB_DELETESTRING:
      return LB_DELETESTRING;
    case CB_GETCOUNT:
      return LB_GETCOUNT;
    case CB_GETLBTEXT:
      return LB_GETTEXT;
    case CB_GETLBTEXTLEN:
      return LB_GETTEXTLEN;
    case CB_FINDSTRING:
      return LB_FINDSTRING;
    case CB_FINDSTRINGEXACT:
      return LB_FINDSTRINGEXACT;
    case CB_GETTOPINDEX:
      return LB_GETTOPINDEX;
    case CB_SETTOPINDEX:
      return LB_SETTOPINDEX;
    case CB_GETHORIZONTALEXTENT:
      return LB_GETHORIZONTALEXTENT;
    case CB_SETHORIZONTALEXTENT:
      return LB_SETHORIZONTALEXTENT;
    case CB_GETITEMHEIGHT:
      return LB_GETITEMHEIGHT;
    case CB_GETCURSEL:
      return LB_GETCURSEL;
    default:
      return 0;
  }
}

void paint(HWND combo) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(combo, &ps);
  RECT client;
  GetClientRect(combo, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  RECT button{client.right - kButtonWidth, client.top, client.right, client.bottom};
  FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(IsWindowEnabled(combo) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  DrawText(dc, L"\u25BE", -1, &button, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
  const auto* d = windows().control<VexaComboBoxData>(combo);
  if (d && !d->edit) {  // a drop-down list shows its text itself
    RECT text{client.left + 3, client.top, button.left, client.bottom};
    DrawText(dc, windows().text(combo), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  EndPaint(combo, &ps);
}

LRESULT comboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  VexaWindowRegistry& w = windows();
  if (message == WM_NCCREATE) {
    w.setControl(combo, std::make_unique<VexaComboBoxData>());
    return w.defaultProc(combo, message, wParam, lParam);
  }
  auto* d = w.control<VexaComboBoxData>(combo);
  if (!d) return w.defaultProc(combo, message, wParam, lParam);
  if (const UINT forwarded = listMessage(message))
    return SendMessage(d->list, forwarded, wParam, lParam);
  if (message == vexaComboChooseMessage()) {
    select(combo, *d, static_cast<int>(wParam));
    notify(combo, CBN_SELENDOK);
    showDropDown(combo, false);
    return 0;
  }
  switch (message) {
    case WM_CREATE: {
      RECT client;
      w.clientRect(combo, &client);
      const DWORD style = static_cast<DWORD>(w.getLong(combo, GWL_STYLE));
      if ((style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST) {
        d->edit = w.createWindow(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                 RECT{1, 1, client.right - kButtonWidth, client.bottom - 1}, combo,
                                 kEditId);
        if (!d->edit) return -1;
      }
      d = w.control<VexaComboBoxData>(combo);
      d->list = w.createWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"ComboLBox", L"",
                               WS_POPUP | WS_BORDER, RECT{0, 0, client.right, 2}, combo, kListId);
      return d->list ? 0 : -1;
    }
    case WM_SETFONT:
      if (d->edit) SendMessage(d->edit, WM_SETFONT, wParam, lParam);
      SendMessage(d->list, WM_SETFONT, wParam, lParam);
      return w.defaultProc(combo, message, wParam, lParam);
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return d->edit ? SendMessage(d->edit, message, wParam, lParam)
                     : w.defaultProc(combo, message, wParam, lParam);
    case CB_RESETCONTENT:
      SendMessage(d->list, LB_RESETCONTENT, 0, 0);
      showText(combo, *d, QvString());
      return 0;
    case CB_SETCURSEL: {
      const LRESULT r = SendMessage(d->list, LB_SETCURSEL, wParam, 0);
      showText(combo, *d, itemText(d->list, static_cast<int>(r)));
      return r;
    }
    case CB_SHOWDROPDOWN:
      showDropDown(combo, wParam != 0);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return d->dropped;
    case CB_SETMINVISIBLE:
      if (static_cast<int>(wParam) <= 0) return FALSE;
      d->minVisible = static_cast<int>(wParam);
      if (d->dropped) layoutList(combo, *d);
      return TRUE;
    case CB_GETMINVISIBLE:
      return d->minVisible;
    case CB_GETCOMBOBOXINFO: {
      auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
      if (!info) return FALSE;
      RECT client;
      w.clientRect(combo, &client);
      info->hwndCombo = combo;
      info->hwndItem = d->edit;
      info->hwndList = d->list;
      info->rcItem = RECT{1, 1, client.right - kButtonWidth, client.bottom - 1};
      info->rcButton = RECT{client.right - kButtonWidth, 0, client.right, client.bottom};
      return TRUE;
    }
    case CB_GETEDITSEL:
      return d->edit ? SendMessage(d->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      return d->edit ? SendMessage(
                           d->edit, EM_SETSEL, LOWORD(static_cast<std::uintptr_t>(lParam)),
                           static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam))))
                     : CB_ERR;
    case WM_COMMAND:
      if (d->edit && reinterpret_cast<HWND>(lParam) == d->edit && HIWORD(wParam) == EN_CHANGE)
        notify(combo, CBN_EDITCHANGE);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      const HWND parent = w.parent(combo);
      const LRESULT brush = parent ? SendMessage(parent, message, wParam, lParam) : 0;
      return brush ? brush : w.defaultProc(combo, message, wParam, lParam);
    }
    case WM_KEYDOWN:
      keyDown(combo, *d, static_cast<UINT>(wParam));
      return 0;
    case WM_GETDLGCODE:
      return d->dropped ? DLGC_WANTALLKEYS : (DLGC_WANTARROWS | DLGC_WANTCHARS);
    case WM_LBUTTONDOWN:
      if (d->edit) SetFocus(d->edit);
      showDropDown(combo, !d->dropped);
      return 0;
    case WM_SETFOCUS:
      if (d->edit) SetFocus(d->edit);
      return 0;
    case WM_ENABLE:
      if (d->edit) EnableWindow(d->edit, static_cast<BOOL>(wParam));
      return 0;
    case WM_PAINT:
      paint(combo);
      return 0;
    default:
      return w.defaultProc(combo, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC vexaComboBoxProc() {
  return &comboProc;
}
