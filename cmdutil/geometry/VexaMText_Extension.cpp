#include "cmdutil/geometry/VexaMText_Extension.h"

#include "cmdutil/geometry/XqTextBox.h"
#include "sdk/db/QvDbMText.h"

Vexa::ErrorStatus VexaMText_Extension::getAlignedUCS(QvDbEntity* entity,
                                                     const QvGePoint3d* pickPoint, QvGsView* view,
                                                     QvGeMatrix3d& ucs) {
  const QvDbMText* mtext = QvDbMText::cast(entity);
  if (!mtext) return Vexa::eNotApplicable;
  QvGePoint3dArray box;
  if (mtext->getBoundingPoints(box) != Vexa::eOk || box.length() != 4) return Vexa::eNotApplicable;
  return xqTextBoxUcs(box, box[0], pickPoint, view, ucs);
}

Vexa::ErrorStatus VexaMText_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbMText* mtext = QvDbMText::cast(entity);
  if (!mtext) return Vexa::eNotApplicable;
  point = mtext->location();
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaMText_Extension::extendedBoundingBoxIntersectWith(
    QvDbEntity* entity, QvDbEntity* otherEntity, QvDb::Intersect intersectMode,
    QvGePoint3dArray& points, const QvGePlane& plane, bool usePlane) {
  const QvDbMText* mtext = QvDbMText::cast(entity);
  if (!mtext) return Vexa::eNotApplicable;
  QvGePoint3dArray box;
  if (mtext->getBoundingPoints(box) != Vexa::eOk) return Vexa::eNotApplicable;
  return xqTextBoxIntersections(box, otherEntity, mtext->textHeight() / 3.0, intersectMode, points,
                                plane, usePlane);
}
