#pragma once

#include "sdk/db/QvDbEntity.h"

// A viewport of a paper-space layout: a window on the model, placed by its centre, width and
// height on the sheet. The view it shows (its centre, direction, target, height, frozen layers
// ...) is kept as files give it.
class QvDbViewport : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbViewport);

  QvDbViewport() = default;

  QvGePoint3d centerPoint() const;
  Vexa::ErrorStatus setCenterPoint(const QvGePoint3d& center);  // finite
  double width() const;
  double height() const;
  Vexa::ErrorStatus setWidth(double width);  // finite, not negative
  Vexa::ErrorStatus setHeight(double height);

 protected:
  // Moves and scales uniformly without turning (eNotApplicable otherwise).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // Its border.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d center_;
  double width_ = 0.0;
  double height_ = 0.0;
};
