#include "sdk/db/QvDbMInsertBlock.h"

#include <cmath>
#include <memory>

#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbMInsertBlock)

QvDbMInsertBlock::QvDbMInsertBlock(const QvGePoint3d& position, QvDbObjectId blockTableRecord,
                                   int columns, int rows, double columnSpacing, double rowSpacing)
    : QvDbBlockReference(position, blockTableRecord),
      columns_(columns > 0 ? columns : 1),
      rows_(rows > 0 ? rows : 1),
      columnSpacing_(columnSpacing),
      rowSpacing_(rowSpacing) {}

int QvDbMInsertBlock::columns() const {
  assertReadEnabled();
  return columns_;
}

Vexa::ErrorStatus QvDbMInsertBlock::setColumns(int columns) {
  if (columns < 1) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  columns_ = columns;
  return Vexa::eOk;
}

int QvDbMInsertBlock::rows() const {
  assertReadEnabled();
  return rows_;
}

Vexa::ErrorStatus QvDbMInsertBlock::setRows(int rows) {
  if (rows < 1) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rows_ = rows;
  return Vexa::eOk;
}

double QvDbMInsertBlock::columnSpacing() const {
  assertReadEnabled();
  return columnSpacing_;
}

Vexa::ErrorStatus QvDbMInsertBlock::setColumnSpacing(double spacing) {
  if (!std::isfinite(spacing)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  columnSpacing_ = spacing;
  return Vexa::eOk;
}

double QvDbMInsertBlock::rowSpacing() const {
  assertReadEnabled();
  return rowSpacing_;
}

Vexa::ErrorStatus QvDbMInsertBlock::setRowSpacing(double spacing) {
  if (!std::isfinite(spacing)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  rowSpacing_ = spacing;
  return Vexa::eOk;
}

QvGeVector3d QvDbMInsertBlock::cellOffset(int column, int row) const {
  const QvGeVector3d n = normal();
  const QvGeVector3d x = qvdb_detail::directionInFrame(rotation(), n);
  const QvGeVector3d y = n.crossProduct(x);
  return x * (column * columnSpacing_) + y * (row * rowSpacing_);
}

void QvDbMInsertBlock::instanceTransforms(QvArray<QvGeMatrix3d>& transforms) const {
  const QvGeMatrix3d base = blockTransform();
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < columns_; ++c)
      transforms.append(QvGeMatrix3d::translation(cellOffset(c, r)) * base);
}

Vexa::ErrorStatus QvDbMInsertBlock::subTransformBy(const QvGeMatrix3d& xform) {
  // The array's axes before the change, to measure how the matrix stretches them.
  const QvGeVector3d n = normal();
  const QvGeVector3d xAxis = qvdb_detail::directionInFrame(rotation(), n);
  const QvGeVector3d yAxis = n.crossProduct(xAxis);
  QvGeVector3d xImage = xAxis, yImage = yAxis;
  xImage.transformBy(xform);
  yImage.transformBy(xform);
  if (const Vexa::ErrorStatus es = QvDbBlockReference::subTransformBy(xform); es != Vexa::eOk)
    return es;
  // Spacings scale with the axes; a mirror of an axis turns its spacing.
  const QvGeVector3d newX = qvdb_detail::directionInFrame(rotation(), normal());
  const QvGeVector3d newY = normal().crossProduct(newX);
  columnSpacing_ *= xImage.dotProduct(newX);
  rowSpacing_ *= yImage.dotProduct(newY);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMInsertBlock::subExplode(QvArray<QvDbEntity*>& entitySet) const {
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      auto cell =
          std::make_unique<QvDbBlockReference>(position() + cellOffset(c, r), blockTableRecord());
      cell->setScaleFactors(scaleFactors());
      cell->setRotation(rotation());
      cell->setNormal(normal());
      cell->setPropertiesFrom(this);
      entitySet.append(cell.release());
    }
  }
  return Vexa::eOk;
}
