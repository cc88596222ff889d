#pragma once

#include "sdk/win/VexaGdi.h"

// A font the object owns (deleted with it), or a stock font it only names.
class CFont {
 public:
  CFont() = default;
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;
  ~CFont() { DeleteObject(); }

  // `height` < 0: the em size in pixels; > 0: the height of a line.
  BOOL CreateFont(int height, int weight, const wchar_t* face);
  // A size in tenths of a point, at 96 pixels an inch.
  BOOL CreatePointFont(int tenthsOfPoint, const wchar_t* face);
  BOOL CreateStockObject(int which);
  BOOL DeleteObject();

  HFONT GetSafeHandle() const { return font_; }
  operator HFONT() const { return font_; }  // NOLINT: as in the class library

 private:
  HFONT font_ = nullptr;
  bool owned_ = false;
};
