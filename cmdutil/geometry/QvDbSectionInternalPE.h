#pragma once

#include "cmdutil/geometry/QvDbEntityInternalPE.h"

// The internal protocol extension of section objects (QvDbSection): a section plane has no
// area or length to measure (eNotApplicable).
class QvDbSectionInternalPE : public QvDbEntityInternalPE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbSectionInternalPE);

  Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area) override;
  Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length) override;
};
