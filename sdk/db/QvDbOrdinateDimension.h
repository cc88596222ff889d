#pragma once

#include "sdk/db/QvDbDimension.h"

// A dimension of one coordinate of definingPoint from origin, in the user's axes: the x axis is
// that of the dimension's plane (the arbitrary-axis frame of its normal) turned by minus the
// horizontal rotation, the y axis is square to it. It measures along the x axis when it uses
// the x axis, else along the y axis; the measurement is the distance along that axis. Its leader
// runs from the defining point across the measured axis and jogs to leaderEndPoint, where the text
// stands. The definition points are origin, definingPoint and leaderEndPoint.
class QvDbOrdinateDimension : public QvDbDimension {
  QVDB_DECLARE_MEMBERS(QvDbOrdinateDimension);

  QvDbOrdinateDimension() = default;
  QvDbOrdinateDimension(bool useXAxis, const QvGePoint3d& definingPoint,
                        const QvGePoint3d& leaderEndPoint)
      : definingPoint_(definingPoint), leaderEndPoint_(leaderEndPoint), usingXAxis_(useXAxis) {}

  QvGePoint3d origin() const { return geometryValue(origin_); }
  Vexa::ErrorStatus setOrigin(const QvGePoint3d& point) { return setGeometryValue(origin_, point); }
  QvGePoint3d definingPoint() const { return geometryValue(definingPoint_); }
  Vexa::ErrorStatus setDefiningPoint(const QvGePoint3d& point) {
    return setGeometryValue(definingPoint_, point);
  }
  QvGePoint3d leaderEndPoint() const { return geometryValue(leaderEndPoint_); }
  Vexa::ErrorStatus setLeaderEndPoint(const QvGePoint3d& point) {
    return setGeometryValue(leaderEndPoint_, point);
  }
  bool isUsingXAxis() const { return geometryValue(usingXAxis_); }
  bool isUsingYAxis() const { return !isUsingXAxis(); }
  Vexa::ErrorStatus useXAxis() { return setGeometryValue(usingXAxis_, true); }
  Vexa::ErrorStatus useYAxis() { return setGeometryValue(usingXAxis_, false); }

 protected:
  double measuredValue() const override;
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;
  // The leader and the text after its end, reading along it.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;

 private:
  // The measured axis and the one the leader runs along, unit vectors in the world.
  QvGeVector3d measuredAxis() const;
  QvGeVector3d leaderAxis() const;

  QvGePoint3d origin_;
  QvGePoint3d definingPoint_;
  QvGePoint3d leaderEndPoint_;
  bool usingXAxis_ = true;
};
