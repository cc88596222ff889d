#include "sdk/db/QvDbSection.h"

#include <cmath>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSection)

namespace {

bool finite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Whether the direction rises from the first segment (neither zero nor along it).
bool rises(const QvGePoint3dArray& vertices, const QvGeVector3d& direction) {
  const QvGeVector3d along = vertices[1] - vertices[0];
  const double cross = along.crossProduct(direction).length();
  return cross > 1e-12 * along.length() * direction.length();
}

}  // namespace

QvDbSection::QvDbSection(const QvGePoint3dArray& vertices, const QvGeVector3d& verticalDirection) {
  setSectionLine(vertices, verticalDirection);
}

Vexa::ErrorStatus QvDbSection::setSectionLine(const QvGePoint3dArray& vertices,
                                              const QvGeVector3d& verticalDirection) {
  if (vertices.length() < 2 || !finite(verticalDirection)) return Vexa::eInvalidInput;
  for (int i = 0; i < vertices.length(); ++i) {
    if (!finite(vertices[i])) return Vexa::eInvalidInput;
    if (i > 0 && vertices[i].isEqualTo(vertices[i - 1])) return Vexa::eInvalidInput;
  }
  if (!rises(vertices, verticalDirection)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_ = vertices;
  verticalDirection_ = verticalDirection / verticalDirection.length();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::setVertices(const QvGePoint3dArray& vertices) {
  return setSectionLine(vertices, verticalDirection_);
}

int QvDbSection::numVertices() const {
  assertReadEnabled();
  return vertices_.length();
}

Vexa::ErrorStatus QvDbSection::getVertex(int index, QvGePoint3d& vertex) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= vertices_.length()) return Vexa::eInvalidIndex;
  vertex = vertices_[index];
  return Vexa::eOk;
}

QvGePoint3dArray QvDbSection::vertices() const {
  assertReadEnabled();
  return vertices_;
}

Vexa::ErrorStatus QvDbSection::setVerticalDirection(const QvGeVector3d& direction) {
  return setSectionLine(vertices_, direction);
}

QvGeVector3d QvDbSection::verticalDirection() const {
  assertReadEnabled();
  return verticalDirection_;
}

Vexa::ErrorStatus QvDbSection::setBackLine(const QvGePoint3dArray& vertices) {
  for (const QvGePoint3d& p : vertices)
    if (!finite(p)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  backLine_ = vertices;
  return Vexa::eOk;
}

QvGePoint3dArray QvDbSection::backLine() const {
  assertReadEnabled();
  return backLine_;
}

QvString QvDbSection::name() const {
  assertReadEnabled();
  return name_;
}

Vexa::ErrorStatus QvDbSection::setName(const QvString& name) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  name_ = name;
  return Vexa::eOk;
}

QvDbSection::State QvDbSection::state() const {
  assertReadEnabled();
  return state_;
}

Vexa::ErrorStatus QvDbSection::setState(State state) {
  if (state != kPlane && state != kBoundary && state != kVolume) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  state_ = state;
  return Vexa::eOk;
}

int QvDbSection::flags() const {
  assertReadEnabled();
  return flags_;
}

Vexa::ErrorStatus QvDbSection::setFlags(int flags) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  flags_ = flags;
  return Vexa::eOk;
}

double QvDbSection::topHeight() const {
  assertReadEnabled();
  return topHeight_;
}

double QvDbSection::bottomHeight() const {
  assertReadEnabled();
  return bottomHeight_;
}

Vexa::ErrorStatus QvDbSection::setHeights(double bottom, double top) {
  if (!std::isfinite(bottom) || !std::isfinite(top) || bottom < 0.0 || top < 0.0)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  bottomHeight_ = bottom;
  topHeight_ = top;
  return Vexa::eOk;
}

int QvDbSection::indicatorTransparency() const {
  assertReadEnabled();
  return transparency_;
}

Vexa::ErrorStatus QvDbSection::setIndicatorTransparency(int transparency) {
  if (transparency < 0 || transparency > 100) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  transparency_ = transparency;
  return Vexa::eOk;
}

int QvDbSection::indicatorColorIndex() const {
  assertReadEnabled();
  return colorIndex_;
}

Vexa::ErrorStatus QvDbSection::setIndicatorColorIndex(int color) {
  if (color < 0 || color > 256) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  colorIndex_ = color;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  QvGePoint3dArray vertices = vertices_;
  for (QvGePoint3d& p : vertices) p.transformBy(xform);
  QvGeVector3d vertical = verticalDirection_;
  vertical.transformBy(xform);
  if (!(vertical.length() > 0.0)) return Vexa::eDegenerateGeometry;
  vertices_ = vertices;
  for (QvGePoint3d& p : backLine_) p.transformBy(xform);
  verticalDirection_ = vertical / vertical.length();
  const double factor = xform.scale();
  topHeight_ *= factor;
  bottomHeight_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::subGetGeomExtents(QvDbExtents& extents) const {
  for (const QvGePoint3d& p : vertices_) extents.addPoint(p);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                QvDbIntArray& osnapModes,
                                                QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (const QvGePoint3d& p : vertices_) grips.add(p, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  plane = QvGePlane(vertices_[0], vertices_[1] - vertices_[0], verticalDirection_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbSection::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  for (int i = 0; i + 1 < vertices_.length(); ++i)
    curves.append(new QvGeLineSeg3d(vertices_[i], vertices_[i + 1]));
  return Vexa::eOk;
}

bool QvDbSection::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  wd->geometry().polyline(vertices_.length(), vertices_.asArrayPtr());
  return true;
}
