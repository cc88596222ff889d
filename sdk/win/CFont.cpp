#include "sdk/win/CFont.h"

BOOL CFont::CreateFont(int height, int weight, const wchar_t* face) {
  if (font_) return FALSE;
  font_ = ::CreateFont(height, weight, face);
  owned_ = font_ != nullptr;
  return owned_;
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const wchar_t* face) {
  // Points to pixels at 96 per inch, rounded.
  return CreateFont(-((tenthsOfPoint * 96 + 360) / 720), FW_NORMAL, face);
}

BOOL CFont::CreateStockObject(int which) {
  if (font_) return FALSE;
  font_ = GetStockFont(which);
  owned_ = false;
  return font_ != nullptr;
}

BOOL CFont::DeleteObject() {
  if (!font_) return FALSE;
  const BOOL deleted = owned_ ? ::DeleteObject(font_) : TRUE;
  font_ = nullptr;
  owned_ = false;
  return deleted;
}
