#include "xqcmdutil/CXqToolTipText.h"

namespace {

constexpr int kInitialWidth = 200;
constexpr int kInitialHeight = 20;
constexpr int kTextMargin = 6;

}  // namespace

QvString CXqToolTipText::DisplayText(const QvString& text) {
  if (text.length() <= kMaxTextLength) return text;
  return text.left(kMaxTextLength) + L"...";
}

BOOL CXqToolTipText::Create(POINT point, CWnd* owner, UINT id) {
  WNDCLASS cls;
  if (!GetClassInfo(ClassName(), &cls)) {
    cls = WNDCLASS();  // no cursor, brush or icon
    cls.lpfnWndProc = &::DefWindowProc;
    cls.lpszClassName = ClassName();
    if (!RegisterClass(&cls)) return FALSE;
  }
  m_hOwner = owner ? owner->GetSafeHwnd() : nullptr;
  const RECT rect{point.x, point.y, point.x + kInitialWidth, point.y + kInitialHeight};
  return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName(), L"", WS_POPUP | WS_BORDER, rect,
                  owner, static_cast<int>(id));
}

void CXqToolTipText::InitParam() {
  m_bTracking = false;
  m_nFirstFlag = 1;
  m_nSecondFlag = 1;
}

void CXqToolTipText::ShowDelayed(UINT ms) {
  if (ms == 0)
    ShowNow();
  else
    SetTimer(kShowTimer, ms);
}

void CXqToolTipText::ShowNow() {
  ShowWindow(SW_SHOWNOACTIVATE);
  Invalidate();
  UpdateWindow();
  KillTimer(kShowTimer);
}

void CXqToolTipText::Cancel() {
  KillTimer(kShowTimer);
  ShowWindow(SW_HIDE);
}

void CXqToolTipText::FitToText() {
  CClientDC dc(this);
  dc.SelectObject(GetStockFont(DEFAULT_GUI_FONT));
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  int width = static_cast<int>(dc.GetTextExtent(DisplayText(GetWindowText().toQvString())).cx) +
              kTextMargin;
  if (m_nMinLength != 0 && m_hOwner) {
    RECT owner;
    ::GetWindowRect(m_hOwner, &owner);
    width = std::max(width, static_cast<int>(owner.right - owner.left));
  }
  // One line of text, with a pixel above and below it and the border around.
  const int height = static_cast<int>(tm.tmHeight) + 4;
  SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CXqToolTipText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
  if (message == WM_SETTEXT && m_hWnd) FitToText();
  return result;
}

void CXqToolTipText::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillRect(&client, GetSysColorBrush(COLOR_INFOBK));
  client.top -= 1;
  client.bottom += 1;
  dc.SelectObject(GetStockFont(DEFAULT_GUI_FONT));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
  dc.DrawText(DisplayText(GetWindowText().toQvString()), &client,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void CXqToolTipText::OnTimer(UINT_PTR id) {
  if (id == kShowTimer)
    ShowNow();
  else
    CWnd::OnTimer(id);
}

void CXqToolTipText::OnMouseMove(UINT flags, CPoint point) {
  if (!m_bTracking) {
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    m_bTracking = TrackMouseEvent(&track) != 0;
  }
  CWnd::OnMouseMove(flags, point);
}

void CXqToolTipText::LeaveOwner() {
  m_bTracking = false;
  if (m_hOwner) ::SendMessage(m_hOwner, WM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(m_hWnd));
}

void CXqToolTipText::OnMouseLeave() {
  LeaveOwner();
}

// The press goes to the owner at the same place on the screen, so it lands on what lies under
// the tip (not at the tip's own client coordinates, which mean nothing to the owner).
void CXqToolTipText::ForwardPress(UINT message, UINT flags, CPoint point) {
  const HWND owner = m_hOwner;
  POINT p = point;
  ClientToScreen(&p);
  LeaveOwner();
  if (!owner || !IsWindow(owner)) return;
  ::ScreenToClient(owner, &p);
  ::SendMessage(owner, message, flags, MAKELPARAM(p.x, p.y));
}

void CXqToolTipText::OnLButtonDown(UINT flags, CPoint point) {
  ForwardPress(WM_LBUTTONDOWN, flags, point);
}

void CXqToolTipText::OnRButtonDown(UINT flags, CPoint point) {
  ForwardPress(WM_RBUTTONDOWN, flags, point);
}
