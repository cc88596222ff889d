#pragma once

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/win/CFont.h"
#include "sdk/win/CGdiTypes.h"
#include "sdk/win/VexaGdi.h"

class CWnd;

// A device context of the class library. A plain CDC only wraps a handle it was given;
// CPaintDC paints a window (BeginPaint to EndPaint) and CClientDC draws on it outside painting.
class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  virtual ~CDC() = default;

  HDC m_hDC = nullptr;

  BOOL Attach(HDC dc);
  HDC Detach();
  HDC GetSafeHdc() const { return m_hDC; }

  HFONT SelectObject(HFONT font) { return ::SelectObject(m_hDC, font); }
  HFONT SelectObject(CFont* font) { return font ? ::SelectObject(m_hDC, *font) : nullptr; }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

  CSize GetTextExtent(const QvString& text) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const { return ::GetTextMetrics(m_hDC, metrics); }
  int DrawText(const QvString& text, RECT* rect, UINT format) {
    return ::DrawText(m_hDC, text.c_str(), text.length(), rect, format);
  }
  void FillRect(const RECT* rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
  void FillSolidRect(const RECT* rect, COLORREF color);
  void FrameRect(const RECT* rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
  BOOL DrawPicture(const RECT* rect, const std::string& svg) {
    return VexaDrawPicture(m_hDC, rect, svg);
  }
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 private:
  HWND window_;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 private:
  HWND window_;
};
