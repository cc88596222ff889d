#pragma once

#include "sdk/modeler/QvDbShapeEntity.h"

class QvDbRegion;

// A 3D solid. Made by the modeler (a box, a region extruded) or read from a drawing file, whose
// modeler data it keeps. The creation functions answer eNotApplicable without a modeler (see
// VexaSpaModelerMgr) and change nothing on failure.
class QvDb3dSolid : public QvDbShapeEntity {
  QVDB_DECLARE_MEMBERS(QvDb3dSolid);

  QvDb3dSolid();
  ~QvDb3dSolid() override;

  // A box centred at the origin with its edges along the axes; the lengths must be positive
  // and finite (eInvalidInput).
  Vexa::ErrorStatus createBox(double xLen, double yLen, double zLen);
  // The region swept along its normal by `height` (a negative height sweeps the other way).
  // eInvalidInput for no region, a null one, or a height that is zero or not finite.
  Vexa::ErrorStatus extrude(const QvDbRegion* region, double height);
  // The volume enclosed; eNotApplicable without a body.
  Vexa::ErrorStatus getVolume(double& volume) const;
};
