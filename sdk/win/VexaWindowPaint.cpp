// Invalidation and painting of the headless window layer.
#include <algorithm>

#include "sdk/win/VexaWindowRegistry.h"

namespace {

bool covers(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

bool VexaWindowRegistry::invalidate(HWND window, const RECT* rect, bool erase) {
  Window* w = find(window);
  if (!w) return false;
  RECT client;
  clientRect(window, &client);
  RECT r = rect ? *rect : client;
  r.left = std::max(r.left, client.left);
  r.top = std::max(r.top, client.top);
  r.right = std::min(r.right, client.right);
  r.bottom = std::min(r.bottom, client.bottom);
  if (r.left >= r.right || r.top >= r.bottom) return true;  // nothing of it shows
  if (w->invalid) {
    r.left = std::min(r.left, w->invalidRect.left);
    r.top = std::min(r.top, w->invalidRect.top);
    r.right = std::max(r.right, w->invalidRect.right);
    r.bottom = std::max(r.bottom, w->invalidRect.bottom);
  }
  w->invalid = true;
  w->invalidRect = r;
  w->erase = w->erase || erase;
  return true;
}

bool VexaWindowRegistry::update(HWND window) {
  const Window* w = find(window);
  if (!w) return false;
  if (w->invalid && isVisible(window)) {
    send(window, WM_PAINT, 0, 0);
    if (Window* again = find(window)) again->invalid = false;
  }
  return true;
}

bool VexaWindowRegistry::isInvalid(HWND window) const {
  const Window* w = find(window);
  return w && w->invalid;
}

HDC VexaWindowRegistry::makeDC(HWND window) {
  auto dc = std::make_unique<HDC__>();
  dc->window = window;
  dc->font = font(window);
  dc->textColor = GetSysColor(COLOR_WINDOWTEXT);
  dc->bkColor = GetSysColor(COLOR_WINDOW);
  dcs_.push_back(std::move(dc));
  return dcs_.back().get();
}

HDC VexaWindowRegistry::beginPaint(HWND window, PAINTSTRUCT* paint) {
  Window* w = find(window);
  if (!w || !paint) return nullptr;
  RECT client;
  clientRect(window, &client);
  paint->rcPaint = w->invalid ? w->invalidRect : RECT{};
  paint->fErase = FALSE;
  const bool erase = w->invalid && w->erase;
  if (w->invalid && covers(w->invalidRect, client)) w->surface.clear();
  w->invalid = false;
  w->erase = false;
  ++w->paints;
  paint->hdc = makeDC(window);
  if (erase)
    paint->fErase =
        send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) ? FALSE : TRUE;
  return paint->hdc;
}

bool VexaWindowRegistry::endPaint(HWND window, const PAINTSTRUCT* paint) {
  return paint && releaseDC(window, paint->hdc);
}

HDC VexaWindowRegistry::getDC(HWND window) {
  return find(window) ? makeDC(window) : nullptr;
}

bool VexaWindowRegistry::releaseDC(HWND window, HDC dc) {
  return std::erase_if(dcs_, [&](const std::unique_ptr<HDC__>& d) {
           return d.get() == dc && d->window == window;
         }) != 0;
}

const std::vector<VexaDrawOp>* VexaWindowRegistry::surface(HWND window) const {
  const Window* w = find(window);
  return w ? &w->surface : nullptr;
}

std::vector<VexaDrawOp>* VexaWindowRegistry::surface(HWND window) {
  Window* w = find(window);
  return w ? &w->surface : nullptr;
}

int VexaWindowRegistry::paintCount(HWND window) const {
  const Window* w = find(window);
  return w ? w->paints : 0;
}
