#include "sdk/win/CDC.h"

#include "sdk/win/CWnd.h"

BOOL CDC::Attach(HDC dc) {
  if (m_hDC || !dc) return FALSE;
  m_hDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  const HDC dc = m_hDC;
  m_hDC = nullptr;
  return dc;
}

CSize CDC::GetTextExtent(const QvString& text) const {
  SIZE size;
  if (!GetTextExtentPoint32(m_hDC, text.c_str(), text.length(), &size)) return CSize();
  return size;
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
  const HBRUSH brush = CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  DeleteObject(brush);
}

CPaintDC::CPaintDC(CWnd* window) : window_(window ? window->GetSafeHwnd() : nullptr) {
  m_hDC = BeginPaint(window_, &m_ps);
}

CPaintDC::~CPaintDC() {
  if (m_hDC) EndPaint(window_, &m_ps);
}

CClientDC::CClientDC(CWnd* window) : window_(window ? window->GetSafeHwnd() : nullptr) {
  m_hDC = GetDC(window_);
}

CClientDC::~CClientDC() {
  if (m_hDC) ReleaseDC(window_, m_hDC);
}
