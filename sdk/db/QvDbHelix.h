#pragma once

#include "sdk/db/QvDbSpline.h"

// A helix: a spline that follows a helix round an axis. The helix is given by a point on its
// axis and the axis direction, the point it starts at (its base radius is that point's distance
// from the axis), the radius it ends at, the number of turns and the rise of one turn, and its
// twist (counterclockwise about the axis direction, or clockwise). The spline is made from
// these: cubic pieces, sixteen to a turn, through points of the helix with its tangents there, so
// that its parameter is the angle turned. A helix read from a file keeps the spline it was read
// with.
class QvDbHelix : public QvDbSpline {
  QVDB_DECLARE_MEMBERS(QvDbHelix);

  // Which value stays when the height changes: the rise of a turn, the turns, or the height.
  enum ConstrainType { kTurnHeight = 0, kTurns = 1, kHeight = 2 };

  QvDbHelix() = default;

  // eInvalidInput, nothing changed, for values that are not finite, a zero axis, a start point
  // on the axis, turns that are not positive (or more than 10000), or a negative top radius.
  Vexa::ErrorStatus setHelix(const QvGePoint3d& axisPoint, const QvGePoint3d& startPoint,
                             const QvGeVector3d& axisVector, double topRadius, double turns,
                             double turnHeight, bool twistCcw = true);
  // The helix data alone, the spline left as it is (how files give both). Checked as setHelix.
  Vexa::ErrorStatus setHelixData(const QvGePoint3d& axisPoint, const QvGePoint3d& startPoint,
                                 const QvGeVector3d& axisVector, double topRadius, double turns,
                                 double turnHeight, bool twistCcw);

  QvGePoint3d axisPoint() const;
  QvGePoint3d startPoint() const;
  QvGeVector3d axisVector() const;
  double baseRadius() const;
  double topRadius() const;
  double turns() const;
  double turnHeight() const;
  double height() const;  // turns times the rise of a turn
  bool twistCcw() const;
  ConstrainType constrain() const;
  Vexa::ErrorStatus setConstrain(ConstrainType constrain);

  // The length of the helix itself (not of the spline that follows it): for equal radii
  // turns * sqrt((2 pi r)^2 + turnHeight^2), for a conical one the integral in closed form.
  Vexa::ErrorStatus getLength(double& length) const;

 protected:
  // Moves the helix data with the spline; a matrix that does not keep angles (non-uniform
  // scaling) answers eNotApplicable.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;

 private:
  QvGePoint3d axisPoint_;
  QvGePoint3d startPoint_{1.0, 0.0, 0.0};
  QvGeVector3d axisVector_{0.0, 0.0, 1.0};
  double topRadius_ = 1.0;
  double turns_ = 1.0;
  double turnHeight_ = 1.0;
  bool twistCcw_ = true;
  ConstrainType constrain_ = kTurns;
};
