#pragma once

#include "sdk/ge/QvGeLinearEnt3d.h"

// A straight segment. The parameter runs over [0, 1] from the start point to the end point;
// reverseParam exchanges the two points. Equal points make a valid segment of zero length.
class QvGeLineSeg3d : public QvGeLinearEnt3d {
 public:
  QvGeLineSeg3d();  // from the origin to (1, 0, 0)
  QvGeLineSeg3d(const QvGePoint3d& start, const QvGePoint3d& end);
  // From a base point along a vector (the vector reaches the end point).
  QvGeLineSeg3d(const QvGePoint3d& start, const QvGeVector3d& toEnd);

  QvGeLineSeg3d& set(const QvGePoint3d& start, const QvGePoint3d& end);

  QvGe::EntityId type() const override { return QvGe::kLineSeg3d; }
  QvGeLineSeg3d* copy() const override { return new QvGeLineSeg3d(*this); }
  QvGePoint3d startPoint() const { return pointOnLine(); }
  QvGePoint3d endPoint() const { return pointOnLine() + paramVector(); }
  QvGePoint3d midPoint() const { return pointOnLine() + paramVector() * 0.5; }
  void getInterval(QvGeInterval& interval) const override { interval.set(0.0, 1.0); }
  void reverseParam() override;
};
