#include "sdk/win/CListBox.h"

#include "sdk/win/detail/ListMessages.h"

using VexaListMessages::index;
using VexaListMessages::text;

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CWnd::Create(L"ListBox", L"", style, rect, parent, id);
}

int CListBox::AddString(const wchar_t* s) {
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, text(s)));
}
int CListBox::InsertString(int i, const wchar_t* s) {
  return static_cast<int>(SendMessage(LB_INSERTSTRING, index(i), text(s)));
}
int CListBox::DeleteString(int i) {
  return static_cast<int>(SendMessage(LB_DELETESTRING, index(i)));
}
void CListBox::ResetContent() {
  SendMessage(LB_RESETCONTENT);
}
int CListBox::GetCount() const {
  return static_cast<int>(SendMessage(LB_GETCOUNT));
}
void CListBox::GetText(int i, CString& out) const {
  VexaListMessages::itemText(*this, LB_GETTEXTLEN, LB_GETTEXT, i, out);
}
int CListBox::GetTextLen(int i) const {
  return static_cast<int>(SendMessage(LB_GETTEXTLEN, index(i)));
}
int CListBox::FindString(int startAfter, const wchar_t* prefix) const {
  return static_cast<int>(SendMessage(LB_FINDSTRING, index(startAfter), text(prefix)));
}
int CListBox::FindStringExact(int startAfter, const wchar_t* s) const {
  return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, index(startAfter), text(s)));
}
int CListBox::SetCurSel(int i) {
  return static_cast<int>(SendMessage(LB_SETCURSEL, index(i)));
}
int CListBox::GetCurSel() const {
  return static_cast<int>(SendMessage(LB_GETCURSEL));
}
int CListBox::SetTopIndex(int i) {
  return static_cast<int>(SendMessage(LB_SETTOPINDEX, index(i)));
}
int CListBox::GetTopIndex() const {
  return static_cast<int>(SendMessage(LB_GETTOPINDEX));
}
int CListBox::GetItemRect(int i, RECT* rect) const {
  return static_cast<int>(SendMessage(LB_GETITEMRECT, index(i), reinterpret_cast<LPARAM>(rect)));
}
UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
  const LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  outside = HIWORD(static_cast<std::uintptr_t>(r)) != 0;
  return LOWORD(static_cast<std::uintptr_t>(r));
}
int CListBox::GetItemHeight() const {
  return static_cast<int>(SendMessage(LB_GETITEMHEIGHT));
}
void CListBox::SetHorizontalExtent(int extent) {
  SendMessage(LB_SETHORIZONTALEXTENT, index(extent));
}
int CListBox::GetHorizontalExtent() const {
  return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT));
}
