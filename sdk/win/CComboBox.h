#pragma once

#include "sdk/win/CWnd.h"

// The class library's combo box: the combo-box messages as member functions.
class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  int AddString(const wchar_t* text);
  int InsertString(int index, const wchar_t* text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  int FindString(int startAfter, const wchar_t* prefix) const;
  int FindStringExact(int startAfter, const wchar_t* text) const;
  int SetCurSel(int index);
  int GetCurSel() const;
  int SetTopIndex(int index);
  int GetTopIndex() const;
  void ShowDropDown(BOOL show = TRUE);
  BOOL GetDroppedState() const;
  BOOL SetMinVisibleItems(int count);
  int GetMinVisible() const;
  void SetHorizontalExtent(int extent);
  int GetHorizontalExtent() const;
  int GetItemHeight() const;
  BOOL GetComboBoxInfo(COMBOBOXINFO* info) const;
};
