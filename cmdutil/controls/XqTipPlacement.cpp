#include "cmdutil/controls/XqTipPlacement.h"

namespace {

constexpr UINT kTipDelay = 100;

}  // namespace

bool XqShowTipOver(CXqToolTipText& tip, CWnd& control, const QvString& text, const RECT& screen) {
  CClientDC dc(&control);
  if (const HFONT font = control.GetFont()) dc.SelectObject(font);
  if (dc.GetTextExtent(text).cx < screen.right - screen.left) return false;
  tip.SetWindowText(text.c_str());
  tip.SetWindowPos(nullptr, screen.left - 1, screen.top - 1, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  tip.ShowDelayed(kTipDelay);
  tip.EnableWindow(TRUE);
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = control.m_hWnd;
  TrackMouseEvent(&track);
  return true;
}
