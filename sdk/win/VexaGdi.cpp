#include "sdk/win/VexaGdi.h"

#include <algorithm>
#include <cwchar>

#include "sdk/win/VexaFontEngine.h"
#include "sdk/win/VexaWindowRegistry.h"

namespace {

constexpr int kGuiFontEm = 11;

struct SysColor {
  int index;
  COLORREF color;
};
constexpr SysColor kSysColors[] = {
    {COLOR_WINDOW, RGB(255, 255, 255)},   {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(0, 120, 215)},  {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},  {COLOR_BTNSHADOW, RGB(160, 160, 160)},
    {COLOR_GRAYTEXT, RGB(109, 109, 109)}, {COLOR_INFOTEXT, RGB(0, 0, 0)},
    {COLOR_INFOBK, RGB(255, 255, 225)},
};

HFONT fontOf(HDC dc) {
  if (dc && dc->font) return dc->font;
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi ? gdi->guiFont() : nullptr;
}

bool live(HDC dc) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return dc && windows && windows->isWindow(dc->window);
}

void record(HDC dc, VexaDrawOp op) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  if (!windows || !dc) return;
  if (std::vector<VexaDrawOp>* surface = windows->surface(dc->window))
    surface->push_back(std::move(op));
}

}  // namespace

VexaGdiObjects::VexaGdiObjects()
    : guiFont_(std::make_unique<HFONT__>(HFONT__{L"DejaVu Sans", kGuiFontEm, FW_NORMAL})) {}

HFONT VexaGdiObjects::createFont(int height, int weight, const QvString& face) {
  int em = kGuiFontEm;
  if (height < 0) em = -height;
  if (height > 0) {
    // A line of DejaVu Sans is 1.164 em high.
    em = std::max(1, static_cast<int>(height / 1.164 + 0.5));
  }
  fonts_.push_back(std::make_unique<HFONT__>(
      HFONT__{face.isEmpty() ? QvString(L"DejaVu Sans") : face, em, weight}));
  return fonts_.back().get();
}

HBRUSH VexaGdiObjects::createBrush(COLORREF color) {
  brushes_.push_back(std::make_unique<HBRUSH__>(HBRUSH__{color}));
  return brushes_.back().get();
}

bool VexaGdiObjects::deleteFont(HFONT font) {
  return std::erase_if(fonts_, [&](const auto& f) { return f.get() == font; }) != 0;
}

bool VexaGdiObjects::deleteBrush(HBRUSH brush) {
  return std::erase_if(brushes_, [&](const auto& b) { return b.get() == brush; }) != 0;
}

HBRUSH VexaGdiObjects::sysBrush(int index) {
  for (const auto& [i, brush] : sysBrushes_)
    if (i == index) return brush.get();
  sysBrushes_.emplace_back(index, std::make_unique<HBRUSH__>(HBRUSH__{GetSysColor(index)}));
  return sysBrushes_.back().second.get();
}

VexaGdiObjects* VexaGdiObjects::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaGdiObjects>() : nullptr;
}

HFONT CreateFont(int height, int weight, const wchar_t* face) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi ? gdi->createFont(height, weight, face) : nullptr;
}

HFONT GetStockFont(int which) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi && which == DEFAULT_GUI_FONT ? gdi->guiFont() : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi ? gdi->createBrush(color) : nullptr;
}

HBRUSH GetSysColorBrush(int index) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi ? gdi->sysBrush(index) : nullptr;
}

COLORREF GetSysColor(int index) {
  for (const SysColor& c : kSysColors)
    if (c.index == index) return c.color;
  return 0;
}

BOOL DeleteObject(HFONT font) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi && gdi->deleteFont(font);
}

BOOL DeleteObject(HBRUSH brush) {
  VexaGdiObjects* gdi = VexaGdiObjects::current();
  return gdi && gdi->deleteBrush(brush);
}

HFONT SelectObject(HDC dc, HFONT font) {
  if (!dc || !font) return nullptr;
  const HFONT previous = fontOf(dc);
  dc->font = font;
  return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!dc) return 0;
  return std::exchange(dc->textColor, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (!dc) return 0;
  return std::exchange(dc->bkColor, color);
}

int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->bkMode, mode);
}

BOOL GetTextExtentPoint32(HDC dc, const wchar_t* text, int count, SIZE* size) {
  VexaFontEngine* fonts = VexaFontEngine::current();
  const HFONT font = fontOf(dc);
  if (!dc || !text || !size || !fonts || !font || count < 0) return FALSE;
  *size = fonts->measure(QvString(text, count), font->emPixels, font->weight >= FW_BOLD);
  return TRUE;
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  VexaFontEngine* fonts = VexaFontEngine::current();
  const HFONT font = fontOf(dc);
  if (!dc || !metrics || !fonts || !font) return FALSE;
  *metrics = fonts->metrics(font->emPixels, font->weight >= FW_BOLD);
  return TRUE;
}

int DrawText(HDC dc, const wchar_t* text, int count, RECT* rect, UINT format) {
  VexaFontEngine* fonts = VexaFontEngine::current();
  const HFONT font = fontOf(dc);
  if (!dc || !text || !rect || !fonts || !font) return 0;
  const QvString line(text, count < 0 ? static_cast<int>(std::wcslen(text)) : count);
  const bool bold = font->weight >= FW_BOLD;
  const SIZE extent = fonts->measure(line, font->emPixels, bold);
  const TEXTMETRIC tm = fonts->metrics(font->emPixels, bold);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + extent.cx;
    rect->bottom = rect->top + extent.cy;
    return extent.cy;
  }
  if (!live(dc)) return 0;
  VexaDrawOp op;
  op.kind = VexaDrawOp::Kind::kText;
  op.rect = *rect;
  op.color = dc->textColor;
  op.text = line;
  op.emPixels = font->emPixels;
  op.bold = bold;
  op.extent = extent;
  op.opaque = dc->bkMode == OPAQUE;
  op.background = dc->bkColor;
  long x = rect->left;
  if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - extent.cx) / 2;
  if (format & DT_RIGHT) x = rect->right - extent.cx;
  long top = rect->top;
  if ((format & DT_VCENTER) && (format & DT_SINGLELINE))
    top = rect->top + (rect->bottom - rect->top - extent.cy) / 2;
  op.origin = POINT{x, top + tm.tmAscent};
  record(dc, std::move(op));
  return extent.cy;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!live(dc) || !rect || !brush) return 0;
  VexaDrawOp op;
  op.kind = VexaDrawOp::Kind::kFill;
  op.rect = *rect;
  op.color = brush->color;
  record(dc, std::move(op));
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!live(dc) || !rect || !brush) return 0;
  VexaDrawOp op;
  op.kind = VexaDrawOp::Kind::kFrame;
  op.rect = *rect;
  op.color = brush->color;
  record(dc, std::move(op));
  return 1;
}

BOOL VexaDrawPicture(HDC dc, const RECT* rect, const std::string& svg) {
  if (!live(dc) || !rect) return FALSE;
  VexaDrawOp op;
  op.kind = VexaDrawOp::Kind::kPicture;
  op.rect = *rect;
  op.picture = svg;
  record(dc, std::move(op));
  return TRUE;
}

HDC GetDC(HWND window) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows ? windows->getDC(window) : nullptr;
}

int ReleaseDC(HWND window, HDC dc) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows && windows->releaseDC(window, dc);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows ? windows->beginPaint(window, paint) : nullptr;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  return windows && windows->endPaint(window, paint);
}
