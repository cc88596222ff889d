#pragma once

#include "sdk/modeler/QvDbShapeEntity.h"

class QvDbRegion;

// A surface of the modeler: faces with no volume. Surfaces of kinds the stand-in does not make
// are read from drawing files as this class and keep their modeler data.
class QvDbSurface : public QvDbShapeEntity {
  QVDB_DECLARE_MEMBERS(QvDbSurface);

  QvDbSurface();
  ~QvDbSurface() override;

  // The modeler's shape becomes the surface (for the modeler's own code).
  Vexa::ErrorStatus setShape(const qvmodeler_detail::BodyShape& body) { return setBody(body); }
};

// A planar surface: the area a region bounds. eNotApplicable without a modeler.
class QvDbPlaneSurface : public QvDbSurface {
  QVDB_DECLARE_MEMBERS(QvDbPlaneSurface);

  QvDbPlaneSurface();
  ~QvDbPlaneSurface() override;

  // The region's faces; eInvalidInput for no region or a null one.
  Vexa::ErrorStatus createFromRegion(const QvDbRegion* region);
};

// A surface swept by a profile curve along a path curve. The profile is swept where it lies
// (it is not moved to the start of the path first). eNotApplicable without a modeler.
class QvDbSweptSurface : public QvDbSurface {
  QVDB_DECLARE_MEMBERS(QvDbSweptSurface);

  QvDbSweptSurface();
  ~QvDbSweptSurface() override;

  // eInvalidInput when either is no bounded curve or the modeler cannot sweep them (a profile
  // of zero length, a path that turns back on itself).
  Vexa::ErrorStatus createSweptSurface(const QvDbEntity* sweepEntity, const QvDbEntity* pathEntity);
};
