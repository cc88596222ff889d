#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaWindowTypes.h"

// Drawing objects of the headless window layer. A font is a face, an em size in pixels and a
// weight; a brush is a colour; a device context draws into the recorded surface of one window
// (the list of what was painted there, in client coordinates), which a picture can be made of.
struct HFONT__ {
  QvString face;
  int emPixels = 11;
  int weight = FW_NORMAL;
};
struct HBRUSH__ {
  COLORREF color = 0;
};
struct HDC__ {
  HWND window = nullptr;
  HFONT font = nullptr;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  int bkMode = OPAQUE;
};

// One thing painted on a window's surface.
struct VexaDrawOp {
  enum class Kind { kFill, kFrame, kText, kPicture };
  Kind kind = Kind::kFill;
  RECT rect;            // the filled or framed rectangle; for text the clip rectangle
  COLORREF color = 0;   // fill, frame or text colour
  QvString text;        // text
  std::string picture;  // a picture: its SVG document, scaled into `rect`
  POINT origin;         // text: the left end of its baseline
  int emPixels = 0;     // text: the font's em size
  bool bold = false;    // text: a heavy font
  SIZE extent;          // text: its measured width and line height
  bool opaque = false;  // text: its box is filled with `background` first
  COLORREF background = 0;
};

// The fonts and brushes made by the running host; stock objects live as long as it does.
class VexaGdiObjects : public VexaHostService {
 public:
  VexaGdiObjects();
  HFONT createFont(int height, int weight, const QvString& face);
  HBRUSH createBrush(COLORREF color);
  bool deleteFont(HFONT font);
  bool deleteBrush(HBRUSH brush);
  HFONT guiFont() const { return guiFont_.get(); }
  HBRUSH sysBrush(int index);

  static VexaGdiObjects* current();

 private:
  std::unique_ptr<HFONT__> guiFont_;
  std::vector<std::unique_ptr<HFONT__>> fonts_;
  std::vector<std::unique_ptr<HBRUSH__>> brushes_;
  std::vector<std::pair<int, std::unique_ptr<HBRUSH__>>> sysBrushes_;
};

// `height` < 0 is the em size in pixels, > 0 the height of a line, 0 the GUI font's size.
HFONT CreateFont(int height, int weight, const wchar_t* face);
HFONT GetStockFont(int which);  // DEFAULT_GUI_FONT; null for anything else
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH GetSysColorBrush(int index);
COLORREF GetSysColor(int index);
// Stock fonts and system brushes are not deleted (FALSE).
BOOL DeleteObject(HFONT font);
BOOL DeleteObject(HBRUSH brush);

HFONT SelectObject(HDC dc, HFONT font);  // answers the font it replaces
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
BOOL GetTextExtentPoint32(HDC dc, const wchar_t* text, int count, SIZE* size);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
// One line of text (the formats DT_LEFT, DT_CENTER, DT_RIGHT, DT_VCENTER, DT_SINGLELINE,
// DT_CALCRECT; lines are not broken). Answers the height of the text, 0 on failure; with
// DT_CALCRECT the rectangle gets the text's size and nothing is drawn. `count` -1: up to the 0.
int DrawText(HDC dc, const wchar_t* text, int count, RECT* rect, UINT format);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Draws an SVG document scaled into a rectangle.
BOOL VexaDrawPicture(HDC dc, const RECT* rect, const std::string& svg);

// A context drawing on a window outside painting, and its release.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
// Painting: validates the window, erases its background when asked (WM_ERASEBKGND) and clears
// its surface when the whole client area is repainted.
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
