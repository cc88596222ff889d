#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/CWnd.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// A small borderless pop-up that shows one line of text after a delay: the whole text of an
// item too wide for its control. Setting its text (SetWindowText) sizes it to the text in the
// GUI font plus 6 pixels, or to its owner's width when a minimum length is set and the text is
// narrower; texts over 300 characters are cut to 300 and end in "...".
//
// Leaving the tip, or pressing a mouse button on it, sends its owner WM_MOUSELEAVE with the
// tip's handle in lParam; a press is then passed on to the owner, at the same place on the
// screen, so that a click on the tip acts on the item below it.
class XQCMDUTIL_EXPORT CXqToolTipText : public CWnd {
 public:
  static constexpr int kMaxTextLength = 300;
  static constexpr UINT_PTR kShowTimer = 1;

  CXqToolTipText(int firstFlag = 0, int secondFlag = 0)
      : m_nFirstFlag(firstFlag), m_nSecondFlag(secondFlag) {}

  // Makes the tip (hidden) at a screen point, 200 by 20 pixels, as a topmost tool window
  // owned by `owner`; its window class is registered once.
  BOOL Create(POINT point, CWnd* owner, UINT id);
  // Shows the tip after `ms` milliseconds (at once for 0).
  void ShowDelayed(UINT ms);
  // Stops a pending show and hides the tip.
  void Cancel();
  void SetMinLength(int length) { m_nMinLength = length; }
  void InitParam();

  // The text as shown: cut at 300 characters, with "..." after a cut.
  static QvString DisplayText(const QvString& text);
  bool IsTracking() const { return m_bTracking; }
  int GetFirstFlag() const { return m_nFirstFlag; }
  int GetSecondFlag() const { return m_nSecondFlag; }

  static const wchar_t* ClassName() { return L"XqToolTipText"; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnMouseLeave() override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;

 private:
  void FitToText();
  void ShowNow();
  void LeaveOwner();
  void ForwardPress(UINT message, UINT flags, CPoint point);

  HWND m_hOwner = nullptr;
  bool m_bTracking = false;
  int m_nFirstFlag;
  int m_nSecondFlag;
  int m_nMinLength = 0;
};
