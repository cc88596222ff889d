#pragma once

#include "sdk/db/QvDbDimension.h"

// What the aligned and the rotated dimension share: they measure a length between the origins
// of their two extension lines (xLine1Point, xLine2Point), and their dimension line passes
// through dimLinePoint. The definition points are in that order. Not a class of the host's
// class tree: casts and class tests see the two kinds only.
class QvDbLengthDimension : public QvDbDimension {
 public:
  QvGePoint3d xLine1Point() const;
  Vexa::ErrorStatus setXLine1Point(const QvGePoint3d& point);
  QvGePoint3d xLine2Point() const;
  Vexa::ErrorStatus setXLine2Point(const QvGePoint3d& point);
  QvGePoint3d dimLinePoint() const;
  Vexa::ErrorStatus setDimLinePoint(const QvGePoint3d& point);

 protected:
  QvDbLengthDimension() = default;
  QvDbLengthDimension(const QvGePoint3d& xLine1Point, const QvGePoint3d& xLine2Point,
                      const QvGePoint3d& dimLinePoint);
  QvDbLengthDimension(const QvDbLengthDimension&) = default;
  QvDbLengthDimension& operator=(const QvDbLengthDimension&) = default;

  // The length between the two extension-line origins as the kind measures it.
  virtual double subMeasurement(const QvGePoint3d& xLine1Point,
                                const QvGePoint3d& xLine2Point) const = 0;

  // The unit direction of the dimension line, in the dimension's plane.
  virtual QvGeVector3d subDimLineDirection(const QvGePoint3d& xLine1Point,
                                           const QvGePoint3d& xLine2Point) const = 0;

  double measuredValue() const override;
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;
  // Extension lines from the measured points to just past the dimension line, the dimension
  // line between them with an arrowhead at each end pointing outwards, and the measurement.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;

 private:
  QvGePoint3d xLine1Point_;
  QvGePoint3d xLine2Point_;
  QvGePoint3d dimLinePoint_;
};
