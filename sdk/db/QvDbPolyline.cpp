#include "sdk/db/QvDbPolyline.h"

#include <cmath>

#include "sdk/db/QvDbPolylineImp.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbPolyline)

using qvdb_detail::ChainSegment;
using qvdb_detail::ChainVertex;
using qvdb_detail::SegmentChain;

QvDbPolyline::QvDbPolyline(unsigned int numVerts) {
  vertices_.reserve(numVerts);
}

unsigned int QvDbPolyline::numVerts() const {
  assertReadEnabled();
  return static_cast<unsigned int>(vertices_.size());
}

double QvDbPolyline::defaultWidth() const {
  double width = 0.0;
  return getConstantWidth(width) == Vexa::eOk ? width : 0.0;
}

Vexa::ErrorStatus QvDbPolyline::addVertexAt(unsigned int index, const QvGePoint2d& point,
                                            double bulge, double startWidth, double endWidth,
                                            int vertexIdentifier) {
  if (index > vertices_.size()) return Vexa::eInvalidIndex;
  if (!std::isfinite(point.x) || !std::isfinite(point.y) || !std::isfinite(bulge))
    return Vexa::eInvalidInput;
  if ((startWidth < 0.0 && startWidth != -1.0) || (endWidth < 0.0 && endWidth != -1.0))
    return Vexa::eInvalidInput;
  // Only a default width looks at the other vertices: adding n vertices with widths given
  // stays linear.
  const double byDefault = startWidth < 0.0 || endWidth < 0.0 ? defaultWidth() : 0.0;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  ChainVertex v;
  v.point.set(point.x, point.y, 0.0);
  v.bulge = bulge;
  v.startWidth = startWidth < 0.0 ? byDefault : startWidth;
  v.endWidth = endWidth < 0.0 ? byDefault : endWidth;
  v.identifier = vertexIdentifier;
  vertices_.insert(vertices_.begin() + index, v);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::removeVertexAt(unsigned int index) {
  if (index >= vertices_.size()) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_.erase(vertices_.begin() + index);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::reset(bool reuse, unsigned int numVerts) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (!reuse)
    vertices_.clear();
  else if (vertices_.size() > numVerts)
    vertices_.resize(numVerts);
  vertices_.reserve(numVerts);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getPointAt(unsigned int index, QvGePoint2d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  point.set(vertices_[index].point.x, vertices_[index].point.y);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getPointAt(unsigned int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  point = vertices_[index].point;
  point.transformBy(chainToWorld());
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::setPointAt(unsigned int index, const QvGePoint2d& point) {
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  if (!std::isfinite(point.x) || !std::isfinite(point.y)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index].point.set(point.x, point.y, 0.0);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  bulge = vertices_[index].bulge;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::setBulgeAt(unsigned int index, double bulge) {
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  if (!std::isfinite(bulge)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index].bulge = bulge;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getWidthsAt(unsigned int index, double& startWidth,
                                            double& endWidth) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  startWidth = vertices_[index].startWidth;
  endWidth = vertices_[index].endWidth;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::setWidthsAt(unsigned int index, double startWidth,
                                            double endWidth) {
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  if (!(startWidth >= 0.0) || !(endWidth >= 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index].startWidth = startWidth;
  vertices_[index].endWidth = endWidth;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getStartWidthAt(unsigned int index, double& width) const {
  double end = 0.0;
  return getWidthsAt(index, width, end);
}

Vexa::ErrorStatus QvDbPolyline::getEndWidthAt(unsigned int index, double& width) const {
  double start = 0.0;
  return getWidthsAt(index, start, width);
}

Vexa::ErrorStatus QvDbPolyline::getConstantWidth(double& width) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (vertices_.empty()) return Vexa::eNotApplicable;
  const double w = vertices_.front().startWidth;
  for (const ChainVertex& v : vertices_)
    if (v.startWidth != w || v.endWidth != w) return Vexa::eNotApplicable;
  width = w;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::setConstantWidth(double width) {
  if (!(width >= 0.0) || !std::isfinite(width)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  for (ChainVertex& v : vertices_) v.startWidth = v.endWidth = width;
  return Vexa::eOk;
}

bool QvDbPolyline::isOnlyLines() const {
  assertReadEnabled();
  for (const ChainVertex& v : vertices_)
    if (v.bulge != 0.0) return false;
  return true;
}

QvDbPolyline::SegType QvDbPolyline::segType(unsigned int index) const {
  assertReadEnabled();
  if (vertices_.empty()) return kEmpty;
  if (vertices_.size() == 1) return kPoint;
  const SegmentChain chain(vertices_, closed_, chainToWorld(), normal_);
  ChainSegment seg;
  if (!chain.segmentAt(static_cast<int>(index), seg)) return kEmpty;
  if (seg.isArc) return kArc;
  return seg.line.length() <= QvGeContext::gTol.equalPoint() ? kCoincident : kLine;
}

Vexa::ErrorStatus QvDbPolyline::getLineSegAt(unsigned int index, QvGeLineSeg3d& segment) const {
  return withChain([&](const SegmentChain& chain) {
    ChainSegment seg;
    if (!chain.segmentAt(static_cast<int>(index), seg) || seg.isArc) return Vexa::eNotApplicable;
    segment = seg.line;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbPolyline::getLineSegAt(unsigned int index, QvGeLineSeg2d& segment) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (segType(index) != kLine && segType(index) != kCoincident) return Vexa::eNotApplicable;
  const ChainVertex& a = vertices_[index];
  const ChainVertex& b = vertices_[(index + 1) % vertices_.size()];
  segment.set(QvGePoint2d(a.point.x, a.point.y), QvGePoint2d(b.point.x, b.point.y));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::getArcSegAt(unsigned int index, QvGeCircArc3d& arc) const {
  return withChain([&](const SegmentChain& chain) {
    ChainSegment seg;
    if (!chain.segmentAt(static_cast<int>(index), seg) || !seg.isArc) return Vexa::eNotApplicable;
    arc = seg.arc;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbPolyline::getArcSegAt(unsigned int index, QvGeCircArc2d& arc) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (segType(index) != kArc) return Vexa::eNotApplicable;
  const ChainVertex& a = vertices_[index];
  const ChainVertex& b = vertices_[(index + 1) % vertices_.size()];
  // The 2D arc through the segment's ends and its middle, in OCS.
  const SegmentChain chain(vertices_, closed_, QvGeMatrix3d::kIdentity, QvGeVector3d::kZAxis);
  const QvGePoint3d mid = chain.pointAt(index + 0.5);
  return arc.set(QvGePoint2d(a.point.x, a.point.y), QvGePoint2d(mid.x, mid.y),
                 QvGePoint2d(b.point.x, b.point.y));
}

bool QvDbPolyline::onSegAt(unsigned int index, const QvGePoint2d& point, double& param) const {
  assertReadEnabled();
  const SegmentChain chain(vertices_, closed_, QvGeMatrix3d::kIdentity, QvGeVector3d::kZAxis);
  ChainSegment seg;
  if (!chain.segmentAt(static_cast<int>(index), seg)) return false;
  const QvGePoint3d p(point.x, point.y, 0.0);
  double t = 0.0;
  if (seg.curve().closestPointTo(p, t).distanceTo(p) > pointTolerance(p)) return false;
  param = index + (t - seg.lower()) / seg.span();
  return true;
}

bool QvDbPolyline::isClosed() const {
  assertReadEnabled();
  return closed_;
}

Vexa::ErrorStatus QvDbPolyline::setClosed(bool closed) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  closed_ = closed;
  return Vexa::eOk;
}

bool QvDbPolyline::hasPlinegen() const {
  assertReadEnabled();
  return plinegen_;
}

Vexa::ErrorStatus QvDbPolyline::setPlinegen(bool plinegen) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  plinegen_ = plinegen;
  return Vexa::eOk;
}

double QvDbPolyline::elevation() const {
  assertReadEnabled();
  return elevation_;
}

Vexa::ErrorStatus QvDbPolyline::setElevation(double elevation) {
  if (!std::isfinite(elevation)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  elevation_ = elevation;
  return Vexa::eOk;
}

double QvDbPolyline::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDbPolyline::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

QvGeVector3d QvDbPolyline::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbPolyline::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

int QvDbPolyline::vertexIdentifierAt(unsigned int index) const {
  assertReadEnabled();
  return validIndex(index) ? vertices_[index].identifier : 0;
}

Vexa::ErrorStatus QvDbPolyline::setVertexIdentifierAt(unsigned int index, int identifier) {
  if (!validIndex(index)) return Vexa::eInvalidIndex;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index].identifier = identifier;
  return Vexa::eOk;
}

int64_t QvDbPolyline::getGsMarkerByPoint(const QvGePoint3d& point, double tol) const {
  int64_t marker = 0;
  withChain([&](const SegmentChain& chain) {
    ChainSegment seg;
    for (int i = 0; i < chain.numSegments() && marker == 0; ++i)
      if (chain.segmentAt(i, seg) && seg.curve().closestPointTo(point).distanceTo(point) <= tol)
        marker = i + 1;
    return Vexa::eOk;
  });
  return marker;
}

Vexa::ErrorStatus QvDbPolyline::reverseCurve() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_ = SegmentChain::reversed(vertices_, closed_);
  return Vexa::eOk;
}

const std::vector<ChainVertex>& QvDbPolyline::chainVertices(std::vector<ChainVertex>&) const {
  return vertices_;
}

QvGeMatrix3d QvDbPolyline::chainToWorld() const {
  return QvGeMatrix3d::planeToWorld(normal_) *
         QvGeMatrix3d::translation(QvGeVector3d(0.0, 0.0, elevation_));
}

QvGeVector3d QvDbPolyline::chainNormal() const {
  return normal_;
}

QvDbCurve* QvDbPolyline::newPiece(const std::vector<ChainVertex>& worldVertices, bool closed,
                                  const QvGeVector3d& normal) const {
  if (normal.isZeroLength()) return nullptr;
  auto* piece = new QvDbPolyline(static_cast<unsigned int>(worldVertices.size()));
  piece->normal_ = normal.normal();
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(piece->normal_);
  for (size_t i = 0; i < worldVertices.size(); ++i) {
    ChainVertex v = worldVertices[i];
    v.point.transformBy(toPlane);
    if (i == 0) piece->elevation_ = v.point.z;
    v.point.z = 0.0;
    piece->vertices_.push_back(v);
  }
  piece->closed_ = closed;
  piece->thickness_ = thickness_;
  piece->plinegen_ = plinegen_;
  return piece;
}

Vexa::ErrorStatus QvDbPolyline::applyEndChange(const SegmentChain::EndChange& change) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const size_t end = change.atStart ? 0 : vertices_.size() - 1;
  const size_t seg = change.atStart ? 0 : vertices_.size() - 2;
  vertices_[end].point.set(change.point.x, change.point.y, 0.0);
  vertices_[seg].bulge = change.bulge;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyline::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  // Arcs stay arcs only under maps that keep the plane's shapes; widths scale with the plane.
  double factor = 0.0;
  if (!qvdb_detail::isUniformInPlane(xform, normal_, factor)) {
    if (!isOnlyLines()) return Vexa::eNotApplicable;
    factor = qvdb_detail::areaScaleInPlane(xform, normal_);
  }
  // Vertices to the world, through the matrix, into the new plane.
  const QvGeMatrix3d toWorld = chainToWorld();
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(normal);
  std::vector<ChainVertex> moved = vertices_;
  double elevation = elevation_;
  for (size_t i = 0; i < moved.size(); ++i) {
    QvGePoint3d p = moved[i].point;
    p.transformBy(toWorld).transformBy(xform).transformBy(toPlane);
    if (i == 0) elevation = p.z;
    moved[i].point.set(p.x, p.y, 0.0);
    // A mirror runs every arc the other way round about the kept normal.
    if (qvdb_detail::isMirroring(xform)) moved[i].bulge = -moved[i].bulge;
    moved[i].startWidth *= factor;
    moved[i].endWidth *= factor;
  }
  if (vertices_.empty()) {
    QvGePoint3d origin(0.0, 0.0, elevation_);
    origin.transformBy(toWorld).transformBy(xform).transformBy(toPlane);
    elevation = origin.z;
  }
  vertices_ = std::move(moved);
  normal_ = normal;
  elevation_ = elevation;
  return Vexa::eOk;
}

QvDbImpObject* QvDbPolyline::createImpObject() {
  return new QvDbPolylineImp(this);
}

QvDbPolylineImp::QvDbPolylineImp(QvDbPolyline* polyline)
    : QvDbImpObject(polyline), polyline_(polyline) {}

Vexa::ErrorStatus QvDbPolylineImp::setVertexIdentifierAt(unsigned int index, int identifier) {
  return polyline_->setVertexIdentifierAt(index, identifier);
}

int QvDbPolylineImp::vertexIdentifierAt(unsigned int index) const {
  return polyline_->vertexIdentifierAt(index);
}

int64_t QvDbPolylineImp::getGsMarkerByPoint(const QvGePoint3d& point, const QvGeTol& tol) const {
  return polyline_->getGsMarkerByPoint(point, tol.equalPoint());
}
