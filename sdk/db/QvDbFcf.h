#pragma once

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbEntity.h"

// A feature control frame: the boxes of a geometric tolerance, one row per line of its text
// (lines separated by "\n"), each row divided into compartments by "%%v". It lies in the plane
// of its normal, its rows run along its direction and stack downwards, and its location is the
// middle of the left edge of the first row.
//
// Sizes follow the font metric of texts (QvDbTextMetrics): a row is twice the text height
// tall, a compartment as wide as its characters plus one text height, the frame as wide as its
// widest row.
//
// Bounding points: p0 top left, p1 top right, p2 bottom left, p3 bottom right of the frame.
class QvDbFcf : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbFcf);

  QvDbFcf() = default;
  // A zero normal or direction, or a direction along the normal, leaves the default plane.
  QvDbFcf(const wchar_t* text, const QvGePoint3d& location, const QvGeVector3d& normal,
          const QvGeVector3d& direction);

  QvString text() const;
  Vexa::ErrorStatus setText(const wchar_t* text);
  QvGePoint3d location() const;
  Vexa::ErrorStatus setLocation(const QvGePoint3d& location);
  QvGeVector3d normal() const;
  QvGeVector3d direction() const;
  // The direction is made perpendicular to the normal; eInvalidInput for a zero vector or a
  // direction along the normal.
  Vexa::ErrorStatus setOrientation(const QvGeVector3d& normal, const QvGeVector3d& direction);
  double textHeight() const;
  Vexa::ErrorStatus setTextHeight(double height);  // eInvalidInput unless positive

  // The four corners of the frame, p0 to p3 (see above).
  virtual Vexa::ErrorStatus getBoundingPoints(QvGePoint3dArray& points) const;

 protected:
  // Moves, turns, mirrors and scales uniformly: the frame becomes the image of the old one (a
  // mirror turns its plane over). A map that would distort the boxes answers eNotApplicable,
  // a singular one eDegenerateGeometry.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The location.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // The frame's outline.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  // Width and height of the frame.
  void frameSize(double& width, double& height) const;
  void corners(QvGePoint3dArray& points) const;

  QvString text_;
  QvGePoint3d location_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGeVector3d direction_ = QvGeVector3d::kXAxis;
  double textHeight_ = 0.18;
};
