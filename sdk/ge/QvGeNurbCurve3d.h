#pragma once

#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/detail/NurbsCurve.h"

class QvGeCircArc3d;
class QvGeEllipArc3d;
class QvGeLineSeg3d;

// A NURBS curve in space: degree, knot vector, control points and (for a rational curve)
// positive weights; optionally the fit points it was interpolated through. The parameter runs
// over the knot domain [knot(degree), knot(numControlPoints)].
//
// Outside the domain evalPoint continues the end spans' polynomials (a periodic curve wraps
// instead). Invalid data (see set) is refused with eInvalidInput by the setters; the
// constructors make an invalid curve (a point at the origin) from it. Evaluation allocates
// nothing; closest points take coarse samples of every span as seeds for Newton steps; lengths
// integrate span by span; splitting inserts knots.
class QvGeNurbCurve3d : public qvge_detail::NurbsCurve<QvGeCurve3d, QvGeNurbCurve3d> {
 public:
  QvGeNurbCurve3d();  // the straight curve from the origin to (1, 0, 0), degree 1
  QvGeNurbCurve3d(int degree, const QvGeDoubleArray& knots, const QvGePoint3dArray& ctrlPts,
                  const QvGeDoubleArray& weights = QvGeDoubleArray(), bool isPeriodic = false);
  // Interpolation through fit points (see setFitData).
  QvGeNurbCurve3d(const QvGePoint3dArray& fitPoints, int degree = 3,
                  const QvGeVector3d& startTangent = QvGeVector3d(),
                  const QvGeVector3d& endTangent = QvGeVector3d());
  // Exact representations with the same points and ends over the same parameter interval (the
  // parameter in between differs from the angle of an arc).
  explicit QvGeNurbCurve3d(const QvGeLineSeg3d& line);
  explicit QvGeNurbCurve3d(const QvGeCircArc3d& arc);
  explicit QvGeNurbCurve3d(const QvGeEllipArc3d& arc);

  QvGe::EntityId type() const override { return QvGe::kNurbCurve3d; }
  QvGeNurbCurve3d* copy() const override { return new QvGeNurbCurve3d(*this); }

  QvGeBoundBlock3d orthoBoundBlock(const QvGeInterval& range) const override;
  using QvGeCurve3d::orthoBoundBlock;
  // Any affine map; eNotApplicable for a perspective matrix.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& m) override;
  Vexa::ErrorStatus project(const QvGePlane& plane, const QvGeVector3d& direction,
                            QvGeCurve3d*& result) const override;

 private:
  friend class qvge_detail::NurbsCurve<QvGeCurve3d, QvGeNurbCurve3d>;
};
