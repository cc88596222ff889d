#pragma once

#include "sdk/win/CWnd.h"

// The class library's list box: the list-box messages as member functions.
class CListBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, int id);

  int AddString(const wchar_t* text);
  int InsertString(int index, const wchar_t* text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  void GetText(int index, CString& text) const;
  int GetTextLen(int index) const;
  int FindString(int startAfter, const wchar_t* prefix) const;
  int FindStringExact(int startAfter, const wchar_t* text) const;
  int SetCurSel(int index);
  int GetCurSel() const;
  int SetTopIndex(int index);
  int GetTopIndex() const;
  int GetItemRect(int index, RECT* rect) const;
  // The item nearest a client point; `outside` tells whether the point is off every item.
  UINT ItemFromPoint(CPoint point, BOOL& outside) const;
  int GetItemHeight() const;
  void SetHorizontalExtent(int extent);
  int GetHorizontalExtent() const;
};

// A static text control.
class CStatic : public CWnd {
 public:
  BOOL Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, int id = 0xFFFF) {
    return CWnd::Create(L"Static", text, style, rect, parent, id);
  }
};
