#pragma once

#include "sdk/db/QvDbChordDimension.h"

// A dimension of the diameter from farChordPoint to chordPoint, with an arrowhead at both. The
// definition points are chordPoint and farChordPoint.
class QvDbDiametricDimension : public QvDbChordDimension {
  QVDB_DECLARE_MEMBERS(QvDbDiametricDimension);

  QvDbDiametricDimension() = default;
  QvDbDiametricDimension(const QvGePoint3d& chordPoint, const QvGePoint3d& farChordPoint,
                         double leaderLength)
      : QvDbChordDimension(farChordPoint, chordPoint, leaderLength) {}

  QvGePoint3d farChordPoint() const { return geometryValue(anchor_); }
  Vexa::ErrorStatus setFarChordPoint(const QvGePoint3d& point) {
    return setGeometryValue(anchor_, point);
  }

 protected:
  QvString subPrefix() const override { return L"\u2300"; }
  bool subArrowAtAnchor() const override { return true; }
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;
};
