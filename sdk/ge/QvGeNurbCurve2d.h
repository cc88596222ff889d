#pragma once

#include "sdk/ge/QvGeCurve2d.h"
#include "sdk/ge/detail/NurbsCurve.h"

// A NURBS curve in the plane (hatch loop edges of spline type): the same data, rules and
// algorithms as QvGeNurbCurve3d.
class QvGeNurbCurve2d : public qvge_detail::NurbsCurve<QvGeCurve2d, QvGeNurbCurve2d> {
 public:
  QvGeNurbCurve2d();  // the straight curve from the origin to (1, 0), degree 1
  QvGeNurbCurve2d(int degree, const QvGeDoubleArray& knots, const QvGePoint2dArray& ctrlPts,
                  const QvGeDoubleArray& weights = QvGeDoubleArray(), bool isPeriodic = false);
  QvGeNurbCurve2d(const QvGePoint2dArray& fitPoints, int degree = 3,
                  const QvGeVector2d& startTangent = QvGeVector2d(),
                  const QvGeVector2d& endTangent = QvGeVector2d());

  QvGe::EntityId type() const override { return QvGe::kNurbCurve2d; }
  QvGeNurbCurve2d* copy() const override { return new QvGeNurbCurve2d(*this); }

  QvGeExtents2d boundBlock(const QvGeInterval& range) const override { return boxOver(range); }
  using QvGeCurve2d::boundBlock;
  Vexa::ErrorStatus transformBy(const QvGeMatrix2d& m) override;

 private:
  friend class qvge_detail::NurbsCurve<QvGeCurve2d, QvGeNurbCurve2d>;
};
