#include "xqcmdutil/XqEditCombox.h"

#include <algorithm>

namespace {

constexpr int kMostVisibleItems = 30;

QvString trimmed(QvString text) {
  return text.trim();
}

}  // namespace

void XqEditCombox::SetTitle(const QvString& first, const QvString& second) {
  m_strFirstTitle = first;
  m_strSecondTitle = second;
}

QvString XqEditCombox::ItemText(int index) const {
  CString text;
  GetLBText(index, text);
  return text.toQvString();
}

int XqEditCombox::GetTitlePosition(bool first) const {
  if (!m_bHasTitle) return -1;
  // Titles are matched whole: a special item that only begins with a title's text is not it.
  const int count = GetCount();
  int i = 0;
  for (; i < count && ItemText(i).compareNoCase(m_strFirstTitle) != 0; ++i) {
  }
  if (i == count) return -1;
  if (first) return i;
  for (++i; i < count && ItemText(i).compareNoCase(m_strSecondTitle) != 0; ++i) {
  }
  return i == count ? -1 : i;
}

int XqEditCombox::GetTextWidth(const wchar_t* text) const {
  if (!text) return 0;
  CClientDC dc(const_cast<XqEditCombox*>(this));
  if (const HFONT font = GetFont()) dc.SelectObject(font);
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  return static_cast<int>(dc.GetTextExtent(text).cx + tm.tmAveCharWidth);
}

void XqEditCombox::Widen(const QvString& text) {
  const int width = GetTextWidth(text.c_str());
  if (width <= m_nWidestText) return;
  m_nWidestText = width;
  SetHorizontalExtent(width);
}

int XqEditCombox::AddString(const QvString& text) {
  if (!IsWindow(m_hWnd)) return CB_ERR;
  Widen(text);
  return CComboBox::AddString(text.c_str());
}

int XqEditCombox::InsertString(int index, const QvString& text) {
  if (!IsWindow(m_hWnd)) return CB_ERR;
  Widen(text);
  return CComboBox::InsertString(index, text.c_str());
}

bool XqEditCombox::FindPositionRange(const wchar_t* text, int& lo, int& hi) const {
  if (!text) return false;
  const int count = GetCount();
  if (count == 0) {
    lo = -1;
    hi = 0;
    return true;
  }
  const QvString wanted(text);
  for (;;) {
    lo = std::max(lo, 0);
    hi = std::min(hi, count - 1);
    if (lo > hi) return false;
    if (lo == hi) {
      const int c = wanted.collateNoCase(ItemText(lo));
      if (c > 0) hi = lo + 1;
      if (c < 0) lo = lo - 1;
      return true;
    }
    if (wanted.isEmpty()) return false;
    if (hi == lo + 1) {
      const QvString low = ItemText(lo);
      const QvString high = ItemText(hi);
      if (low.isEmpty() || high.isEmpty()) return false;
      const int cLow = wanted.collateNoCase(low);
      if (cLow == 0) {
        hi = lo;
      } else if (cLow < 0) {
        hi = lo;
        lo = lo - 1;
      } else {
        const int cHigh = wanted.collateNoCase(high);
        if (cHigh == 0) {
          lo = hi;
        } else if (cHigh > 0) {
          lo = hi;
          hi = hi + 1;
        }
      }
      return true;
    }
    const int mid = lo + (hi - lo) / 2;
    const QvString middle = ItemText(mid);
    if (middle.isEmpty()) return false;
    const int c = wanted.collateNoCase(middle);
    if (c == 0) {
      lo = hi = mid;
      return true;
    }
    if (c > 0)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
}

int XqEditCombox::InsertString(const QvString& text) {
  QvString item = trimmed(text);
  if (item.isEmpty() || !IsWindow(m_hWnd)) return -1;
  item.makeUpper();
  int lo = GetTitlePosition(false) + 1;
  int hi = GetCount() - 1;
  // No ordinary item yet under the titles: the item goes at the end.
  if (lo > 0 && lo == GetCount()) return InsertString(lo, item);
  if (!FindPositionRange(item.c_str(), lo, hi)) return -1;
  if (hi == lo + 1) return InsertString(hi, item);
  if (lo == hi) return lo;
  return -1;
}

int XqEditCombox::AddSpecialItem(const QvString& text) {
  if (!IsWindow(m_hWnd)) return -1;
  Widen(text);
  const QvString item = trimmed(text);
  if (item.isEmpty()) return -1;
  InsertString(item);
  if (m_bHasTitle) {
    InsertString(1, item);
  } else {
    InsertString(0, m_strFirstTitle);
    InsertString(1, item);
    InsertString(2, m_strSecondTitle);
    m_bHasTitle = true;
  }
  return 1;
}

void XqEditCombox::ResetContent() {
  m_nWidestText = 0;
  m_bHasTitle = false;
  m_bFirstDropDownMatched = true;
  m_strFirstTitle.empty();
  m_strSecondTitle.empty();
  CComboBox::ResetContent();
}

bool XqEditCombox::FindContentPostion(const QvString& text, int& pos, bool exact) const {
  QvString wanted = trimmed(text);
  if (wanted.isEmpty()) return false;
  wanted.makeUpper();
  const int second = GetTitlePosition(false);
  // The list's search wraps past the end: an item above the second title is no answer.
  const int found =
      exact ? FindStringExact(second, wanted.c_str()) : FindString(second, wanted.c_str());
  if (found < 0 || found <= second) return false;
  pos = found;
  return true;
}

int XqEditCombox::GetBestMinItem() const {
  return std::min(GetCount(), kMostVisibleItems);
}

void XqEditCombox::AttachListBox() {
  if (m_listBox.m_hWnd) return;
  COMBOBOXINFO info;
  if (!GetComboBoxInfo(&info) || !info.hwndList) return;
  if (!m_listBox.SubclassWindow(info.hwndList)) return;
  m_listBox.m_hComboBox = m_hWnd;
  m_hOwner = m_hWnd;
}

void XqEditCombox::PreSubclassWindow() {
  AttachListBox();  // a combo box made by a dialog has its list already
  CComboBox::PreSubclassWindow();
}

int XqEditCombox::OnCreate(CREATESTRUCT* create) {
  const int result = CComboBox::OnCreate(create);
  if (result != -1) AttachListBox();  // made here: its list exists from now on
  return result;
}

void XqEditCombox::OnEditChange() {
  m_bFirstDropDownMatched = true;
  if (GetDroppedState()) {
    int pos = -1;
    if (FindContentPostion(GetWindowText().toQvString(), pos, false)) {
      SetTopIndex(pos);
      m_listBox.SetCurSel(pos);
    } else {
      SetTopIndex(0);
    }
  }
  SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void XqEditCombox::OnDropDown() {
  if (!m_bFirstDropDownMatched) {
    m_listBox.SetCurSel(-1);
    SetTopIndex(0);
    m_bFirstDropDownMatched = true;
  }
  if (m_bHasTitle) {
    int pos = -1;
    if (FindContentPostion(GetWindowText().toQvString(), pos, false) && SetTopIndex(pos) != CB_ERR)
      m_listBox.SetCurSel(pos);
    else
      SetTopIndex(0);
  }
  SetMinVisibleItems(GetBestMinItem());
}

BOOL XqEditCombox::OnCommandReflect(UINT code) {
  switch (code) {
    case CBN_EDITCHANGE:
      OnEditChange();
      return FALSE;  // the dialog hears of it too
    case CBN_DROPDOWN:
      OnDropDown();
      return FALSE;
    default:
      return FALSE;
  }
}

BOOL XqEditCombox::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
    if (GetDroppedState()) {
      const int selected = m_listBox.GetCurSel();
      if (selected >= 0) SetWindowText(ItemText(selected).c_str());
    } else {
      int pos = -1;
      if (!FindContentPostion(GetWindowText().toQvString(), pos, true)) {
        ShowDropDown(TRUE);
        return TRUE;
      }
      SetCurSel(pos);
    }
  }
  return CComboBox::PreTranslateMessage(msg);
}

HBRUSH XqEditCombox::OnCtlColor(CDC* dc, CWnd* child, UINT controlType) {
  if (m_listBox.m_hWnd && !m_listBox.IsWindowEnabled()) m_listBox.EnableWindow(TRUE);
  return CComboBox::OnCtlColor(dc, child, controlType);
}
