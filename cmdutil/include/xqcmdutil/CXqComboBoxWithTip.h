#pragma once

#include "sdk/win/CComboBox.h"
#include "sdk/win/CListBox.h"
#include "xqcmdutil/CXqToolTipText.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// The drop-down list of a CXqComboBoxWithTip: shows, after 100 milliseconds, the whole text of
// the item under the mouse when it is too wide for the list.
class XQCMDUTIL_EXPORT CXqComboListBox : public CListBox {
 public:
  // Makes the list's tip and notes the combo box the list belongs to.
  void SetComboBox(CComboBox* combo);
  void hideToolTip();
  CXqToolTipText& GetToolTip() { return m_tip; }

 protected:
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnMouseLeave() override;

 private:
  CXqToolTipText m_tip;
  int m_nLastItem = -1;
  CComboBox* m_pComboBox = nullptr;
};

// A combo box that shows the whole text of its selected item when the mouse is over the closed
// box and the text is too wide for it, and whose drop-down list does the same for its items.
class XQCMDUTIL_EXPORT CXqComboBoxWithTip : public CComboBox {
 public:
  void InitListBox();
  void SetToopTipHasMinLength(int length) { m_tip.SetMinLength(length); }
  CXqComboListBox& GetComboListBox() { return m_listBox; }
  CXqToolTipText& GetToolTip() { return m_tip; }
  bool IsListSubclassed() const { return m_bSubclassed; }
  bool IsTipShowing() const { return m_bTipShowing; }

 protected:
  void PreSubclassWindow() override;
  int OnCreate(CREATESTRUCT* create) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT controlType) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnMouseLeave() override;
  BOOL OnCommandReflect(UINT code) override;

 private:
  void MakeTip();
  void CancelTip();

  CXqComboListBox m_listBox;
  bool m_bSubclassed = false;
  CXqToolTipText m_tip;
  bool m_bTipShowing = false;
};
