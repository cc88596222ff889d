#include "cmdutil/geometry/VexaText_Extension.h"

#include "cmdutil/geometry/XqTextBox.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTextImp.h"

namespace {

// The bounding points through the text's implementation object.
Vexa::ErrorStatus boundingPoints(const QvDbText& text, QvGePoint3dArray& points) {
  const auto* imp = dynamic_cast<const QvDbTextImp*>(QvDbSystemInternals::getImpObject(&text));
  if (!imp) return Vexa::eNotApplicable;
  return imp->getBoundingPoints(points);
}

}  // namespace

Vexa::ErrorStatus VexaText_Extension::getAlignedUCS(QvDbEntity* entity,
                                                    const QvGePoint3d* pickPoint, QvGsView* view,
                                                    QvGeMatrix3d& ucs) {
  const QvDbText* text = QvDbText::cast(entity);
  if (!text) return Vexa::eNotApplicable;
  QvGePoint3dArray box;
  if (boundingPoints(*text, box) != Vexa::eOk || box.length() != 4) return Vexa::eNotApplicable;
  return xqTextBoxUcs(box, box[2], pickPoint, view, ucs);
}

Vexa::ErrorStatus VexaText_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbText* text = QvDbText::cast(entity);
  if (!text) return Vexa::eNotApplicable;
  point = text->position();
  return Vexa::eOk;
}

Vexa::ErrorStatus VexaText_Extension::extendedBoundingBoxIntersectWith(
    QvDbEntity* entity, QvDbEntity* otherEntity, QvDb::Intersect intersectMode,
    QvGePoint3dArray& points, const QvGePlane& plane, bool usePlane) {
  const QvDbText* text = QvDbText::cast(entity);
  if (!text) return Vexa::eNotApplicable;
  QvGePoint3dArray box;
  if (boundingPoints(*text, box) != Vexa::eOk) return Vexa::eNotApplicable;
  return xqTextBoxIntersections(box, otherEntity, text->height() * 7.0 / 24.0, intersectMode,
                                points, plane, usePlane);
}
