#include "sdk/app/VexaGraphics.h"
#include "sdk/gi/QvGsView.h"
#include "sdk/gi/VexaGsViewport.h"
#include "xqcmdutil/XqUcsTransforms.h"

QvGePoint2d vexaWcsToDcsTransf(const QvGePoint3d& p, const QvGsView* view) {
  const VexaGsViewport* viewport = view ? view->viewport() : nullptr;
  if (!viewport) return QvGePoint2d::kOrigin;
  const QvGePoint3d display = QvGePoint3d(p).transformBy(viewport->worldToDisplayMatrix());
  return QvGePoint2d(display.x, display.y);
}

QvGsView* vexaGetActiveQvGsView() {
  VexaGraphics* graphics = GetActiveGraphics();
  return graphics ? graphics->activeViewport()->gsView() : nullptr;
}
