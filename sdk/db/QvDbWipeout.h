#pragma once

#include "sdk/db/QvDbRasterImage.h"

// A polygon that hides what lies behind it: a raster image whose frame is the box around the
// polygon and whose clip boundary is the polygon.
class QvDbWipeout : public QvDbRasterImage {
  QVDB_DECLARE_MEMBERS(QvDbWipeout);

  QvDbWipeout() = default;

  // Makes the wipeout the polygon through `points`, given in the plane of `normal` (its
  // arbitrary-axis frame through the origin). The frame is the box around the points, one
  // pixel to a drawing unit. eInvalidInput for a zero normal, fewer than three points (a last
  // point equal to the first is not counted) or points on one line along an axis of the
  // plane; nothing changes then.
  Vexa::ErrorStatus setFrom(const QvGePoint2dArray& points, const QvGeVector3d& normal);
};
