#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/CComboBox.h"
#include "sdk/win/CListBox.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The list part of an XqEditCombox, subclassed when the combo box is attached.
class XQCMDUTIL_EXPORT XqListBox : public CListBox {
 public:
  HWND m_hComboBox = nullptr;  // the combo box it belongs to
};

// A combo box for the host's dialogs: ordinary items kept in upper case and sorted by the
// host's case-insensitive collation; optionally two titles, the first above the special items
// (newest first) and the second above the ordinary ones; matching of the typed text against
// the ordinary items while the list is open; a horizontal extent that follows the widest item.
//
// List layout with titles: first title, special items, second title, ordinary items.
class XQCMDUTIL_EXPORT XqEditCombox : public CComboBox {
 public:
  XqEditCombox() = default;

  // Stores the texts of the two titles; the list is not touched.
  void SetTitle(const QvString& first, const QvString& second);
  bool HasTitle() const { return m_bHasTitle; }
  // -1 without titles; else the index of the item equal to the first title (searched from the
  // top, case ignored), or of the second title (searched below the first).
  int GetTitlePosition(bool first) const;

  // Adds a special item under the first title (putting the titles in when they are not yet)
  // and its upper-case form among the ordinary items; the special item's index (1), or -1 for
  // a text that is empty once trimmed.
  int AddSpecialItem(const QvString& text);
  // Appends or inserts a text unchanged; the list's answer.
  int AddString(const QvString& text);
  int InsertString(int index, const QvString& text);
  // Inserts an ordinary item, trimmed and in upper case, at its sorted place: its index (the
  // index of the item already there when it is present), or -1 for an empty text.
  int InsertString(const QvString& text);
  void ResetContent();

  // The first ordinary item that begins with (or, when `exact`, equals) the trimmed text, case
  // ignored; false when there is none.
  bool FindContentPostion(const QvString& text, int& pos, bool exact) const;
  // The rows the open list shows without scrolling: the item count, at most 30.
  int GetBestMinItem() const;
  void SetFirstDropDownNotMatch() { m_bFirstDropDownMatched = false; }
  // The width of a text in the control's font: its extent plus the font's average character
  // width; 0 for a null text.
  int GetTextWidth(const wchar_t* text) const;

  XqListBox& GetListBox() { return m_listBox; }
  int GetWidestText() const { return m_nWidestText; }

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  // The sorted range search over [lo, hi]: on success lo == hi names an equal item and
  // hi == lo + 1 the gap the text belongs in.
  bool FindPositionRange(const wchar_t* text, int& lo, int& hi) const;
  void PreSubclassWindow() override;
  int OnCreate(CREATESTRUCT* create) override;
  BOOL OnCommandReflect(UINT code) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT controlType) override;

 private:
  void AttachListBox();
  void Widen(const QvString& text);
  QvString ItemText(int index) const;
  void OnEditChange();
  void OnDropDown();

  bool m_bHasTitle = false;
  bool m_bFirstDropDownMatched = true;
  int m_nWidestText = 0;
  QvString m_strFirstTitle;
  QvString m_strSecondTitle;
  XqListBox m_listBox;
  HWND m_hOwner = nullptr;
};
