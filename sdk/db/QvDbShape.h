#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbEntity.h"

// A shape: a symbol of a shape file, by name, placed at a position in the plane of its normal
// with a size, a rotation (radians, about the normal from the plane's x axis), a width factor,
// an oblique angle and a thickness. The shape file's strokes are not at hand here, so a shape
// draws nothing; its box is the square of its size from the position.
class QvDbShape : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbShape);

  QvDbShape() = default;
  QvDbShape(const QvGePoint3d& position, double size, const QvString& name, double rotation = 0.0,
            double widthFactor = 1.0);

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);  // finite
  double size() const;
  Vexa::ErrorStatus setSize(double size);  // finite, not 0
  QvString name() const;
  Vexa::ErrorStatus setName(const QvString& name);
  double rotation() const;
  Vexa::ErrorStatus setRotation(double rotation);  // finite
  double widthFactor() const;
  Vexa::ErrorStatus setWidthFactor(double factor);  // finite, not 0
  double oblique() const;
  Vexa::ErrorStatus setOblique(double oblique);  // finite
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);  // finite
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // not zero

 protected:
  // Moves, turns and scales uniformly (a mirror turns the normal over); eNotApplicable for
  // other matrices.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The position.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d position_;
  double size_ = 1.0;
  QvString name_;
  double rotation_ = 0.0;
  double widthFactor_ = 1.0;
  double oblique_ = 0.0;
  double thickness_ = 0.0;
  QvGeVector3d normal_{0.0, 0.0, 1.0};
};
