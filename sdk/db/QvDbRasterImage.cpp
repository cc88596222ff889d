#include "sdk/db/QvDbRasterImage.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRasterImage)

namespace {

// u and v span a parallelogram.
bool spansFrame(const QvGeVector3d& u, const QvGeVector3d& v) {
  return !u.isZeroLength() && !v.isZeroLength() && !u.isParallelTo(v);
}

}  // namespace

Vexa::ErrorStatus QvDbRasterImage::setOrientation(const QvGePoint3d& origin, const QvGeVector3d& u,
                                                  const QvGeVector3d& v) {
  if (!spansFrame(u, v)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  origin_ = origin;
  u_ = u;
  v_ = v;
  return Vexa::eOk;
}

void QvDbRasterImage::getOrientation(QvGePoint3d& origin, QvGeVector3d& u, QvGeVector3d& v) const {
  assertReadEnabled();
  origin = origin_;
  u = u_;
  v = v_;
}

QvGeVector2d QvDbRasterImage::imageSize() const {
  assertReadEnabled();
  return imageSize_;
}

Vexa::ErrorStatus QvDbRasterImage::setImageSize(double width, double height) {
  if (!(width > 0.0) || !(height > 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  imageSize_.set(width, height);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRasterImage::setClipBoundary(ClipBoundaryType type,
                                                   const QvGePoint2dArray& points) {
  QvGePoint2dArray boundary = points;
  if (type == kRect) {
    if (boundary.length() != 2 || boundary[0].x == boundary[1].x || boundary[0].y == boundary[1].y)
      return Vexa::eInvalidInput;
  } else if (type == kPoly) {
    if (boundary.length() > 1 && boundary.first().isEqualTo(boundary.last())) boundary.removeLast();
    if (boundary.length() < 3) return Vexa::eInvalidInput;
  } else {
    return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  clipType_ = type;
  clipBoundary_ = boundary;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRasterImage::resetClipBoundary() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  clipType_ = kInvalid;
  clipBoundary_.removeAll();
  return Vexa::eOk;
}

bool QvDbRasterImage::isClipped() const {
  assertReadEnabled();
  return clipType_ != kInvalid;
}

QvDbRasterImage::ClipBoundaryType QvDbRasterImage::clipBoundaryType() const {
  assertReadEnabled();
  return clipType_;
}

const QvGePoint2dArray& QvDbRasterImage::clipBoundary() const {
  assertReadEnabled();
  return clipBoundary_;
}

QvGePoint3d QvDbRasterImage::pixelToWorld(const QvGePoint2d& pixel) const {
  assertReadEnabled();
  return origin_ + u_ * (pixel.x / imageSize_.x) + v_ * (pixel.y / imageSize_.y);
}

QvDbObjectId QvDbRasterImage::imageDefId() const {
  assertReadEnabled();
  return imageDefId_;
}

Vexa::ErrorStatus QvDbRasterImage::setImageDefId(QvDbObjectId imageDefId) {
  if (isResident() && !imageDefId.isNull() && imageDefId.database() != database())
    return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  imageDefId_ = imageDefId;
  return Vexa::eOk;
}

void QvDbRasterImage::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!imageDefId_.isNull()) visitor.visit(imageDefId_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbRasterImage::getVertices(QvGePoint3dArray& vertices) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (clipType_ == kRect) {
    const QvGePoint2d& a = clipBoundary_[0];
    const QvGePoint2d& b = clipBoundary_[1];
    for (const QvGePoint2d& corner : {a, QvGePoint2d(b.x, a.y), b, QvGePoint2d(a.x, b.y)})
      vertices.append(pixelToWorld(corner));
  } else if (clipType_ == kPoly) {
    for (const QvGePoint2d& point : clipBoundary_) vertices.append(pixelToWorld(point));
  } else {
    for (const QvGePoint3d& corner : {origin_, origin_ + u_, origin_ + u_ + v_, origin_ + v_})
      vertices.append(corner);
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRasterImage::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d u = u_;
  QvGeVector3d v = v_;
  u.transformBy(xform);
  v.transformBy(xform);
  if (!spansFrame(u, v)) return Vexa::eDegenerateGeometry;
  origin_.transformBy(xform);
  u_ = u;
  v_ = v;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbRasterImage::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray vertices;
  if (const Vexa::ErrorStatus es = getVertices(vertices); es != Vexa::eOk) return es;
  for (const QvGePoint3d& vertex : vertices) extents.addPoint(vertex);
  return Vexa::eOk;
}

bool QvDbRasterImage::subWorldDraw(QvGiWorldDraw* wd) {
  QvGePoint3dArray outline;
  getVertices(outline);
  outline.append(outline.first());
  wd->geometry().polyline(outline.length(), outline.asArrayPtr());
  return true;
}
