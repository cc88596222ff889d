#pragma once

#include "cmdutil/geometry/VexaEntity_Extension.h"

// The entity protocol extension of texts (QvDbText).
class VexaText_Extension : public VexaEntity_Extension {
 public:
  Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint, QvGsView* view,
                                  QvGeMatrix3d& ucs) override;
  Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point) override;
  Vexa::ErrorStatus extendedBoundingBoxIntersectWith(QvDbEntity* entity, QvDbEntity* otherEntity,
                                                     QvDb::Intersect intersectMode,
                                                     QvGePoint3dArray& points,
                                                     const QvGePlane& plane,
                                                     bool usePlane) override;
};
