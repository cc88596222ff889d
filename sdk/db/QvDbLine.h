#pragma once

#include "sdk/db/QvDbCurve.h"

// A straight segment from a start point to an end point, with the normal of the plane it is
// drawn in (its extrusion) and a thickness along it. Its parameter is the distance from the
// start point; a line of zero length has no curve (its curve queries answer eInvalidInput).
class QvDbLine : public QvDbCurve {
  QVDB_DECLARE_MEMBERS(QvDbLine);

  QvDbLine() = default;
  QvDbLine(const QvGePoint3d& start, const QvGePoint3d& end);

  QvGePoint3d startPoint() const;
  Vexa::ErrorStatus setStartPoint(const QvGePoint3d& point);
  QvGePoint3d endPoint() const;
  Vexa::ErrorStatus setEndPoint(const QvGePoint3d& point);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);

  bool isClosed() const override { return false; }
  Vexa::ErrorStatus extend(double newParam) override;
  Vexa::ErrorStatus extend(bool extendStart, const QvGePoint3d& toPoint) override;
  Vexa::ErrorStatus getArea(double& area) const override;
  Vexa::ErrorStatus reverseCurve() override;

 protected:
  const QvGeCurve3d* geCurve(qvdb_detail::GeCurveBuffer& buffer,
                             bool unbounded = false) const override;
  double paramScale() const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d start_;
  QvGePoint3d end_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double thickness_ = 0.0;
};
