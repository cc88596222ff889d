#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class VexaGsViewport;

// A graphics view: a parallel projection seen from the camera position toward the target, with
// an up vector across the view direction. A view shown on screen belongs to a host viewport
// (viewport()); a view made on its own has none.
class QvGsView {
 public:
  // The plan view: camera at (0, 0, 1) over the origin, world Y up.
  QvGsView() = default;
  QvGsView(const QvGsView& other);
  QvGsView& operator=(const QvGsView& other);

  QvGePoint3d position() const { return position_; }
  QvGePoint3d target() const { return target_; }
  // Unit, across the view direction.
  QvGeVector3d upVector() const { return upVector_; }
  // target - position.
  QvGeVector3d viewDirection() const { return target_ - position_; }

  // eInvalidInput, view unchanged, when the camera stands on the target, a value is not finite
  // or the up vector has no part across the view direction; the part along it is dropped.
  Vexa::ErrorStatus setView(const QvGePoint3d& position, const QvGePoint3d& target,
                            const QvGeVector3d& upVector);

  // World to eye coordinates: origin at the target, x to the right, y up, z toward the camera.
  QvGeMatrix3d worldToEyeMatrix() const;

  // The host viewport that shows the view; null for a view of its own.
  VexaGsViewport* viewport() const { return viewport_; }

 private:
  friend class VexaGsViewport;

  QvGePoint3d position_{0.0, 0.0, 1.0};
  QvGePoint3d target_;
  QvGeVector3d upVector_ = QvGeVector3d::kYAxis;
  VexaGsViewport* viewport_ = nullptr;
};
