#include "sdk/db/QvDbMline.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiSubEntityTraits.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbMline)

namespace {

bool finite(const QvGePoint3d& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(const QvGeVector3d& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

QvGeVector3d unitOr(const QvGeVector3d& v, const QvGeVector3d& fallback) {
  const double length = v.length();
  return length > 1e-12 ? v / length : fallback;
}

// The point seen along a unit direction: its part across the direction.
QvGeVector3d across(const QvGeVector3d& v, const QvGeVector3d& dir) {
  return v - dir * v.dotProduct(dir);
}

}  // namespace

QvDbObjectId QvDbMline::style() const {
  assertReadEnabled();
  return styleId_;
}

Vexa::ErrorStatus QvDbMline::setStyle(QvDbObjectId styleId, const QvGeDoubleArray& elementOffsets) {
  if (elementOffsets.isEmpty()) return Vexa::eInvalidInput;
  for (const double offset : elementOffsets)
    if (!std::isfinite(offset)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  styleId_ = styleId;
  offsets_ = elementOffsets;
  recompute();
  return Vexa::eOk;
}

QvGeDoubleArray QvDbMline::elementOffsets() const {
  assertReadEnabled();
  return offsets_;
}

int QvDbMline::numElements() const {
  assertReadEnabled();
  return offsets_.length();
}

QvDbMline::Justification QvDbMline::justification() const {
  assertReadEnabled();
  return justification_;
}

Vexa::ErrorStatus QvDbMline::setJustification(Justification justification) {
  if (justification != kTop && justification != kZero && justification != kBottom)
    return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  justification_ = justification;
  recompute();
  return Vexa::eOk;
}

double QvDbMline::scale() const {
  assertReadEnabled();
  return scale_;
}

Vexa::ErrorStatus QvDbMline::setScale(double scale) {
  if (!std::isfinite(scale) || scale == 0.0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  scale_ = scale;
  recompute();
  return Vexa::eOk;
}

QvGeVector3d QvDbMline::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbMline::setNormal(const QvGeVector3d& normal) {
  if (!finite(normal) || !(normal.length() > 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal / normal.length();
  recompute();
  return Vexa::eOk;
}

bool QvDbMline::closedMline() const {
  assertReadEnabled();
  return closed_;
}

Vexa::ErrorStatus QvDbMline::setClosedMline(bool closed) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  closed_ = closed;
  recompute();
  return Vexa::eOk;
}

bool QvDbMline::supressStartCaps() const {
  assertReadEnabled();
  return suppressStart_;
}

Vexa::ErrorStatus QvDbMline::setSupressStartCaps(bool suppress) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  suppressStart_ = suppress;
  return Vexa::eOk;
}

bool QvDbMline::supressEndCaps() const {
  assertReadEnabled();
  return suppressEnd_;
}

Vexa::ErrorStatus QvDbMline::setSupressEndCaps(bool suppress) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  suppressEnd_ = suppress;
  return Vexa::eOk;
}

int QvDbMline::numVertices() const {
  assertReadEnabled();
  return static_cast<int>(vertices_.size());
}

Vexa::ErrorStatus QvDbMline::vertexAt(int index, QvGePoint3d& point) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= static_cast<int>(vertices_.size())) return Vexa::eInvalidIndex;
  point = vertices_[index].position;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::appendSeg(const QvGePoint3d& point) {
  if (!finite(point)) return Vexa::eInvalidInput;
  QvGePoint3d onPlane = point;
  if (!vertices_.empty()) {
    const QvGePoint3d& first = vertices_.front().position;
    onPlane = point - normal_ * (point - first).dotProduct(normal_);
    if (onPlane.isEqualTo(vertices_.back().position)) return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  VertexData vertex;
  vertex.position = onPlane;
  vertices_.push_back(vertex);
  recompute();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::removeLastSeg(QvGePoint3d& lastPoint) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (vertices_.empty()) return Vexa::eInvalidIndex;
  lastPoint = vertices_.back().position;
  vertices_.pop_back();
  recompute();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::moveVertexAt(int index, const QvGePoint3d& point) {
  if (index < 0 || index >= static_cast<int>(vertices_.size())) return Vexa::eInvalidIndex;
  if (!finite(point)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_[index].position = point;
  recompute();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::getVertexData(int index, VertexData& data) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (index < 0 || index >= static_cast<int>(vertices_.size())) return Vexa::eInvalidIndex;
  data = vertices_[index];
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::setVertexData(const std::vector<VertexData>& vertices) {
  for (const VertexData& v : vertices) {
    if (!finite(v.position) || !finite(v.direction) || !finite(v.miter) ||
        static_cast<int>(v.params.size()) != offsets_.length())
      return Vexa::eInvalidInput;
    for (const QvGeDoubleArray& params : v.params)
      for (const double p : params)
        if (!std::isfinite(p)) return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  vertices_ = vertices;
  for (VertexData& v : vertices_) v.fillParams.resize(offsets_.length());
  return Vexa::eOk;
}

int QvDbMline::numSegments() const {
  assertReadEnabled();
  const int n = static_cast<int>(vertices_.size());
  if (n < 2) return 0;
  return n - 1 + (closed_ && n > 2 ? 1 : 0);
}

QvGePoint3d QvDbMline::elementPoint(int vertex, int element) const {
  const VertexData& v = vertices_[vertex];
  const double along = element < static_cast<int>(v.params.size()) && !v.params[element].isEmpty()
                           ? v.params[element].first()
                           : 0.0;
  return v.position + v.miter * along;
}

Vexa::ErrorStatus QvDbMline::getElementSegment(int segment, int element,
                                               QvGeLineSeg3d& piece) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (segment < 0 || segment >= numSegments() || element < 0 || element >= offsets_.length())
    return Vexa::eInvalidIndex;
  const int next = (segment + 1) % static_cast<int>(vertices_.size());
  piece = QvGeLineSeg3d(elementPoint(segment, element), elementPoint(next, element));
  return Vexa::eOk;
}

void QvDbMline::recompute() {
  const int n = static_cast<int>(vertices_.size());
  if (n == 0) return;
  QvGeVector3d fallback = QvGeVector3d::kXAxis;
  fallback.transformBy(QvGeMatrix3d::planeToWorld(normal_));
  const bool wraps = closed_ && n > 2;
  // The direction of each vertex's segment; the last vertex of an open line keeps the last one.
  for (int k = 0; k < n; ++k) {
    QvGeVector3d d;
    if (k + 1 < n) {
      d = vertices_[k + 1].position - vertices_[k].position;
    } else if (wraps) {
      d = vertices_[0].position - vertices_[k].position;
    }
    vertices_[k].direction = unitOr(d, k > 0 ? vertices_[k - 1].direction : fallback);
  }
  double shift = 0.0;
  if (justification_ == kTop) shift = *std::max_element(offsets_.begin(), offsets_.end());
  if (justification_ == kBottom) shift = *std::min_element(offsets_.begin(), offsets_.end());
  for (int k = 0; k < n; ++k) {
    VertexData& v = vertices_[k];
    const QvGeVector3d side = unitOr(normal_.crossProduct(v.direction), fallback);
    QvGeVector3d miter = side;
    const bool inner = (k > 0 && k + 1 < n) || (wraps && n > 2);
    if (inner) {
      const QvGeVector3d& incoming = vertices_[(k + n - 1) % n].direction;
      const QvGeVector3d before = normal_.crossProduct(incoming);
      miter = unitOr(before + side, side);
    }
    v.miter = miter;
    const double cosine = miter.dotProduct(side);
    v.params.assign(offsets_.length(), QvGeDoubleArray());
    v.fillParams.assign(offsets_.length(), QvGeDoubleArray());
    for (int i = 0; i < offsets_.length(); ++i) {
      const double offset = scale_ * (offsets_[i] - shift);
      v.params[i].append(std::fabs(cosine) > 1e-9 ? offset / cosine : offset);
    }
  }
}

Vexa::ErrorStatus QvDbMline::subTransformBy(const QvGeMatrix3d& xform) {
  if (!xform.isUniScaledOrtho()) return Vexa::eNotApplicable;
  const double factor = xform.scale();
  QvGeVector3d normal = normal_;
  normal.transformBy(xform);
  normal = unitOr(normal, normal_);
  // A mirror puts the elements on the other side of the centre line: the normal turns over so
  // that the offsets keep their sides.
  if (xform.det() < 0.0) normal = -normal;
  normal_ = normal;
  for (VertexData& v : vertices_) {
    v.position.transformBy(xform);
    v.direction.transformBy(xform);
    v.direction = unitOr(v.direction, v.direction);
    v.miter.transformBy(xform);
    v.miter = unitOr(v.miter, v.miter);
    for (QvGeDoubleArray& params : v.params)
      for (double& p : params) p *= factor;
    for (QvGeDoubleArray& params : v.fillParams)
      for (double& p : params) p *= factor;
  }
  scale_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::subExplode(QvArray<QvDbEntity*>& pieces) const {
  QvArray<QvDbEntity*> made;
  for (int s = 0; s < numSegments(); ++s) {
    for (int e = 0; e < offsets_.length(); ++e) {
      QvGeLineSeg3d piece;
      getElementSegment(s, e, piece);
      if (piece.startPoint().isEqualTo(piece.endPoint())) continue;
      auto* line = new QvDbLine(piece.startPoint(), piece.endPoint());
      line->setPropertiesFrom(this);
      made.append(line);
    }
  }
  for (QvDbEntity* line : made) pieces.append(line);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::subGetGeomExtents(QvDbExtents& extents) const {
  if (vertices_.empty()) return Vexa::eInvalidExtents;
  for (int k = 0; k < static_cast<int>(vertices_.size()); ++k)
    for (int e = 0; e < offsets_.length(); ++e) extents.addPoint(elementPoint(k, e));
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                              QvDbIntArray& osnapModes,
                                              QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (const VertexData& v : vertices_) grips.add(v.position, QvDb::kOsModeEnd);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  if (vertices_.empty()) return Vexa::eInvalidInput;
  plane = QvGePlane(vertices_.front().position, normal_);
  planarity = QvDb::kPlanar;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbMline::subGetOutlineCurves(bool, QvArray<QvGeCurve3d*>& curves) const {
  for (int s = 0; s < numSegments(); ++s) {
    for (int e = 0; e < offsets_.length(); ++e) {
      QvGeLineSeg3d piece;
      getElementSegment(s, e, piece);
      if (!piece.startPoint().isEqualTo(piece.endPoint())) curves.append(piece.copy());
    }
  }
  return Vexa::eOk;
}

bool QvDbMline::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  for (int s = 0; s < numSegments(); ++s) {
    for (int e = 0; e < offsets_.length(); ++e) {
      QvGeLineSeg3d piece;
      if (getElementSegment(s, e, piece) != Vexa::eOk) continue;
      const QvGePoint3d ends[2] = {piece.startPoint(), piece.endPoint()};
      wd->subEntityTraits().setSelectionMarker(pieceMarker(s, e));
      wd->geometry().polyline(2, ends);
    }
  }
  wd->subEntityTraits().setSelectionMarker(0);
  return true;
}

int64_t QvDbMline::pieceMarker(int segment, int element) const {
  return static_cast<int64_t>(segment) * offsets_.length() + element + 1;
}

bool QvDbMline::pieceOfMarker(int64_t marker, int& segment, int& element) const {
  const int64_t elements = offsets_.length();
  if (marker < 1 || elements < 1 || marker > numSegments() * elements) return false;
  segment = static_cast<int>((marker - 1) / elements);
  element = static_cast<int>((marker - 1) % elements);
  return true;
}

bool QvDbMline::nearestPiece(const QvGePoint3d& point, const QvGeVector3d& viewDir, int& segment,
                             int& element) const {
  if (!finite(point) || !finite(viewDir) || numVertices() < 2) return false;
  const QvGeVector3d dir = unitOr(viewDir, QvGeVector3d());
  double best = INFINITY;
  for (int s = 0; s < numSegments(); ++s) {
    for (int e = 0; e < numElements(); ++e) {
      QvGeLineSeg3d piece;
      getElementSegment(s, e, piece);
      // Distance from the point to the piece, both seen along the direction.
      const QvGeVector3d a = across(piece.startPoint() - point, dir);
      const QvGeVector3d ab = across(piece.endPoint() - piece.startPoint(), dir);
      const double len2 = ab.dotProduct(ab);
      const double t = len2 > 0.0 ? std::clamp(-a.dotProduct(ab) / len2, 0.0, 1.0) : 0.0;
      const double distance = (a + ab * t).length();
      if (distance < best) {
        best = distance;
        segment = s;
        element = e;
      }
    }
  }
  return std::isfinite(best);
}

Vexa::ErrorStatus QvDbMline::getSubentPathsAtGsMarker(QvDb::SubentType type, int64_t gsMark,
                                                      const QvGePoint3d& pickPoint,
                                                      const QvGeMatrix3d& viewXform,
                                                      QvArray<QvDbFullSubentPath>& paths) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (type != QvDb::kMlineSubentCache && type != QvDb::kEdgeSubentType) return Vexa::eNotApplicable;
  int segment = 0;
  int element = 0;
  if (gsMark == 0) {
    const QvGeVector3d view(viewXform.entry[2][0], viewXform.entry[2][1], viewXform.entry[2][2]);
    if (!nearestPiece(pickPoint, view.isZeroLength() ? QvGeVector3d::kZAxis : view, segment,
                      element))
      return Vexa::eNotApplicable;
    gsMark = pieceMarker(segment, element);
  } else if (!pieceOfMarker(gsMark, segment, element)) {
    return Vexa::eNotApplicable;
  }
  paths.append(QvDbFullSubentPath(objectId(), QvDbSubentId(type, gsMark)));
  return Vexa::eOk;
}

QvDbEntity* QvDbMline::subentPtr(const QvDbSubentId& id) const {
  if (assertReadEnabled() != Vexa::eOk) return nullptr;
  int segment = 0;
  int element = 0;
  if (id.type() != QvDb::kMlineSubentCache && id.type() != QvDb::kEdgeSubentType) return nullptr;
  QvGeLineSeg3d piece;
  if (!pieceOfMarker(id.index(), segment, element) ||
      getElementSegment(segment, element, piece) != Vexa::eOk)
    return nullptr;
  auto* line = new QvDbLine(piece.startPoint(), piece.endPoint());
  line->setPropertiesFrom(this);
  return line;
}

QvDbImpObject* QvDbMline::createImpObject() {
  return new QvDbMlineImp(this);
}

QvDbMlineImp::QvDbMlineImp(QvDbMline* mline) : QvDbImpObject(mline), mline_(mline) {}

Vexa::ErrorStatus QvDbMlineImp::getNearestEntAtPt(const QvGePoint3d& point,
                                                  const QvGeVector3d& viewDir,
                                                  QvDbEntity*& entity) const {
  entity = nullptr;
  if (const Vexa::ErrorStatus es = mline_->assertReadEnabled(); es != Vexa::eOk) return es;
  if (!finite(point) || !finite(viewDir) || mline_->numVertices() < 2) return Vexa::eInvalidInput;
  int segment = 0;
  int element = 0;
  QvGeLineSeg3d nearest;
  if (!mline_->nearestPiece(point, viewDir, segment, element) ||
      mline_->getElementSegment(segment, element, nearest) != Vexa::eOk)
    return Vexa::eInvalidInput;
  auto line = std::make_unique<QvDbLine>(nearest.startPoint(), nearest.endPoint());
  line->setPropertiesFrom(mline_);
  entity = line.release();
  return Vexa::eOk;
}
