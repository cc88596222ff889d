// The list box and the drop-down list of a combo box.
#include <algorithm>

#include "sdk/win/VexaSystemControls.h"
#include "sdk/win/VexaWinUser.h"

namespace {

VexaWindowRegistry& windows() {
  return *VexaWindowRegistry::current();
}

int itemHeightOf(HWND list) {
  return vexaItemHeight(windows().font(list));
}

// The rows the list shows: a combo box's list grows up to its minimum visible count.
int rowsOf(HWND list, const VexaListBoxData& d) {
  if (const auto* combo = windows().control<VexaComboBoxData>(d.combo))
    return std::max(1, std::min(static_cast<int>(d.items.size()), combo->minVisible));
  RECT client;
  windows().clientRect(list, &client);
  return std::max(1, static_cast<int>(client.bottom / std::max(1, itemHeightOf(list))));
}

int clampTop(HWND list, const VexaListBoxData& d, int top) {
  const int count = static_cast<int>(d.items.size());
  return std::clamp(top, 0, std::max(0, count - rowsOf(list, d)));
}

void ensureVisible(HWND list, VexaListBoxData& d, int index) {
  const int rows = rowsOf(list, d);
  if (index < d.top) d.top = index;
  if (index >= d.top + rows) d.top = index - rows + 1;
  d.top = clampTop(list, d, d.top);
}

LRESULT find(const VexaListBoxData& d, WPARAM start, const wchar_t* text, bool exact) {
  const int count = static_cast<int>(d.items.size());
  if (!text || count == 0) return LB_ERR;
  const QvString wanted(text);
  const int from = static_cast<int>(static_cast<LONG_PTR>(start));
  const int first = from < 0 || from >= count ? 0 : from + 1;
  for (int k = 0; k < count; ++k) {
    const int i = (first + k) % count;
    const QvString& item = d.items[static_cast<size_t>(i)].text;
    const bool match = exact ? item.compareNoCase(wanted) == 0
                             : item.length() >= wanted.length() &&
                                   item.left(wanted.length()).compareNoCase(wanted) == 0;
    if (match) return i;
  }
  return LB_ERR;
}

RECT itemRect(HWND list, const VexaListBoxData& d, int index) {
  RECT client;
  windows().clientRect(list, &client);
  const int h = itemHeightOf(list);
  return RECT{0, (index - d.top) * h, client.right, (index - d.top + 1) * h};
}

// The item at a client point; the high word is 1 when the point is outside the client area or
// below the last item.
LRESULT itemFromPoint(HWND list, const VexaListBoxData& d, POINT p) {
  RECT client;
  windows().clientRect(list, &client);
  const int count = static_cast<int>(d.items.size());
  const int h = std::max(1, itemHeightOf(list));
  const bool inClient = p.x >= 0 && p.y >= 0 && p.x < client.right && p.y < client.bottom;
  long row = p.y < 0 ? -1 : p.y / h;
  long index = d.top + row;
  bool outside = !inClient || index < 0 || index >= count;
  index = std::clamp<long>(index, 0, std::max(0, count - 1));
  return static_cast<LRESULT>(MAKELPARAM(index, outside ? 1 : 0));
}

void paint(HWND list, const VexaListBoxData& d) {
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(list, &ps);
  const HWND owner = d.combo ? d.combo : GetParent(list);
  HBRUSH background = reinterpret_cast<HBRUSH>(owner ? SendMessage(owner, WM_CTLCOLORLISTBOX,
                                                                   reinterpret_cast<WPARAM>(dc),
                                                                   reinterpret_cast<LPARAM>(list))
                                                     : 0);
  if (!background) background = GetSysColorBrush(COLOR_WINDOW);
  RECT client;
  GetClientRect(list, &client);
  FillRect(dc, &client, background);
  const bool enabled = IsWindowEnabled(list);
  const COLORREF text = enabled ? dc->textColor : GetSysColor(COLOR_GRAYTEXT);
  SetBkMode(dc, TRANSPARENT);
  for (int i = d.top; i < static_cast<int>(d.items.size()); ++i) {
    RECT r = itemRect(list, d, i);
    if (r.top >= client.bottom) break;
    if (i == d.current) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, i == d.current ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
    r.left += 2;
    DrawText(dc, d.items[static_cast<size_t>(i)].text, -1, &r,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  EndPaint(list, &ps);
}

// A private message of the combo box: its list chose the item wParam.
constexpr UINT kChooseItem = WM_USER + 0x7A0;

LRESULT listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  VexaWindowRegistry& w = windows();
  if (message == WM_NCCREATE) {
    auto data = std::make_unique<VexaListBoxData>();
    if (w.className(list).compareNoCase(L"ComboLBox") == 0) data->combo = w.parent(list);
    w.setControl(list, std::move(data));
    return w.defaultProc(list, message, wParam, lParam);
  }
  auto* d = w.control<VexaListBoxData>(list);
  if (!d) return w.defaultProc(list, message, wParam, lParam);
  const int count = static_cast<int>(d->items.size());
  const int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
  switch (message) {
    case LB_ADDSTRING:
      d->items.push_back({reinterpret_cast<const wchar_t*>(lParam), 0});
      w.invalidate(list, nullptr, true);
      return count;
    case LB_INSERTSTRING: {
      if (index > count) return LB_ERR;
      const int at = index < 0 ? count : index;
      d->items.insert(d->items.begin() + at, {reinterpret_cast<const wchar_t*>(lParam), 0});
      if (d->current >= at) ++d->current;
      w.invalidate(list, nullptr, true);
      return at;
    }
    case LB_DELETESTRING:
      if (index < 0 || index >= count) return LB_ERR;
      d->items.erase(d->items.begin() + index);
      if (d->current == index) d->current = -1;
      if (d->current > index) --d->current;
      d->top = clampTop(list, *d, d->top);
      w.invalidate(list, nullptr, true);
      return count - 1;
    case LB_RESETCONTENT:
      d->items.clear();
      d->current = -1;
      d->top = 0;
      w.invalidate(list, nullptr, true);
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETTEXT: {
      if (index < 0 || index >= count || !lParam) return LB_ERR;
      const QvString& text = d->items[static_cast<size_t>(index)].text;
      auto* out = reinterpret_cast<wchar_t*>(lParam);
      std::copy_n(text.c_str(), text.length() + 1, out);
      return text.length();
    }
    case LB_GETTEXTLEN:
      return index < 0 || index >= count ? LB_ERR
                                         : d->items[static_cast<size_t>(index)].text.length();
    case LB_SETCURSEL:
      if (index < -1 || index >= count) return LB_ERR;
      d->current = index;
      if (index >= 0) ensureVisible(list, *d, index);
      w.invalidate(list, nullptr, true);
      return index < 0 ? LB_ERR : index;
    case LB_GETCURSEL:
      return d->current;
    case LB_SETTOPINDEX:
      if (index < 0 || index >= count) return LB_ERR;
      d->top = clampTop(list, *d, index);
      w.invalidate(list, nullptr, true);
      return 0;
    case LB_GETTOPINDEX:
      return d->top;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
      return find(*d, wParam, reinterpret_cast<const wchar_t*>(lParam),
                  message == LB_FINDSTRINGEXACT);
    case LB_SETHORIZONTALEXTENT:
      d->horizontalExtent = index;
      w.invalidate(list, nullptr, true);
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return d->horizontalExtent;
    case LB_GETITEMHEIGHT:
      return itemHeightOf(list);
    case LB_GETITEMRECT:
      if (index < 0 || index >= count || !lParam) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = itemRect(list, *d, index);
      return 0;
    case LB_ITEMFROMPOINT:
      return itemFromPoint(list, *d, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOUSEMOVE: {
      if (!d->combo) return 0;
      const LRESULT hit =
          itemFromPoint(list, *d, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (!HIWORD(hit) && LOWORD(hit) != d->current) {
        d->current = LOWORD(hit);
        w.invalidate(list, nullptr, true);
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      const LRESULT hit =
          itemFromPoint(list, *d, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (!d->combo) SetFocus(list);
      if (HIWORD(hit)) return 0;  // below the items or outside: nothing is chosen
      d->current = LOWORD(hit);
      ensureVisible(list, *d, d->current);
      w.invalidate(list, nullptr, true);
      if (d->combo) {
        SendMessage(d->combo, kChooseItem, static_cast<WPARAM>(d->current), 0);
      } else if (w.getLong(list, GWL_STYLE) & LBS_NOTIFY) {
        SendMessage(w.parent(list), WM_COMMAND,
                    MAKEWPARAM(static_cast<unsigned>(w.getLong(list, GWLP_ID)), LBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(list));
      }
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT:
      paint(list, *d);
      return 0;
    default:
      return w.defaultProc(list, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC vexaListBoxProc() {
  return &listProc;
}

UINT vexaComboChooseMessage() {
  return kChooseItem;
}
