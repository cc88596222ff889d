#pragma once

#include "sdk/db/QvDbChordDimension.h"

// A dimension of the radius from center to chordPoint. The definition points are center and
// chordPoint.
class QvDbRadialDimension : public QvDbChordDimension {
  QVDB_DECLARE_MEMBERS(QvDbRadialDimension);

  QvDbRadialDimension() = default;
  QvDbRadialDimension(const QvGePoint3d& center, const QvGePoint3d& chordPoint, double leaderLength)
      : QvDbChordDimension(center, chordPoint, leaderLength) {}

  QvGePoint3d center() const { return geometryValue(anchor_); }
  Vexa::ErrorStatus setCenter(const QvGePoint3d& point) { return setGeometryValue(anchor_, point); }

 protected:
  QvString subPrefix() const override { return L"R"; }
  bool subArrowAtAnchor() const override { return false; }
  void getDefinitionPoints(QvGePoint3dArray& points) const override;
  void setDefinitionPoints(const QvGePoint3dArray& points) override;
};
