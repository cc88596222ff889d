#pragma once

#include "sdk/db/QvDbBlockReference.h"

// A rectangular array of a block: the reference's block repeated in columns along its rotated
// x axis and rows along its rotated y axis, at the given spacings (in the plane of the
// normal, not scaled by the scale factors). The cell at column c and row r is the block
// placed at position + c * columnSpacing * x + r * rowSpacing * y.
class QvDbMInsertBlock : public QvDbBlockReference {
  QVDB_DECLARE_MEMBERS(QvDbMInsertBlock);

  QvDbMInsertBlock() = default;
  QvDbMInsertBlock(const QvGePoint3d& position, QvDbObjectId blockTableRecord, int columns,
                   int rows, double columnSpacing, double rowSpacing);

  int columns() const;
  Vexa::ErrorStatus setColumns(int columns);  // eInvalidInput below 1
  int rows() const;
  Vexa::ErrorStatus setRows(int rows);  // eInvalidInput below 1
  double columnSpacing() const;
  Vexa::ErrorStatus setColumnSpacing(double spacing);
  double rowSpacing() const;
  Vexa::ErrorStatus setRowSpacing(double spacing);

 protected:
  // Spacings scale with the matrix along the array's axes.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // One block reference per cell (block, scale, rotation, normal, properties), in row order.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& entitySet) const override;
  void instanceTransforms(QvArray<QvGeMatrix3d>& transforms) const override;

 private:
  // The world offset of a cell.
  QvGeVector3d cellOffset(int column, int row) const;

  int columns_ = 1;
  int rows_ = 1;
  double columnSpacing_ = 0.0;
  double rowSpacing_ = 0.0;
};
