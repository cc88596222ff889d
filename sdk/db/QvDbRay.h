#pragma once

#include "sdk/db/QvDbCurve.h"

// A half line from a base point along a unit direction. Its parameter is the distance from
// the base point; it has a start and no end.
class QvDbRay : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbRay);

  QvDbRay() = default;
  QvDbRay(const QvGePoint3d& basePoint, const QvGeVector3d& direction);

  QvGePoint3d basePoint() const;
  Vexa::ErrorStatus setBasePoint(const QvGePoint3d& point);
  QvGeVector3d unitDir() const;
  Vexa::ErrorStatus setUnitDir(const QvGeVector3d& direction);  // normalised; zero refused
  QvGePoint3d secondPoint() const;                              // base + unit direction
  Vexa::ErrorStatus setSecondPoint(const QvGePoint3d& point);

  bool isClosed() const override { return false; }
  // Only backwards, past the base point.
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;  // 0
  Vexa::ErrorStatus reverseCurve() override;               // eNotApplicable

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;  // eInvalidExtents
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d base_;
  QvGeVector3d direction_ = QvGeVector3d::kXAxis;
};
