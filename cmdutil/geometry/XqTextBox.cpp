#include "cmdutil/geometry/XqTextBox.h"

#include <utility>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "xqcmdutil/XqDbUtil.h"

Vexa::ErrorStatus xqTextBoxUcs(const QvGePoint3dArray& box, const QvGePoint3d& origin,
                               const QvGePoint3d* pickPoint, const QvGsView* view,
                               QvGeMatrix3d& ucs) {
  if (const Vexa::ErrorStatus es = XqAlignedUcs::checkPick(pickPoint, view); es != Vexa::eOk)
    return es;
  if (box.length() != 4) return Vexa::eNotApplicable;
  return XqAlignedUcs::setFromXY(ucs, origin, box[3] - box[2], box[0] - box[2])
             ? Vexa::eOk
             : Vexa::eNotApplicable;
}

Vexa::ErrorStatus xqTextBoxIntersections(QvGePoint3dArray box, const QvDbEntity* other,
                                         double margin, QvDb::Intersect intersectMode,
                                         QvGePoint3dArray& points, const QvGePlane& plane,
                                         bool usePlane) {
  if (!other || box.length() != 4) return Vexa::eNotApplicable;
  // Bottom right before bottom left: the corners in turn, the last the one the sides leave.
  std::swap(box[2], box[3]);
  return XqDbUtil::getExtendedIntPtsWithEnt(box, other, margin, intersectMode, points, plane,
                                            usePlane);
}
