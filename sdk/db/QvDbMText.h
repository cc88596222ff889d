#pragma once

#include "sdk/db/QvDbEntity.h"

// Multi-line text: contents whose lines are separated by "\P", placed in a box by its
// location and attachment, in the plane of its normal along its direction. A box width of 0
// means no wrapping; a positive one wraps between words (font metric: QvDbTextMetrics).
// Points are in world coordinates.
//
// Bounding points: p0 top left, p1 top right, p2 bottom left, p3 bottom right of the box
// (as wide as the box width when it has one, else as its longest line; as high as the lines).
class QvDbMText : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbMText);

  enum AttachmentPoint {
    kTopLeft = 1,
    kTopCenter = 2,
    kTopRight = 3,
    kMiddleLeft = 4,
    kMiddleCenter = 5,
    kMiddleRight = 6,
    kBottomLeft = 7,
    kBottomCenter = 8,
    kBottomRight = 9,
  };

  QvDbMText() = default;

  QvString contents() const;
  Vexa::ErrorStatus setContents(const wchar_t* contents);
  // The contents as plain text (lines joined by "\r\n").
  QvString text() const;
  QvGePoint3d location() const;
  Vexa::ErrorStatus setLocation(const QvGePoint3d& location);
  double textHeight() const;
  Vexa::ErrorStatus setTextHeight(double height);  // eInvalidInput unless positive
  double width() const;
  Vexa::ErrorStatus setWidth(double width);  // eInvalidInput when negative
  double lineSpacingFactor() const;
  Vexa::ErrorStatus setLineSpacingFactor(double factor);  // 0.25 to 4
  AttachmentPoint attachment() const;
  Vexa::ErrorStatus setAttachment(AttachmentPoint attachment);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  // The direction of the lines (a unit vector in the plane) and the same as an angle from the
  // x axis of the normal's arbitrary-axis frame.
  QvGeVector3d direction() const;
  Vexa::ErrorStatus setDirection(const QvGeVector3d& direction);
  double rotation() const;
  Vexa::ErrorStatus setRotation(double angle);
  QvDbObjectId textStyle() const;
  Vexa::ErrorStatus setTextStyle(QvDbObjectId styleId);

  int numLines() const;
  // Height from the top of the first line to the baseline of the last; width of the longest
  // line.
  double actualHeight() const;
  double actualWidth() const;
  Vexa::ErrorStatus getBoundingPoints(QvGePoint3dArray& points) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  // Maps that keep a straight baseline and perpendicular axes scale the height with the upward
  // direction and the width along the lines; shear is refused (eNotApplicable).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  void subSetDatabaseDefaults(QvDbDatabase* db) override;
  // Each line as a text.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGeVector3d upDirection() const;
  // The box's top left corner.
  QvGePoint3d topLeft() const;

  QvString contents_;
  QvGePoint3d location_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGeVector3d direction_ = QvGeVector3d::kXAxis;
  QvDbObjectId style_;
  double height_ = 0.2;
  double width_ = 0.0;
  double lineSpacing_ = 1.0;
  AttachmentPoint attachment_ = kTopLeft;
};
