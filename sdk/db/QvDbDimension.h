#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

// A dimension: it measures geometry given by its definition points (the kinds say which), lies
// in the plane of its normal, shows its text at the text position and draws itself through an
// anonymous block, the dimension block. The kinds are the classes derived from it.
//
// transformBy carries the definition points, the text position and the plane along; a matrix
// that flattens the plane answers eDegenerateGeometry and changes nothing.
class QvDbDimension : public QvDbEntity {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbDimension);

  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero

  QvGePoint3d textPosition() const;
  Vexa::ErrorStatus setTextPosition(const QvGePoint3d& position);

  // The angle of the text's horizontal from the x axis of the dimension's plane.
  double horizontalRotation() const;
  Vexa::ErrorStatus setHorizontalRotation(double rotation);

  // The block that draws the dimension (null when none is made). It must be a block table
  // record of the dimension's database (eWrongObjectType, eWrongDatabase).
  QvDbObjectId dimBlockId() const;
  Vexa::ErrorStatus setDimBlockId(QvDbObjectId blockId);

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbDimension() = default;
  QvDbDimension(const QvDbDimension&) = default;
  QvDbDimension& operator=(const QvDbDimension&) = default;

  // The definition points of the kind, in a fixed order, and setting them back in that order.
  virtual void getDefinitionPoints(QvGePoint3dArray& points) const = 0;
  virtual void setDefinitionPoints(const QvGePoint3dArray& points) = 0;

  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The definition points and the text position.
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGePoint3d textPosition_;
  double horizontalRotation_ = 0.0;
  QvDbObjectId dimBlockId_;
};
