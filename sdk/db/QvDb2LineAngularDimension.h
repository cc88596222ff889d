#pragma once

#include "sdk/db/QvDbSectorDimension.h"

// A dimension of the angle between two lines, the first through xLine1Start and xLine1End, the
// second through xLine2Start and xLine2End, at their intersection and in the one of the four
// angles they make that holds arcPoint; the measurement is in radians. Parallel lines measure 0
// and draw only the text. The definition points are xLine1Start, xLine1End, xLine2Start,
// xLine2End and arcPoint.
class QvDb2LineAngularDimension : public QvDbSectorDimension {
  QVDB_DECLARE_MEMBERS(QvDb2LineAngularDimension);

  QvDb2LineAngularDimension() = default;
  QvDb2LineAngularDimension(const QvGePoint3d& xLine1Start, const QvGePoint3d& xLine1End,
                            const QvGePoint3d& xLine2Start, const QvGePoint3d& xLine2End,
                            const QvGePoint3d& arcPoint)
      : QvDbSectorDimension(arcPoint),
        xLine1Start_(xLine1Start),
        xLine1End_(xLine1End),
        xLine2Start_(xLine2Start),
        xLine2End_(xLine2End) {}

  QvGePoint3d xLine1Start() const { return geometryValue(xLine1Start_); }
  Vexa::ErrorStatus setXLine1Start(const QvGePoint3d& point) {
    return setGeometryValue(xLine1Start_, point);
  }
  QvGePoint3d xLine1End() const { return geometryValue(xLine1End_); }
  Vexa::ErrorStatus setXLine1End(const QvGePoint3d& point) {
    return setGeometryValue(xLine1End_, point);
  }
  QvGePoint3d xLine2Start() const { return geometryValue(xLine2Start_); }
  Vexa::ErrorStatus setXLine2Start(const QvGePoint3d& point) {
    return setGeometryValue(xLine2Start_, point);
  }
  QvGePoint3d xLine2End() const { return geometryValue(xLine2End_); }
  Vexa::ErrorStatus setXLine2End(const QvGePoint3d& point) {
    return setGeometryValue(xLine2End_, point);
  }

 protected:
  bool subSector(Sector& sector) const override;
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;

 private:
  QvGePoint3d xLine1Start_;
  QvGePoint3d xLine1End_;
  QvGePoint3d xLine2Start_;
  QvGePoint3d xLine2End_;
};
