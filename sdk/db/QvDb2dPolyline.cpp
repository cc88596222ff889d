#include "sdk/db/QvDb2dPolyline.h"

#include <cmath>
#include <memory>

#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbVertexPolylineImp.h"
#include "sdk/db/detail/PlanarImage.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb2dPolyline)

using qvdb_detail::ChainVertex;
using qvdb_detail::SegmentChain;

QvDb2dPolyline::QvDb2dPolyline(QvDbPoly2dType type, const QvGePoint3dArray& vertices,
                               double elevation, bool closed, double defaultStartWidth,
                               double defaultEndWidth, const QvGeDoubleArray* bulges)
    : elevation_(elevation),
      defaultStartWidth_(defaultStartWidth),
      defaultEndWidth_(defaultEndWidth),
      type_(type),
      closed_(closed) {
  for (int i = 0; i < vertices.length(); ++i) {
    const double bulge = bulges && i < bulges->length() ? (*bulges)[i] : 0.0;
    appendVertex(new QvDb2dVertex(vertices[i], bulge, defaultStartWidth, defaultEndWidth));
  }
}

QvDbPoly2dType QvDb2dPolyline::polyType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDb2dPolyline::setPolyType(QvDbPoly2dType type) {
  if (type < k2dSimplePoly || type > k2dCubicSplinePoly) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

bool QvDb2dPolyline::isClosed() const {
  assertReadEnabled();
  return closed_;
}

Vexa::ErrorStatus QvDb2dPolyline::setClosed(bool closed) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  closed_ = closed;
  return Vexa::eOk;
}

bool QvDb2dPolyline::isLinetypeGenerationOn() const {
  assertReadEnabled();
  return plinegen_;
}

Vexa::ErrorStatus QvDb2dPolyline::setLinetypeGenerationOn() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  plinegen_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dPolyline::setLinetypeGenerationOff() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  plinegen_ = false;
  return Vexa::eOk;
}

double QvDb2dPolyline::defaultStartWidth() const {
  assertReadEnabled();
  return defaultStartWidth_;
}

Vexa::ErrorStatus QvDb2dPolyline::setDefaultStartWidth(double width) {
  if (!(width >= 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  defaultStartWidth_ = width;
  return Vexa::eOk;
}

double QvDb2dPolyline::defaultEndWidth() const {
  assertReadEnabled();
  return defaultEndWidth_;
}

Vexa::ErrorStatus QvDb2dPolyline::setDefaultEndWidth(double width) {
  if (!(width >= 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  defaultEndWidth_ = width;
  return Vexa::eOk;
}

double QvDb2dPolyline::elevation() const {
  assertReadEnabled();
  return elevation_;
}

Vexa::ErrorStatus QvDb2dPolyline::setElevation(double elevation) {
  if (!std::isfinite(elevation)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  elevation_ = elevation;
  return Vexa::eOk;
}

double QvDb2dPolyline::thickness() const {
  assertReadEnabled();
  return thickness_;
}

Vexa::ErrorStatus QvDb2dPolyline::setThickness(double thickness) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  thickness_ = thickness;
  return Vexa::eOk;
}

QvGeVector3d QvDb2dPolyline::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDb2dPolyline::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dPolyline::appendVertex(QvDb2dVertex* vertex) {
  QvDbObjectId id;
  return appendVertex(id, vertex);
}

Vexa::ErrorStatus QvDb2dPolyline::appendVertex(QvDbObjectId& vertexId, QvDb2dVertex* vertex) {
  vertexId.setNull();
  if (!vertex) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return vertices_.insertAt(vertices_.length(), *this, vertex, vertexId);
}

Vexa::ErrorStatus QvDb2dPolyline::insertVertexAt(QvDbObjectId& newVertexId,
                                                 QvDbObjectId indexVertexId, QvDb2dVertex* vertex) {
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

QvDbObjectIterator* QvDb2dPolyline::vertexIterator() const {
  assertReadEnabled();
  return new QvDbObjectIterator(vertices_);
}

int QvDb2dPolyline::numVertices() const {
  assertReadEnabled();
  int n = 0;
  for (int i = 0; i < vertices_.length(); ++i) n += vertexAt(i) ? 1 : 0;
  return n;
}

QvGePoint3d QvDb2dPolyline::vertexPosition(const QvDb2dVertex& vertex) const {
  assertReadEnabled();
  QvGePoint3d p(vertex.position().x, vertex.position().y, 0.0);
  return p.transformBy(chainToWorld());
}

const QvDb2dVertex* QvDb2dPolyline::vertexAt(int listIndex) const {
  if (const QvDbEntity* local = vertices_.localAt(listIndex))
    return static_cast<const QvDb2dVertex*>(local);
  const QvDbObjectId id = vertices_.idAt(listIndex);
  if (id.isNull() || id.isErased() || !id.stub()->object) return nullptr;
  // The polyline reads its own vertices in place, open or not.
  return QvDb2dVertex::cast(id.stub()->object);
}

void QvDb2dPolyline::keptVertices(std::vector<ChainVertex>& out,
                                  std::vector<int>* listIndices) const {
  out.clear();
  if (listIndices) listIndices->clear();
  for (int i = 0; i < vertices_.length(); ++i) {
    const QvDb2dVertex* v = vertexAt(i);
    if (!v || v->type_ == k2dSplineCtlVertex) continue;
    ChainVertex c;
    c.point.set(v->position_.x, v->position_.y, 0.0);
    c.bulge = v->bulge_;
    c.startWidth = v->startWidth_;
    c.endWidth = v->endWidth_;
    c.identifier = v->identifier_;
    out.push_back(c);
    if (listIndices) listIndices->push_back(i);
  }
}

const std::vector<ChainVertex>& QvDb2dPolyline::chainVertices(
    std::vector<ChainVertex>& scratch) const {
  keptVertices(scratch);
  return scratch;
}

QvGeMatrix3d QvDb2dPolyline::chainToWorld() const {
  return QvGeMatrix3d::planeToWorld(normal_) *
         QvGeMatrix3d::translation(QvGeVector3d(0.0, 0.0, elevation_));
}

QvGeVector3d QvDb2dPolyline::chainNormal() const {
  return normal_;
}

QvDbCurve* QvDb2dPolyline::newPiece(const std::vector<ChainVertex>& worldVertices, bool closed,
                                    const QvGeVector3d& normal) const {
  if (normal.isZeroLength()) return nullptr;
  auto piece = std::make_unique<QvDb2dPolyline>();
  piece->normal_ = normal.normal();
  piece->type_ = type_;
  piece->closed_ = closed;
  piece->plinegen_ = plinegen_;
  piece->thickness_ = thickness_;
  piece->defaultStartWidth_ = defaultStartWidth_;
  piece->defaultEndWidth_ = defaultEndWidth_;
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(piece->normal_);
  for (size_t i = 0; i < worldVertices.size(); ++i) {
    const ChainVertex& v = worldVertices[i];
    QvGePoint3d p = v.point;
    p.transformBy(toPlane);
    if (i == 0) piece->elevation_ = p.z;
    piece->appendVertex(new QvDb2dVertex(QvGePoint3d(p.x, p.y, 0.0), v.bulge, v.startWidth,
                                         v.endWidth, 0.0, v.identifier));
  }
  return piece.release();
}

namespace {

// The vertex at a list position of `list`, open for write for the life of this object.
class VertexForWrite {
 public:
  VertexForWrite(const QvDbOwnedEntities& list, int index) {
    if (QvDbEntity* local = list.localAt(index)) {
      vertex_ = local;
      status_ = Vexa::eOk;
      return;
    }
    status_ = qvdbOpenObject(vertex_, list.idAt(index), QvDb::kForWrite);
    opened_ = status_ == Vexa::eOk;
  }
  VertexForWrite(const VertexForWrite&) = delete;
  VertexForWrite& operator=(const VertexForWrite&) = delete;
  ~VertexForWrite() {
    if (opened_) vertex_->close();
  }
  Vexa::ErrorStatus status() const { return status_; }
  QvDbEntity* get() const { return vertex_; }

 private:
  QvDbEntity* vertex_ = nullptr;
  Vexa::ErrorStatus status_ = Vexa::eNullObjectId;
  bool opened_ = false;
};

}  // namespace

Vexa::ErrorStatus QvDb2dPolyline::applyEndChange(const SegmentChain::EndChange& change) {
  std::vector<ChainVertex> kept;
  std::vector<int> indices;
  keptVertices(kept, &indices);
  if (indices.size() < 2) return Vexa::eNotApplicable;
  const int endIndex = change.atStart ? indices.front() : indices.back();
  const int segIndex = change.atStart ? indices.front() : indices[indices.size() - 2];
  if (!isWriteEnabled()) return assertWriteEnabled();
  VertexForWrite end(vertices_, endIndex);
  if (end.status() != Vexa::eOk) return end.status();
  auto* endVertex = static_cast<QvDb2dVertex*>(end.get());
  endVertex->setPosition(QvGePoint3d(change.point.x, change.point.y, endVertex->position_.z));
  if (segIndex == endIndex) return endVertex->setBulge(change.bulge);
  VertexForWrite seg(vertices_, segIndex);
  if (seg.status() != Vexa::eOk) return seg.status();
  return static_cast<QvDb2dVertex*>(seg.get())->setBulge(change.bulge);
}

int64_t QvDb2dPolyline::segmentMarker(int segment) const {
  std::vector<ChainVertex> kept;
  std::vector<int> indices;
  keptVertices(kept, &indices);
  if (segment < 0 || segment >= static_cast<int>(indices.size())) return 0;
  const QvDbObjectId id = vertices_.idAt(indices[static_cast<size_t>(segment)]);
  return id.isNull() ? segment + 1 : id.asOldId();
}

Vexa::ErrorStatus QvDb2dPolyline::subTransformBy(const QvGeMatrix3d& xform) {
  QvGeVector3d normal;
  if (!qvdb_detail::imageNormal(xform, normal_, normal)) return Vexa::eDegenerateGeometry;
  std::vector<ChainVertex> kept;
  keptVertices(kept);
  bool onlyLines = true;
  for (const ChainVertex& v : kept) onlyLines = onlyLines && v.bulge == 0.0;
  double factor = 0.0;
  if (!qvdb_detail::isUniformInPlane(xform, normal_, factor)) {
    if (!onlyLines) return Vexa::eNotApplicable;
    factor = qvdb_detail::areaScaleInPlane(xform, normal_);
  }
  QvDbOwnedEntitiesOpener opened(vertices_, QvDb::kForWrite);
  if (opened.status() != Vexa::eOk) return opened.status();
  const QvGeMatrix3d toWorld = chainToWorld();
  const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(normal);
  const bool mirror = qvdb_detail::isMirroring(xform);
  QvGePoint3d origin(0.0, 0.0, 0.0);
  origin.transformBy(toWorld).transformBy(xform).transformBy(toPlane);
  for (int i = 0; i < opened.length(); ++i) {
    auto* v = static_cast<QvDb2dVertex*>(opened.at(i));
    if (const Vexa::ErrorStatus es = v->assertWriteEnabled(); es != Vexa::eOk) return es;
    QvGePoint3d p(v->position_.x, v->position_.y, 0.0);
    p.transformBy(toWorld).transformBy(xform).transformBy(toPlane);
    v->position_.set(p.x, p.y, v->position_.z);
    if (mirror) v->bulge_ = -v->bulge_;
    v->startWidth_ *= factor;
    v->endWidth_ *= factor;
  }
  normal_ = normal;
  elevation_ = origin.z;
  defaultStartWidth_ *= factor;
  defaultEndWidth_ *= factor;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dPolyline::reverseCurve() {
  if (!isWriteEnabled()) return assertWriteEnabled();
  std::vector<ChainVertex> kept;
  std::vector<int> indices;
  keptVertices(kept, &indices);
  {
    // Every vertex must be changeable before anything changes.
    const QvDbOwnedEntitiesOpener check(vertices_, QvDb::kForWrite);
    if (check.status() != Vexa::eOk) return check.status();
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // The kept vertices take the data of the reversed chain; the list runs backwards (a closed
  // polyline keeps its first vertex first).
  const std::vector<ChainVertex> reversed = SegmentChain::reversed(kept, closed_);
  const int n = vertices_.length();
  std::vector<int> order;
  for (int k = 0; k < n; ++k) order.push_back(closed_ ? (n - k) % n : n - 1 - k);
  vertices_.reorder(order);
  std::vector<int> newIndices;
  keptVertices(kept, &newIndices);
  for (size_t k = 0; k < newIndices.size() && k < reversed.size(); ++k) {
    VertexForWrite vertex(vertices_, newIndices[k]);
    if (vertex.status() != Vexa::eOk) continue;
    auto* v = static_cast<QvDb2dVertex*>(vertex.get());
    v->assertWriteEnabled();
    v->bulge_ = reversed[k].bulge;
    v->startWidth_ = reversed[k].startWidth;
    v->endWidth_ = reversed[k].endWidth;
  }
  return Vexa::eOk;
}

void QvDb2dPolyline::visitIds(QvDbIdVisitor& visitor) {
  QvDbCurve::visitIds(visitor);
  vertices_.visitIds(visitor);
}

Vexa::ErrorStatus QvDb2dPolyline::subErase(bool erasing) {
  if (const Vexa::ErrorStatus es = QvDbCurve::subErase(erasing); es != Vexa::eOk) return es;
  for (int i = 0; i < vertices_.length(); ++i)
    if (const Vexa::ErrorStatus es = eraseOwned(vertices_.idAt(i), erasing); es != Vexa::eOk)
      return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDb2dPolyline::subAppendedToDatabase() {
  return vertices_.joinDatabase(*this);
}

QvDbImpObject* QvDb2dPolyline::createImpObject() {
  return new QvDbVertexPolylineImp(this);
}
