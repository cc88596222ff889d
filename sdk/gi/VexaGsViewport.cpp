#include "sdk/gi/VexaGsViewport.h"

#include <cmath>

VexaGsViewport::VexaGsViewport() {
  view_.viewport_ = this;
}

Vexa::ErrorStatus VexaGsViewport::setZoom(double displayUnitsPerDrawingUnit) {
  if (!std::isfinite(displayUnitsPerDrawingUnit) || !(displayUnitsPerDrawingUnit > 0.0))
    return Vexa::eInvalidInput;
  zoom_ = displayUnitsPerDrawingUnit;
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaGsViewport::setDisplayCenter(const QvGePoint2d& center) {
  if (!std::isfinite(center.x) || !std::isfinite(center.y)) return Vexa::eInvalidInput;
  displayCenter_ = center;
  return Vexa::eOk;
}

QvGeMatrix3d VexaGsViewport::worldToDisplayMatrix() const {
  return QvGeMatrix3d::translation(QvGeVector3d(displayCenter_.x, displayCenter_.y, 0.0)) *
         QvGeMatrix3d::scaling(zoom_) * view_.worldToEyeMatrix();
}

QvGeMatrix3d VexaGsViewport::displayToWorldMatrix() const {
  return worldToDisplayMatrix().inverse();
}
