#pragma once

#include "sdk/db/QvDbCurve.h"

// An unbounded straight line through a base point along a unit direction. Its parameter is
// the signed distance from the base point; it has neither start nor end.
class QvDbXline : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbXline);

  QvDbXline() = default;
  QvDbXline(const QvGePoint3d& basePoint, const QvGeVector3d& direction);

  QvGePoint3d basePoint() const;
  Vexa::ErrorStatus setBasePoint(const QvGePoint3d& point);
  QvGeVector3d unitDir() const;
  Vexa::ErrorStatus setUnitDir(const QvGeVector3d& direction);  // normalised; zero refused
  QvGePoint3d secondPoint() const;
  Vexa::ErrorStatus setSecondPoint(const QvGePoint3d& point);

  bool isClosed() const override { return false; }
  Vexa::ErrorStatus extend(double newParam) override;  // eNotApplicable
  Vexa::ErrorStatus extend(bool extendStart,
                           const QvGePoint3d& toPoint) override;  // eNotApplicable
  Vexa::ErrorStatus getArea(double& area) const override;         // 0
  Vexa::ErrorStatus reverseCurve() override;                      // the direction turns

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
