#include "cmdutil/geometry/XqTextBox.h"

#include "cmdutil/geometry/XqAlignedUcs.h"

Vexa::ErrorStatus xqTextBoxUcs(const QvGePoint3dArray& box, const QvGePoint3d& origin,
                               const QvGePoint3d* pickPoint, const QvGsView* view,
                               QvGeMatrix3d& ucs) {
  if (pickPoint && !view) return Vexa::eNotApplicable;
  if (box.length() != 4) return Vexa::eNotApplicable;
  return XqAlignedUcs::setFromXY(ucs, origin, box[3] - box[2], box[0] - box[2])
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}
