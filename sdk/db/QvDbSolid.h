#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/detail/Quadrilateral.h"

// A filled area of three or four corners (a triangle repeats its third corner), kept in the
// order given: corners 1, 2, 3, 4 where 1-2-4-3 goes round the area.
class QvDbSolid : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbSolid);

  QvDbSolid() = default;
  QvDbSolid(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
            const QvGePoint3d& p3);
  QvDbSolid(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2);

  // Corner index 0 to 3 (eInvalidIndex otherwise).
  Vexa::ErrorStatus getPointAt(int index, QvGePoint3d& point) const;
  Vexa::ErrorStatus setPointAt(int index, const QvGePoint3d& point);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The four corners in stored order.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  qvdb_detail::Quadrilateral quad_;
};
