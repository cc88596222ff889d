#pragma once

#include "sdk/db/QvDbEntity.h"

// A table: rows and columns of cells drawn by a block of its own. The database places it by its
// insertion point, the direction of its rows and its normal; the cells, their contents and the
// block are kept as files give them, so a table draws nothing here.
class QvDbTable : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbTable);

  QvDbTable() = default;

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);  // finite
  // The rows' direction (unit; not zero).
  QvGeVector3d direction() const;
  Vexa::ErrorStatus setDirection(const QvGeVector3d& direction);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // not zero

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The insertion point (the cells' extents are the block's).
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;

 private:
  QvGePoint3d position_;
  QvGeVector3d direction_{1.0, 0.0, 0.0};
  QvGeVector3d normal_{0.0, 0.0, 1.0};
};
