#pragma once

#include "sdk/db/QvDbDimension.h"

// A jogged dimension of the radius from center to chordPoint, for arcs whose center lies off
// the drawing: its line runs from chordPoint towards the center as far as the foot of
// jogPoint, jogs to jogPoint and goes on to overrideCenter, the center it shows. jogAngle is the
// angle of the jog (radians). The definition points are center, chordPoint, overrideCenter and
// jogPoint.
class QvDbRadialDimensionLarge : public QvDbDimension {
  QVDB_DECLARE_MEMBERS(QvDbRadialDimensionLarge);

  QvDbRadialDimensionLarge() = default;
  QvDbRadialDimensionLarge(const QvGePoint3d& center, const QvGePoint3d& chordPoint,
                           const QvGePoint3d& overrideCenter, const QvGePoint3d& jogPoint,
                           double jogAngle)
      : center_(center),
        chordPoint_(chordPoint),
        overrideCenter_(overrideCenter),
        jogPoint_(jogPoint),
        jogAngle_(jogAngle) {}

  QvGePoint3d center() const { return geometryValue(center_); }
  Vexa::ErrorStatus setCenter(const QvGePoint3d& point) { return setGeometryValue(center_, point); }
  QvGePoint3d chordPoint() const { return geometryValue(chordPoint_); }
  Vexa::ErrorStatus setChordPoint(const QvGePoint3d& point) {
    return setGeometryValue(chordPoint_, point);
  }
  QvGePoint3d overrideCenter() const { return geometryValue(overrideCenter_); }
  Vexa::ErrorStatus setOverrideCenter(const QvGePoint3d& point) {
    return setGeometryValue(overrideCenter_, point);
  }
  QvGePoint3d jogPoint() const { return geometryValue(jogPoint_); }
  Vexa::ErrorStatus setJogPoint(const QvGePoint3d& point) {
    return setGeometryValue(jogPoint_, point);
  }
  double jogAngle() const { return geometryValue(jogAngle_); }
  // eInvalidInput for an angle that is not finite.
  Vexa::ErrorStatus setJogAngle(double angle);

 protected:
  // The radius: the distance from center to chordPoint.
  double measuredValue() const override;
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;
  // The jogged line, an arrowhead at the chord point and the text above the first stretch.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;

 private:
  QvGePoint3d center_;
  QvGePoint3d chordPoint_;
  QvGePoint3d overrideCenter_;
  QvGePoint3d jogPoint_;
  double jogAngle_ = 0.7853981633974483;  // 45 degrees
};
