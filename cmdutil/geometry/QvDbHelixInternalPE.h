#pragma once

#include "cmdutil/geometry/QvDbCurveInternalPE.h"

// The internal protocol extension of helices (QvDbHelix): the length is the helix's own (not
// that of the spline that follows it); entities that are not helices answer eNotApplicable.
class QvDbHelixInternalPE : public QvDbCurveInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbHelixInternalPE);

  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
