#include "sdk/db/QvDbFcf.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbTextMetrics.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbFcf)

namespace {

const QvString kRowBreak = L"\n";
const QvString kCompartmentBreak = L"%%v";

// The pieces of `text` between the separators.
QvArray<QvString> split(const QvString& text, const QvString& separator) {
  QvArray<QvString> pieces;
  int start = 0;
  for (int found = text.find(separator); found != QvString::kNotFound;
       found = text.find(separator, start)) {
    pieces.append(text.mid(start, found - start));
    start = found + separator.length();
  }
  pieces.append(text.mid(start));
  return pieces;
}

// The direction made perpendicular to the unit normal and of unit length; false when nothing
// is left of it.
bool inPlaneDirection(const QvGeVector3d& unitNormal, const QvGeVector3d& direction,
                      QvGeVector3d& result) {
  const QvGeVector3d inPlane = direction - unitNormal * direction.dotProduct(unitNormal);
  if (inPlane.isZeroLength()) return false;
  result = inPlane.normal();
  return true;
}

}  // namespace

QvDbFcf::QvDbFcf(const wchar_t* text, const QvGePoint3d& location, const QvGeVector3d& normal,
                 const QvGeVector3d& direction)
    : text_(text), location_(location) {
  setOrientation(normal, direction);
}

QvString QvDbFcf::text() const {
  assertReadEnabled();
  return text_;
}

Vexa::ErrorStatus QvDbFcf::setText(const wchar_t* text) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  text_ = text;
  return Vexa::eOk;
}

QvGePoint3d QvDbFcf::location() const {
  assertReadEnabled();
  return location_;
}

Vexa::ErrorStatus QvDbFcf::setLocation(const QvGePoint3d& location) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  location_ = location;
  return Vexa::eOk;
}

QvGeVector3d QvDbFcf::normal() const {
  assertReadEnabled();
  return normal_;
}

QvGeVector3d QvDbFcf::direction() const {
  assertReadEnabled();
  return direction_;
}

Vexa::ErrorStatus QvDbFcf::setOrientation(const QvGeVector3d& normal,
                                          const QvGeVector3d& direction) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  const QvGeVector3d unitNormal = normal.normal();
  QvGeVector3d unitDirection;
  if (!inPlaneDirection(unitNormal, direction, unitDirection)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = unitNormal;
  direction_ = unitDirection;
  return Vexa::eOk;
}

double QvDbFcf::textHeight() const {
  assertReadEnabled();
  return textHeight_;
}

Vexa::ErrorStatus QvDbFcf::setTextHeight(double height) {
  if (!(height > 0.0) || !std::isfinite(height)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  textHeight_ = height;
  return Vexa::eOk;
}

void QvDbFcf::frameSize(double& width, double& height) const {
  const QvArray<QvString> rows = split(text_, kRowBreak);
  width = 0.0;
  for (const QvString& row : rows) {
    double rowWidth = 0.0;
    for (const QvString& compartment : split(row, kCompartmentBreak))
      rowWidth += QvDbTextMetrics::width(compartment, textHeight_) + textHeight_;
    width = std::max(width, rowWidth);
  }
  height = 2.0 * textHeight_ * rows.length();
}

void QvDbFcf::corners(QvGePoint3dArray& points) const {
  double width = 0.0;
  double height = 0.0;
  frameSize(width, height);
  const QvGeVector3d up = normal_.crossProduct(direction_);
  const QvGePoint3d topLeft = location_ + up * textHeight_;
  const QvGePoint3d bottomLeft = topLeft - up * height;
  points.append(topLeft);
  points.append(topLeft + direction_ * width);
  points.append(bottomLeft);
  points.append(bottomLeft + direction_ * width);
}

Vexa::ErrorStatus QvDbFcf::getBoundingPoints(QvGePoint3dArray& points) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  corners(points);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFcf::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d run = direction_;
  QvGeVector3d up = normal_.crossProduct(direction_);
  run.transformBy(xform);
  up.transformBy(xform);
  const double scale = run.length();
  if (!(scale > 0.0) || up.isZeroLength() || run.isParallelTo(up)) return Vexa::eDegenerateGeometry;
  // The boxes keep their shape only when both axes stretch alike and stay square.
  const double tolerance = QvGePrecision::kRelative * scale;
  if (std::fabs(up.length() - scale) > tolerance ||
      std::fabs(run.dotProduct(up)) > tolerance * scale)
    return Vexa::eNotApplicable;
  // The plane of the moved axes: a mirror turns it over, so that the frame is the mirror image.
  location_.transformBy(xform);
  normal_ = run.crossProduct(up).normal();
  direction_ = run / scale;
  textHeight_ *= scale;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFcf::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray points;
  corners(points);
  for (const QvGePoint3d& point : points) extents.addPoint(point);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbFcf::subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                            QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  grips.add(location_, QvDb::kOsModeIns);
  return Vexa::eOk;
}

bool QvDbFcf::subWorldDraw(QvGiWorldDraw* wd) {
  QvGePoint3dArray p;
  corners(p);
  const QvGePoint3d outline[5] = {p[0], p[1], p[3], p[2], p[0]};
  wd->geometry().polyline(5, outline, &normal_);
  return true;
}
