#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbDimension.h"

// What the radial and the diametric dimension share: a dimension line from an anchor (the
// radial's center, the diametric's far chord point) to the chord point on the curve, with an
// arrowhead at the chord point and a leader of leaderLength on past it. Not a class of the
// host's class tree: casts and class tests see the kinds only.
class QvDbChordDimension : public QvDbDimension {
 public:
  QvGePoint3d chordPoint() const { return geometryValue(chordPoint_); }
  Vexa::ErrorStatus setChordPoint(const QvGePoint3d& point) {
    return setGeometryValue(chordPoint_, point);
  }
  double leaderLength() const { return geometryValue(leaderLength_); }
  // eInvalidInput for a negative or non-finite length.
  Vexa::ErrorStatus setLeaderLength(double length);

 protected:
  QvDbChordDimension() = default;
  QvDbChordDimension(const QvGePoint3d& anchor, const QvGePoint3d& chordPoint, double leaderLength)
      : anchor_(anchor), chordPoint_(chordPoint), leaderLength_(leaderLength) {}
  QvDbChordDimension(const QvDbChordDimension&) = default;
  QvDbChordDimension& operator=(const QvDbChordDimension&) = default;

  // The text before the number ("R" for a radius).
  virtual QvString subPrefix() const = 0;
  // Whether the anchor has an arrowhead too (a diameter's far end).
  virtual bool subArrowAtAnchor() const = 0;

  // The distance from the anchor to the chord point.
  double measuredValue() const override;
  // The dimension line with its leader, the arrowheads and the text above the middle of the
  // line, reading along it.
  Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                         QvGePoint3d& textPosition,
                                         QvArray<QvDbEntity*>& entities) const override;
  // The leader length scales with the points.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;

  QvGePoint3d anchor_;
  QvGePoint3d chordPoint_;
  double leaderLength_ = 0.0;
};
