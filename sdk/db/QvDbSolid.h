#pragma once

#include "sdk/db/QvDbCornerEntity.h"

// A filled area of three or four corners (see QvDbCornerEntity).
class QvDbSolid : public QvDbCornerEntity {
  QVDB_DECLARE_MEMBERS(QvDbSolid);

  QvDbSolid() = default;
  QvDbSolid(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2,
            const QvGePoint3d& p3)
      : QvDbCornerEntity(p0, p1, p2, p3) {}
  QvDbSolid(const QvGePoint3d& p0, const QvGePoint3d& p1, const QvGePoint3d& p2)
      : QvDbCornerEntity(p0, p1, p2, p2) {}
};
