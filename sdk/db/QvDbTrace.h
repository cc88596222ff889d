#pragma once

#include "sdk/db/QvDbCornerEntity.h"

// A wide line segment drawn as a filled area of four corners, 1 and 2 at one end, 3 and 4 at
// the other (see QvDbCornerEntity).
class QvDbTrace : public QvDbCornerEntity {
  QVDB_DECLARE_MEMBERS(QvDbTrace);

  QvDbTrace() = default;
  QvDbTrace(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
            const QvGePoint3d& p3)
      : QvDbCornerEntity(p0, p1, p2, p3) {}
};
