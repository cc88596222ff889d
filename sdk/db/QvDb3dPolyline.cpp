#include "sdk/db/QvDb3dPolyline.h"

#include <memory>

#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbVertexPolylineImp.h"
#include "sdk/db/detail/PointsPlane.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb3dPolyline)

using qvdb_detail::ChainVertex;
using qvdb_detail::SegmentChain;

QvDb3dPolyline::QvDb3dPolyline(QvDbPoly3dType type, const QvGePoint3dArray& vertices, bool closed)
    : type_(type), closed_(closed) {
  for (int i = 0; i < vertices.length(); ++i) appendVertex(new QvDb3dPolylineVertex(vertices[i]));
}

QvDbPoly3dType QvDb3dPolyline::polyType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDb3dPolyline::setPolyType(QvDbPoly3dType type) {
  if (type < k3dSimplePoly || type > k3dCubicSplinePoly) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

bool QvDb3dPolyline::isClosed() const {
  assertReadEnabled();
  return closed_;
}

Vexa::ErrorStatus QvDb3dPolyline::setClosed(bool closed) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  closed_ = closed;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb3dPolyline::appendVertex(QvDb3dPolylineVertex* vertex) {
  QvDbObjectId id;
  return appendVertex(id, vertex);
}

Vexa::ErrorStatus QvDb3dPolyline::appendVertex(QvDbObjectId& vertexId,
                                               QvDb3dPolylineVertex* vertex) {
  vertexId.setNull();
  if (!vertex) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return vertices_.insertAt(vertices_.length(), *this, vertex, vertexId);
}

Vexa::ErrorStatus QvDb3dPolyline::insertVertexAt(QvDbObjectId& newVertexId,
                                                 QvDbObjectId indexVertexId,
                                                 QvDb3dPolylineVertex* vertex) {
  newVertexId.setNull();
  if (!vertex) return Vexa::eNullPtr;
  int index = 0;
  if (!indexVertexId.isNull()) {
    const int after = vertices_.indexOf(indexVertexId);
    if (after < 0) return Vexa::eInvalidInput;
    index = after + 1;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return vertices_.insertAt(index, *this, vertex, newVertexId);
}

QvDbObjectIterator* QvDb3dPolyline::vertexIterator() const {
  assertReadEnabled();
  return new QvDbObjectIterator(vertices_);
}

int QvDb3dPolyline::numVertices() const {
  assertReadEnabled();
  int n = 0;
  for (int i = 0; i < vertices_.length(); ++i) n += vertexAt(i) ? 1 : 0;
  return n;
}

const QvDb3dPolylineVertex* QvDb3dPolyline::vertexAt(int listIndex) const {
  if (const QvDbEntity* local = vertices_.localAt(listIndex))
    return static_cast<const QvDb3dPolylineVertex*>(local);
  const QvDbObjectId id = vertices_.idAt(listIndex);
  if (id.isNull() || id.isErased() || !id.stub()->object) return nullptr;
  // The polyline reads its own vertices in place, open or not.
  return QvDb3dPolylineVertex::cast(id.stub()->object);
}

void QvDb3dPolyline::keptVertices(std::vector<ChainVertex>& out,
                                  std::vector<int>* listIndices) const {
  out.clear();
  if (listIndices) listIndices->clear();
  for (int i = 0; i < vertices_.length(); ++i) {
    const QvDb3dPolylineVertex* v = vertexAt(i);
    if (!v || v->type_ == k3dControlVertex) continue;
    ChainVertex c;
    c.point = v->position_;
    out.push_back(c);
    if (listIndices) listIndices->push_back(i);
  }
}

const std::vector<ChainVertex>& QvDb3dPolyline::chainVertices(
    std::vector<ChainVertex>& scratch) const {
  keptVertices(scratch);
  return scratch;
}

QvGeMatrix3d QvDb3dPolyline::chainToWorld() const {
  return QvGeMatrix3d::kIdentity;
}

QvGeVector3d QvDb3dPolyline::chainNormal() const {
  // The normal of the vertices' plane (the z axis when they have none).
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kNonPlanar;
  if (subGetPlane(plane, planarity) == Vexa::eOk && planarity == QvDb::kPlanar)
    return plane.normal();
  return QvGeVector3d::kZAxis;
}

QvDbCurve* QvDb3dPolyline::newPiece(const std::vector<ChainVertex>& worldVertices, bool closed,
                                    const QvGeVector3d&) const {
  auto piece = std::make_unique<QvDb3dPolyline>();
  piece->type_ = type_;
  piece->closed_ = closed;
  for (const ChainVertex& v : worldVertices) piece->appendVertex(new QvDb3dPolylineVertex(v.point));
  return piece.release();
}

Vexa::ErrorStatus QvDb3dPolyline::applyEndChange(const SegmentChain::EndChange& change) {
  std::vector<ChainVertex> kept;
  std::vector<int> indices;
  keptVertices(kept, &indices);
  if (indices.size() < 2) return Vexa::eNotApplicable;
  if (!isWriteEnabled()) return assertWriteEnabled();
  const int index = change.atStart ? indices.front() : indices.back();
  if (QvDbEntity* local = vertices_.localAt(index))
    return static_cast<QvDb3dPolylineVertex*>(local)->setPosition(change.point);
  QvDb3dPolylineVertex* vertex = nullptr;
  if (const Vexa::ErrorStatus es = qvdbOpenObject(vertex, vertices_.idAt(index), QvDb::kForWrite);
      es != Vexa::eOk)
    return es;
  const Vexa::ErrorStatus es = vertex->setPosition(change.point);
  vertex->close();
  return es;
}

int64_t QvDb3dPolyline::segmentMarker(int segment) const {
  std::vector<ChainVertex> kept;
  std::vector<int> indices;
  keptVertices(kept, &indices);
  if (segment < 0 || segment >= static_cast<int>(indices.size())) return 0;
  const QvDbObjectId id = vertices_.idAt(indices[static_cast<size_t>(segment)]);
  return id.isNull() ? segment + 1 : id.asOldId();
}

Vexa::ErrorStatus QvDb3dPolyline::subTransformBy(const QvGeMatrix3d& xform) {
  QvDbOwnedEntitiesOpener opened(vertices_, QvDb::kForWrite);
  if (opened.status() != Vexa::eOk) return opened.status();
  for (int i = 0; i < opened.length(); ++i)
    if (const Vexa::ErrorStatus es = opened.at(i)->transformBy(xform); es != Vexa::eOk) return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb3dPolyline::subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const {
  std::vector<ChainVertex> kept;
  keptVertices(kept);
  QvGePoint3dArray points;
  double tol = QvGeContext::gTol.equalPoint();
  for (const ChainVertex& v : kept) {
    points.append(v.point);
    tol = std::fmax(tol, pointTolerance(v.point));
  }
  if (!qvdb_detail::planeOfPoints(points, tol, plane, planarity)) return Vexa::eInvalidInput;
  return Vexa::eOk;
}

QvGeCurve3d* QvDb3dPolyline::newGeCurve(bool) const {
  std::vector<ChainVertex> kept;
  keptVertices(kept);
  QvGePoint3dArray points;
  for (const ChainVertex& v : kept) points.append(v.point);
  if (closed_ && points.length() > 1 && !points.first().isEqualTo(points.last()))
    points.append(points.first());
  auto* polyline = new QvGePolyline3d(points);
  if (polyline->isValid()) return polyline;
  delete polyline;
  return nullptr;
}

Vexa::ErrorStatus QvDb3dPolyline::reverseCurve() {
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  const int n = vertices_.length();
  std::vector<int> order;
  for (int k = 0; k < n; ++k) order.push_back(closed_ ? (n - k) % n : n - 1 - k);
  vertices_.reorder(order);
  return Vexa::eOk;
}

void QvDb3dPolyline::visitIds(QvDbIdVisitor& visitor) {
  QvDbCurve::visitIds(visitor);
  vertices_.visitIds(visitor);
}

Vexa::ErrorStatus QvDb3dPolyline::subErase(bool erasing) {
  if (const Vexa::ErrorStatus es = QvDbCurve::subErase(erasing); es != Vexa::eOk) return es;
  for (int i = 0; i < vertices_.length(); ++i)
    if (const Vexa::ErrorStatus es = eraseOwned(vertices_.idAt(i), erasing); es != Vexa::eOk)
      return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb3dPolyline::subAppendedToDatabase() {
  return vertices_.joinDatabase(*this);
}

QvDbImpObject* QvDb3dPolyline::createImpObject() {
  return new QvDbVertexPolylineImp(this);
}
