#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/gi/QvGsView.h"

// A viewport of the host's graphics: it shows its view at a zoom (display units per drawing
// unit) with the view's target at a point of the display. Display coordinates run x to the
// right and y up. The default, a plan view at zoom 1 with the target at the display origin,
// maps the world XY plane onto the display unchanged.
class VexaGsViewport {
 public:
  VexaGsViewport();
  VexaGsViewport(const VexaGsViewport&) = delete;
  VexaGsViewport& operator=(const VexaGsViewport&) = delete;

  QvGsView* gsView() { return &view_; }
  const QvGsView* gsView() const { return &view_; }

  double zoom() const { return zoom_; }
  // eInvalidInput, nothing changed, for a zoom that is not a positive finite number.
  Vexa::ErrorStatus setZoom(double displayUnitsPerDrawingUnit);
  QvGePoint2d displayCenter() const { return displayCenter_; }
  // eInvalidInput, nothing changed, for a point that is not finite.
  Vexa::ErrorStatus setDisplayCenter(const QvGePoint2d& center);

  // World to display: the view's eye coordinates scaled by the zoom and moved to the display
  // center; the third coordinate is the depth toward the camera.
  QvGeMatrix3d worldToDisplayMatrix() const;
  QvGeMatrix3d displayToWorldMatrix() const;

 private:
  QvGsView view_;
  double zoom_ = 1.0;
  QvGePoint2d displayCenter_;
};
