#include "sdk/win/CComboBox.h"

#include "sdk/win/detail/ListMessages.h"

using VexaListMessages::index;
using VexaListMessages::text;

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, int id) {
  return CWnd::Create(L"ComboBox", L"", style, rect, parent, id);
}

int CComboBox::AddString(const wchar_t* s) {
  return static_cast<int>(SendMessage(CB_ADDSTRING, 0, text(s)));
}
int CComboBox::InsertString(int i, const wchar_t* s) {
  return static_cast<int>(SendMessage(CB_INSERTSTRING, index(i), text(s)));
}
int CComboBox::DeleteString(int i) {
  return static_cast<int>(SendMessage(CB_DELETESTRING, index(i)));
}
void CComboBox::ResetContent() {
  SendMessage(CB_RESETCONTENT);
}
int CComboBox::GetCount() const {
  return static_cast<int>(SendMessage(CB_GETCOUNT));
}
void CComboBox::GetLBText(int i, CString& out) const {
  VexaListMessages::itemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, i, out);
}
int CComboBox::GetLBTextLen(int i) const {
  return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index(i)));
}
int CComboBox::FindString(int startAfter, const wchar_t* prefix) const {
  return static_cast<int>(SendMessage(CB_FINDSTRING, index(startAfter), text(prefix)));
}
int CComboBox::FindStringExact(int startAfter, const wchar_t* s) const {
  return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, index(startAfter), text(s)));
}
int CComboBox::SetCurSel(int i) {
  return static_cast<int>(SendMessage(CB_SETCURSEL, index(i)));
}
int CComboBox::GetCurSel() const {
  return static_cast<int>(SendMessage(CB_GETCURSEL));
}
int CComboBox::SetTopIndex(int i) {
  return static_cast<int>(SendMessage(CB_SETTOPINDEX, index(i)));
}
int CComboBox::GetTopIndex() const {
  return static_cast<int>(SendMessage(CB_GETTOPINDEX));
}
void CComboBox::ShowDropDown(BOOL show) {
  SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show));
}
BOOL CComboBox::GetDroppedState() const {
  return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}
BOOL CComboBox::SetMinVisibleItems(int count) {
  return static_cast<BOOL>(SendMessage(CB_SETMINVISIBLE, index(count)));
}
int CComboBox::GetMinVisible() const {
  return static_cast<int>(SendMessage(CB_GETMINVISIBLE));
}
void CComboBox::SetHorizontalExtent(int extent) {
  SendMessage(CB_SETHORIZONTALEXTENT, index(extent));
}
int CComboBox::GetHorizontalExtent() const {
  return static_cast<int>(SendMessage(CB_GETHORIZONTALEXTENT));
}
int CComboBox::GetItemHeight() const {
  return static_cast<int>(SendMessage(CB_GETITEMHEIGHT));
}
BOOL CComboBox::GetComboBoxInfo(COMBOBOXINFO* info) const {
  return ::GetComboBoxInfo(m_hWnd, info);
}
