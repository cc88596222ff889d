#pragma once

#include "sdk/db/detail/GeCurveBuffer.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeInterval.h"

namespace qvdb_detail {

// The geometry curve of a one-piece curve entity for one query (built in `buffer`, on the
// stack), its interval and the entity's parameter per geometry parameter.
struct CurveGeometry {
  GeCurveBuffer buffer;
  const QvGeCurve3d* curve = nullptr;
  QvGeInterval interval;
  double scale = 1.0;

  // The geometry parameter of an entity parameter: false when it lies outside the interval
  // (beyond the parameter tolerance); within it, clamped into the interval.
  bool toGeParam(double param, double& geParam) const;
};

}  // namespace qvdb_detail
