#pragma once

#include "sdk/rx/QvRxObject.h"

class QvGiDrawableTraits;
class QvGiWorldDraw;
class QvGiViewportDraw;

// Something the graphics system can draw: every database object, and the drawables handed to
// the previewer. A drawer first lets the drawable set its traits (setAttributes: colour, layer,
// linetype), then asks worldDraw; when that answers false, viewportDraw is asked once per
// viewport for what depends on the view.
class QvGiDrawable : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvGiDrawable);

  void setAttributes(QvGiDrawableTraits* traits) { subSetAttributes(traits); }
  bool worldDraw(QvGiWorldDraw* wd) { return subWorldDraw(wd); }
  void viewportDraw(QvGiViewportDraw* vd) { subViewportDraw(vd); }

 protected:
  // Writes the drawable's own traits; the base sets none.
  virtual void subSetAttributes(QvGiDrawableTraits* traits);
  // True when the drawing is complete without viewportDraw.
  virtual bool subWorldDraw(QvGiWorldDraw* wd);
  virtual void subViewportDraw(QvGiViewportDraw* vd);
};
