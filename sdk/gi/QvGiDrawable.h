#pragma once

#include "sdk/rx/QvRxObject.h"

class QvGiWorldDraw;
class QvGiViewportDraw;

// Something the graphics system can draw: every database object, and the drawables handed to
// the previewer. Drawing asks worldDraw first; when it answers false, viewportDraw is asked
// once per viewport for what depends on the view.
class QvGiDrawable : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvGiDrawable);

  bool worldDraw(QvGiWorldDraw* wd) { return subWorldDraw(wd); }
  void viewportDraw(QvGiViewportDraw* vd) { subViewportDraw(vd); }

 protected:
  // True when the drawing is complete without viewportDraw.
  virtual bool subWorldDraw(QvGiWorldDraw* wd);
  virtual void subViewportDraw(QvGiViewportDraw* vd);
};
