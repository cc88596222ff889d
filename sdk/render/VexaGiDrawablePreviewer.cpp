#include "sdk/render/VexaGiDrawablePreviewer.h"

#include <algorithm>
#include <sstream>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerStates.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/render/QvGiSvgCanvas.h"
#include "sdk/render/QvGiSvgWorldDraw.h"
#include "sdk/win/VexaGdi.h"
#include "sdk/win/VexaWinUser.h"

namespace {

QvDbObjectId layerZero(QvDbDatabase* db) {
  QvDbObjectId id;
  if (!db) return id;
  QvDbObjectPointer<QvDbLayerTable> table(db->layerTableId(), QvDb::kForRead);
  if (table) table->getAt(L"0", id);
  return id;
}

// Draws the drawables on a canvas.
void drawAll(QvGiSvgCanvas& canvas, QvDbDatabase* db, const QvArray<QvGiDrawable*>& drawables) {
  QvDbLayerStates layers;
  QvGiSvgWorldDraw drawer(canvas, layers, layerZero(db));
  for (int i = 0; i < drawables.length(); ++i)
    if (drawables[i]) drawer.drawTopLevel(drawables[i]);
}

}  // namespace

VexaGiDrawablePreviewer::VexaGiDrawablePreviewer(HWND window, QvDbDatabase* db,
                                                 const QvArray<QvGiDrawable*>& drawables,
                                                 const QvGePoint2d& origin,
                                                 const QvGeVector2d& size, bool flag)
    : window_(window),
      db_(db),
      drawables_(drawables),
      flag_(flag),
      view_{origin.x, origin.y, origin.x + size.x, origin.y + size.y} {
  RECT client;
  if (GetClientRect(window, &client)) {
    width_ = std::max(1L, client.right);
    height_ = std::max(1L, client.bottom);
  }
}

void VexaGiDrawablePreviewer::destroy() {
  window_ = nullptr;
  drawables_.setLogicalLength(0);
  frame_.clear();
}

void VexaGiDrawablePreviewer::fitView() {
  QvGiSvgCanvas canvas;
  drawAll(canvas, db_, drawables_);
  QvGiSvgCanvas::View fitted;
  if (canvas.fit(width_, height_, fitted)) view_ = fitted.box;  // else nothing has extents
}

void VexaGiDrawablePreviewer::zoomExtents() {
  if (!window_) return;
  fitted_ = true;
  fitView();
  invalid_ = true;
}

void VexaGiDrawablePreviewer::invalidate(bool) {
  if (!window_) return;
  ++invalidations_;
  invalid_ = true;
  InvalidateRect(window_, nullptr, FALSE);
}

void VexaGiDrawablePreviewer::setSize(int width, int height) {
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  if (fitted_) fitView();
  invalid_ = true;
}

std::string VexaGiDrawablePreviewer::render() const {
  QvGiSvgCanvas canvas;
  drawAll(canvas, db_, drawables_);
  QvGiSvgCanvas::View view;
  view.box = view_;
  view.pixelWidth = width_;
  view.pixelHeight = height_;
  std::ostringstream out;
  canvas.write(out, L"preview", &view);
  return out.str();
}

void VexaGiDrawablePreviewer::update() {
  if (!window_ || !IsWindow(window_)) return;
  ++updates_;
  if (invalid_ || frame_.empty()) {
    frame_ = render();
    ++frames_;
    invalid_ = false;
  }
  const HDC dc = GetDC(window_);
  const RECT rect{0, 0, width_, height_};
  VexaDrawPicture(dc, &rect, frame_);
  ReleaseDC(window_, dc);
}
