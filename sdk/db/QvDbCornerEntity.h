#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/detail/Quadrilateral.h"

// What solids and traces share: four corners kept in the order given (corners 1, 2, 3, 4,
// where 1-2-4-3 goes round the filled area; a triangle repeats its third corner), the normal
// of their plane and a thickness. Not a class of the host's class tree: casts and class tests
// see QvDbSolid and QvDbTrace only.
class QvDbCornerEntity : public QvDbEntity {
 public:
  // Corner index 0 to 3 (eInvalidIndex otherwise).
  Vexa::ErrorStatus getPointAt(int index, QvGePoint3d& point) const;
  Vexa::ErrorStatus setPointAt(int index, const QvGePoint3d& point);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);

 protected:
  QvDbCornerEntity() = default;
  QvDbCornerEntity(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
                   const QvGePoint3d& p3);
  QvDbCornerEntity(const QvDbCornerEntity&) = default;
  QvDbCornerEntity& operator=(const QvDbCornerEntity&) = default;

  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The four corners in stored order.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // The edges round the area.
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // A filled polygon.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  qvdb_detail::Quadrilateral quad_;
};
