#include "xqcmdutil/CXqComboBoxWithTip.h"

#include "cmdutil/controls/XqTipPlacement.h"

namespace {

constexpr UINT kTipId = 0xE001;

// The tip hidden in the owner's tracking leave: the leave from the tip itself always cancels
// it, another leave only while it is not showing.
bool leaveCancels(const MSG& leave, CXqToolTipText& tip) {
  return reinterpret_cast<HWND>(leave.lParam) == tip.m_hWnd || !tip.IsWindowVisible();
}

}  // namespace

void CXqComboListBox::SetComboBox(CComboBox* combo) {
  m_pComboBox = combo;
  if (!m_tip.m_hWnd) m_tip.Create(POINT{0, 0}, this, kTipId);
}

void CXqComboListBox::hideToolTip() {
  if (m_tip.m_hWnd) m_tip.Cancel();
}

void CXqComboListBox::OnMouseMove(UINT flags, CPoint point) {
  CListBox::OnMouseMove(flags, point);
  const int item = GetCurSel();
  if (item == m_nLastItem) return;
  m_nLastItem = item;
  if (!m_tip.m_hWnd || !m_pComboBox || item < 0 || item >= GetCount()) return;
  m_tip.Cancel();
  CString text;
  m_pComboBox->GetLBText(item, text);
  CRect rect;
  GetItemRect(item, &rect);
  ClientToScreen(&rect);
  XqShowTipOver(m_tip, *this, text.toQvString(), rect);
}

void CXqComboListBox::OnMouseLeave() {
  if (m_tip.m_hWnd && leaveCancels(GetCurrentMessage(), m_tip)) m_tip.Cancel();
  CListBox::OnMouseLeave();
}

void CXqComboBoxWithTip::InitListBox() {
  m_bSubclassed = false;
  m_bTipShowing = false;
  m_tip.InitParam();
}

void CXqComboBoxWithTip::MakeTip() {
  if (!m_tip.m_hWnd && m_hWnd) m_tip.Create(POINT{0, 0}, this, kTipId);
}

void CXqComboBoxWithTip::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  COMBOBOXINFO info;
  if (GetComboBoxInfo(&info)) MakeTip();  // a combo box made by a dialog: complete already
}

int CXqComboBoxWithTip::OnCreate(CREATESTRUCT* create) {
  const int result = CComboBox::OnCreate(create);
  if (result != -1) MakeTip();
  return result;
}

void CXqComboBoxWithTip::CancelTip() {
  if (m_tip.m_hWnd) m_tip.Cancel();
  m_bTipShowing = false;
}

HBRUSH CXqComboBoxWithTip::OnCtlColor(CDC* dc, CWnd* child, UINT controlType) {
  if (controlType == CTLCOLOR_LISTBOX) {
    if (!m_bSubclassed && child && m_listBox.SubclassWindow(child->GetSafeHwnd())) {
      m_listBox.SetComboBox(this);
      m_bSubclassed = true;
    }
    if (m_listBox.m_hWnd && !m_listBox.IsWindowEnabled()) m_listBox.EnableWindow(TRUE);
    if (m_bTipShowing) CancelTip();
  }
  return CComboBox::OnCtlColor(dc, child, controlType);
}

void CXqComboBoxWithTip::OnMouseMove(UINT flags, CPoint point) {
  CComboBox::OnMouseMove(flags, point);
  if (m_bTipShowing || !m_tip.m_hWnd) return;
  const int item = GetCurSel();
  if (item < 0) return;
  CString text;
  GetLBText(item, text);
  CRect rect;
  GetClientRect(&rect);
  ClientToScreen(&rect);
  if (XqShowTipOver(m_tip, *this, text.toQvString(), rect)) m_bTipShowing = true;
}

void CXqComboBoxWithTip::OnMouseLeave() {
  if (m_tip.m_hWnd && leaveCancels(GetCurrentMessage(), m_tip)) CancelTip();
  CComboBox::OnMouseLeave();
}

BOOL CXqComboBoxWithTip::OnCommandReflect(UINT code) {
  if (code == CBN_DROPDOWN && m_bTipShowing) CancelTip();
  if (code == CBN_CLOSEUP) m_listBox.hideToolTip();
  return FALSE;  // the dialog hears of both
}
