#pragma once

#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvGiGeometry;
class QvGiSubEntityTraits;

// The viewport a drawable is drawn for in viewportDraw: its camera and the transform from world
// to eye coordinates (the rows of its rotation are the eye's axes in the world; z points at
// the camera).
class QvGiViewport {
 public:
  virtual ~QvGiViewport() = default;

  virtual QvGeMatrix3d getWorldToEyeTransform() const = 0;
  virtual QvGePoint3d getCameraLocation() const = 0;
  virtual QvGePoint3d getCameraTarget() const = 0;
  // From the target to the camera.
  QvGeVector3d viewDir() const { return getCameraLocation() - getCameraTarget(); }
};

// What a drawable's viewportDraw draws into, once per viewport: the geometry, the traits of the
// primitives that follow, and the viewport.
class QvGiViewportDraw {
 public:
  virtual ~QvGiViewportDraw() = default;

  virtual QvGiGeometry& geometry() const = 0;
  virtual QvGiSubEntityTraits& subEntityTraits() const = 0;
  virtual const QvGiViewport& viewport() const = 0;
};
