#include "sdk/db/QvDbMText.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbIdVisitor.h"
#include "sdk/db/QvDbTextMetrics.h"
#include "sdk/db/QvDbTextStyleTableRecord.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbMText)

QvString QvDbMText::contents() const {
  assertReadEnabled();
  return contents_;
}

Vexa::ErrorStatus QvDbMText::setContents(const wchar_t* contents) {
  if (!contents) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  contents_ = contents;
  return Vexa::eOk;
}

QvString QvDbMText::text() const {
  assertReadEnabled();
  return QvDbTextMetrics::plainText(contents_);
}

QvGePoint3d QvDbMText::location() const {
  assertReadEnabled();
  return location_;
}

Vexa::ErrorStatus QvDbMText::setLocation(const QvGePoint3d& location) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  location_ = location;
  return Vexa::eOk;
}

double QvDbMText::textHeight() const {
  assertReadEnabled();
  return height_;
}

Vexa::ErrorStatus QvDbMText::setTextHeight(double height) {
  if (!(height > 0.0) || !std::isfinite(height)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  height_ = height;
  return Vexa::eOk;
}

double QvDbMText::width() const {
  assertReadEnabled();
  return width_;
}

Vexa::ErrorStatus QvDbMText::setWidth(double width) {
  if (!(width >= 0.0) || !std::isfinite(width)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  width_ = width;
  return Vexa::eOk;
}

double QvDbMText::lineSpacingFactor() const {
  assertReadEnabled();
  return lineSpacing_;
}

Vexa::ErrorStatus QvDbMText::setLineSpacingFactor(double factor) {
  if (!(factor >= 0.25 && factor <= 4.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  lineSpacing_ = factor;
  return Vexa::eOk;
}

QvDbMText::AttachmentPoint QvDbMText::attachment() const {
  assertReadEnabled();
  return attachment_;
}

Vexa::ErrorStatus QvDbMText::setAttachment(AttachmentPoint attachment) {
  if (attachment < kTopLeft || attachment > kBottomRight) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  attachment_ = attachment;
  return Vexa::eOk;
}

QvGeVector3d QvDbMText::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbMText::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // The direction keeps its angle in the new plane.
  const double angle = qvdb_detail::angleInFrame(direction_, normal_);
  normal_ = normal.normal();
  direction_ = qvdb_detail::directionInFrame(angle, normal_);
  return Vexa::eOk;
}

QvGeVector3d QvDbMText::direction() const {
  assertReadEnabled();
  return direction_;
}

Vexa::ErrorStatus QvDbMText::setDirection(const QvGeVector3d& direction) {
  const QvGeVector3d inPlane = direction.orthoProject(normal_);
  if (inPlane.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = inPlane.normal();
  return Vexa::eOk;
}

double QvDbMText::rotation() const {
  assertReadEnabled();
  return qvdb_detail::angleInFrame(direction_, normal_);
}

Vexa::ErrorStatus QvDbMText::setRotation(double angle) {
  if (!std::isfinite(angle)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  direction_ = qvdb_detail::directionInFrame(angle, normal_);
  return Vexa::eOk;
}

QvDbObjectId QvDbMText::textStyle() const {
  assertReadEnabled();
  return style_;
}

Vexa::ErrorStatus QvDbMText::setTextStyle(QvDbObjectId styleId) {
  if (const Vexa::ErrorStatus es = checkReference(styleId, QvDbTextStyleTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  style_ = styleId;
  return Vexa::eOk;
}

int QvDbMText::numLines() const {
  assertReadEnabled();
  return QvDbTextMetrics::lines(contents_, height_, width_).length();
}

double QvDbMText::actualHeight() const {
  assertReadEnabled();
  const int n = QvDbTextMetrics::lines(contents_, height_, width_).length();
  return height_ + (n - 1) * QvDbTextMetrics::kLineSpacing * height_ * lineSpacing_;
}

double QvDbMText::actualWidth() const {
  assertReadEnabled();
  const QvArray<QvString> lines = QvDbTextMetrics::lines(contents_, height_, width_);
  double widest = 0.0;
  for (int i = 0; i < lines.length(); ++i)
    widest = std::max(widest, QvDbTextMetrics::width(lines[i], height_));
  return widest;
}

QvGeVector3d QvDbMText::upDirection() const {
  return normal_.crossProduct(direction_);
}

QvGePoint3d QvDbMText::topLeft() const {
  const double boxWidth = width_ > 0.0 ? width_ : actualWidth();
  const double boxHeight = actualHeight();
  const int column = (attachment_ - 1) % 3;  // 0 left, 1 center, 2 right
  const int row = (attachment_ - 1) / 3;     // 0 top, 1 middle, 2 bottom
  return location_ - direction_ * (0.5 * column * boxWidth) +
         upDirection() * (0.5 * row * boxHeight);
}

Vexa::ErrorStatus QvDbMText::getBoundingPoints(QvGePoint3dArray& points) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const QvGePoint3d tl = topLeft();
  const QvGeVector3d across = direction_ * (width_ > 0.0 ? width_ : actualWidth());
  const QvGeVector3d down = upDirection() * -actualHeight();
  points.append(tl);
  points.append(tl + across);
  points.append(tl + down);
  points.append(tl + down + across);
  return Vexa::eOk;
}

void QvDbMText::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!style_.isNull()) visitor.visit(style_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbMText::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  QvGeVector3d run = direction_, up = upDirection();
  run.transformBy(xform);
  up.transformBy(xform);
  const double runLength = run.length(), upLength = up.length();
  if (!(runLength > 0.0) || !(upLength > 0.0)) return Vexa::eDegenerateGeometry;
  if (std::fabs(run.dotProduct(up)) > QvGePrecision::kRelative * runLength * upLength)
    return Vexa::eNotApplicable;
  // The lines stay upright: after a mirror (a frame of the other hand) they read along the
  // image of the baseline turned round, and the box keeps its attachment at the location.
  QvGeVector3d direction = (run / runLength).orthoProject(normal).normal();
  if (direction.crossProduct(up).dotProduct(normal) < 0.0) direction = -direction;
  location_.transformBy(xform);
  normal_ = normal;
  direction_ = direction;
  height_ *= upLength;
  width_ *= runLength;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMText::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray points;
  getBoundingPoints(points);
  for (int i = 0; i < points.length(); ++i) extents.addPoint(points[i]);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMText::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(location_, QvDb::kOsModeIns);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMText::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  plane.set(location_, normal_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMText::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  QvGePoint3dArray p;
  getBoundingPoints(p);
  if (p[0].isEqualTo(p[1]) || p[0].isEqualTo(p[2])) return Vexa::eOk;
  const int order[5] = {0, 1, 3, 2, 0};
  for (int i = 0; i < 4; ++i) curves.append(new QvGeLineSeg3d(p[order[i]], p[order[i + 1]]));
  return Vexa::eOk;
}

void QvDbMText::subSetDatabaseDefaults(QvDbDatabase* db) {
  const QvDbObjectId style = db->textstyle();
  if (!style.isNull() && (!isResident() || style.database() == database())) style_ = style;
}

bool QvDbMText::subWorldDraw(QvGiWorldDraw* wd) {
  const QvArray<QvString> lines = QvDbTextMetrics::lines(contents(), height_, width_);
  const QvGeVector3d down = -upDirection();
  const double step = QvDbTextMetrics::kLineSpacing * height_ * lineSpacing_;
  QvGePoint3d baseline = topLeft() + down * height_;
  for (int i = 0; i < lines.length(); ++i) {
    wd->geometry().text(baseline, normal_, direction_, height_, 1.0, 0.0, lines[i]);
    baseline += down * step;
  }
  return true;
}
