#include "sdk/gi/QvGiDrawable.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvGiDrawable)

void QvGiDrawable::subSetAttributes(QvGiDrawableTraits*) {}

bool QvGiDrawable::subWorldDraw(QvGiWorldDraw*) {
  return true;
}

void QvGiDrawable::subViewportDraw(QvGiViewportDraw*) {}
