#pragma once

#include "sdk/db/QvDbSectorDimension.h"

// A dimension of the length of the arc about centerPoint from xLine1Point to xLine2Point, on
// the side where arcPoint lies; the radius is that of xLine1Point. It may have a leader (from
// leader1Point to leader2Point) and measure part of an arc (isPartial, with the arc's own
// parameters kept as arcStartParam and arcEndParam). The definition points are xLine1Point,
// xLine2Point, centerPoint and arcPoint; the leader's points move with them and count in the
// extents only while it has a leader.
class QvDbArcDimension : public QvDbCenteredSectorDimension {
  QVDB_DECLARE_MEMBERS(QvDbArcDimension);

  QvDbArcDimension() = default;
  QvDbArcDimension(const QvGePoint3d& centerPoint, const QvGePoint3d& xLine1Point,
                   const QvGePoint3d& xLine2Point, const QvGePoint3d& arcPoint)
      : QvDbCenteredSectorDimension(centerPoint, xLine1Point, xLine2Point, arcPoint) {}

  QvGePoint3d leader1Point() const { return geometryValue(leader1Point_); }
  Vexa::ErrorStatus setLeader1Point(const QvGePoint3d& point) {
    return setGeometryValue(leader1Point_, point);
  }
  QvGePoint3d leader2Point() const { return geometryValue(leader2Point_); }
  Vexa::ErrorStatus setLeader2Point(const QvGePoint3d& point) {
    return setGeometryValue(leader2Point_, point);
  }
  bool hasLeader() const { return geometryValue(hasLeader_); }
  Vexa::ErrorStatus setHasLeader(bool hasLeader) { return setGeometryValue(hasLeader_, hasLeader); }
  bool isPartial() const { return geometryValue(isPartial_); }
  Vexa::ErrorStatus setIsPartial(bool isPartial) { return setGeometryValue(isPartial_, isPartial); }
  double arcStartParam() const { return geometryValue(arcStartParam_); }
  Vexa::ErrorStatus setArcStartParam(double param) {
    return setGeometryValue(arcStartParam_, param);
  }
  double arcEndParam() const { return geometryValue(arcEndParam_); }
  Vexa::ErrorStatus setArcEndParam(double param) { return setGeometryValue(arcEndParam_, param); }

 protected:
  // The radius times the angle.
  double subSectorValue(const Sector& sector) const override;
  // The length after the arc-length sign.
  QvString subSectorText(double value) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The sector's drawing and, with a leader, the leader line.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;

 private:
  QvGePoint3d leader1Point_;
  QvGePoint3d leader2Point_;
  bool hasLeader_ = false;
  bool isPartial_ = false;
  double arcStartParam_ = 0.0;
  double arcEndParam_ = 0.0;
};
