#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

// A raster image placed in the drawing. Its frame is the parallelogram at `origin` spanned by
// `u` (the image's full width) and `v` (its full height). Points on the image are given in
// pixels of its image size, from the lower left corner, x along u and y along v. A clip
// boundary, in pixels, cuts the part of the image that shows: a rectangle (two opposite
// corners) or a polygon (three or more points).
//
// transformBy moves the frame with any matrix that keeps it a parallelogram (a singular one
// answers eDegenerateGeometry and changes nothing).
class QvDbRasterImage : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbRasterImage);

  enum ClipBoundaryType { kInvalid = 0, kRect = 1, kPoly = 2 };

  QvDbRasterImage() = default;

  // eInvalidInput when u or v is zero or they are parallel.
  Vexa::ErrorStatus setOrientation(const QvGePoint3d& origin, const QvGeVector3d& u,
                                   const QvGeVector3d& v);
  void getOrientation(QvGePoint3d& origin, QvGeVector3d& u, QvGeVector3d& v) const;

  // Width and height in pixels; eInvalidInput unless both are positive.
  QvGeVector2d imageSize() const;
  Vexa::ErrorStatus setImageSize(double width, double height);

  // Sets the clip boundary (pixels) and turns clipping on. A rectangle needs two corners that
  // differ in x and in y, a polygon three points or more (a last point equal to the first is
  // dropped); eInvalidInput otherwise, and nothing changes.
  Vexa::ErrorStatus setClipBoundary(ClipBoundaryType type, const QvGePoint2dArray& points);
  // Shows the whole image again.
  Vexa::ErrorStatus resetClipBoundary();
  bool isClipped() const;
  ClipBoundaryType clipBoundaryType() const;
  const QvGePoint2dArray& clipBoundary() const;

  // The boundary of what shows, in the world, in order and without repeating the first point:
  // the clip boundary when clipped (a rectangle as its four corners), else the four corners
  // of the frame from the origin on (origin, origin + u, origin + u + v, origin + v).
  virtual Vexa::ErrorStatus getVertices(QvGePoint3dArray& vertices) const;

  // A point in pixels, in the world.
  QvGePoint3d pixelToWorld(const QvGePoint2d& pixel) const;

  // The definition of the picture shown (QvDbRasterImageDef), null for none; a definition must
  // be of the image's database (eWrongDatabase).
  QvDbObjectId imageDefId() const;
  Vexa::ErrorStatus setImageDefId(QvDbObjectId imageDefId);

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbRasterImage(const QvDbRasterImage&) = default;
  QvDbRasterImage& operator=(const QvDbRasterImage&) = default;

  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The boundary vertices.
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The boundary, closed (the picture itself is not drawn).
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  QvGePoint3d origin_;
  QvGeVector3d u_ = QvGeVector3d::kXAxis;
  QvGeVector3d v_ = QvGeVector3d::kYAxis;
  QvGeVector2d imageSize_{1.0, 1.0};
  ClipBoundaryType clipType_ = kInvalid;
  QvGePoint2dArray clipBoundary_;
  QvDbObjectId imageDefId_;
};
