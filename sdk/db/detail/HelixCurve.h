#pragma once

#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

namespace qvdb_detail {

// A helix in its own frame: the foot of its start point on the axis, the unit axis w, the unit
// direction u from the foot to the start, and v = w x u (or u x w for a clockwise twist). At
// angle t (0 to 2 pi turns) the radius runs linearly from the base to the top radius and the
// height rises turnHeight per turn.
struct HelixCurve {
  QvGePoint3d foot;
  QvGeVector3d u;
  QvGeVector3d v;
  QvGeVector3d w;
  double baseRadius = 0.0;
  double topRadius = 0.0;
  double turns = 0.0;
  double turnHeight = 0.0;

  // False for a zero axis or a start on the axis.
  static bool make(const QvGePoint3d& axisPoint, const QvGePoint3d& startPoint,
                   const QvGeVector3d& axisVector, double topRadius, double turns,
                   double turnHeight, bool twistCcw, HelixCurve& helix);

  double endAngle() const;
  QvGePoint3d pointAt(double angle) const;
  QvGeVector3d derivativeAt(double angle) const;
  // Cubic pieces, sixteen to a full turn, each through the helix's points and tangents at its
  // ends, joined in one NURBS curve whose parameter is the angle.
  QvGeNurbCurve3d spline() const;
  double length() const;
};

}  // namespace qvdb_detail
