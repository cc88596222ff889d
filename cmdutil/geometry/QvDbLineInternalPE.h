#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of lines (QvDbLine): the length is the distance between the
// ends; a new length moves the end nearer the pick along the line, the other end stays.
class QvDbLineInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbLineInternalPE);

  // eNotApplicable for no line.
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
  // eNotApplicable for no line or a line of zero length (no direction to keep); eInvalidInput
  // for a length that is not finite or not positive. The line is then unchanged.
  Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                    const QvGePoint3d& pickPoint) override;
};
