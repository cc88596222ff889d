#include "sdk/db/QvDbPolygonMesh.h"

#include <memory>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbPolygonMesh)

namespace {

constexpr int kMaxSize = 32767;
constexpr int kMaxDensity = 200;

}  // namespace

QvDbPolygonMesh::QvDbPolygonMesh(QvDbPolyMeshType type, int mSize, int nSize,
                                 const QvGePoint3dArray& vertices, bool mClosed, bool nClosed) {
  if (mSize < 2 || nSize < 2 || mSize > kMaxSize || nSize > kMaxSize ||
      vertices.length() != mSize * nSize || setPolyMeshType(type) != Vexa::eOk)
    return;
  mSize_ = mSize;
  nSize_ = nSize;
  mClosed_ = mClosed;
  nClosed_ = nClosed;
  for (const QvGePoint3d& p : vertices) appendVertex(new QvDbPolygonMeshVertex(p));
}

QvDbPolyMeshType QvDbPolygonMesh::polyMeshType() const {
  assertReadEnabled();
  return type_;
}

Vexa::ErrorStatus QvDbPolygonMesh::setPolyMeshType(QvDbPolyMeshType type) {
  if (type < kSimpleMesh || type > kBezierSurfaceMesh) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  type_ = type;
  return Vexa::eOk;
}

int QvDbPolygonMesh::mSize() const {
  assertReadEnabled();
  return mSize_;
}

int QvDbPolygonMesh::nSize() const {
  assertReadEnabled();
  return nSize_;
}

Vexa::ErrorStatus QvDbPolygonMesh::setMSize(int size) {
  if (size < 0 || size > kMaxSize) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mSize_ = size;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::setNSize(int size) {
  if (size < 0 || size > kMaxSize) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  nSize_ = size;
  return Vexa::eOk;
}

bool QvDbPolygonMesh::isMClosed() const {
  assertReadEnabled();
  return mClosed_;
}

bool QvDbPolygonMesh::isNClosed() const {
  assertReadEnabled();
  return nClosed_;
}

Vexa::ErrorStatus QvDbPolygonMesh::makeMClosed() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mClosed_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::makeMOpen() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mClosed_ = false;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::makeNClosed() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  nClosed_ = true;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::makeNOpen() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  nClosed_ = false;
  return Vexa::eOk;
}

int QvDbPolygonMesh::mSurfaceDensity() const {
  assertReadEnabled();
  return mDensity_;
}

int QvDbPolygonMesh::nSurfaceDensity() const {
  assertReadEnabled();
  return nDensity_;
}

Vexa::ErrorStatus QvDbPolygonMesh::setMSurfaceDensity(int density) {
  if (density < 0 || density > kMaxDensity) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  mDensity_ = density;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::setNSurfaceDensity(int density) {
  if (density < 0 || density > kMaxDensity) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  nDensity_ = density;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::appendVertex(QvDbPolygonMeshVertex* vertex) {
  QvDbObjectId id;
  return appendVertex(id, vertex);
}

Vexa::ErrorStatus QvDbPolygonMesh::appendVertex(QvDbObjectId& vertexId,
                                                QvDbPolygonMeshVertex* vertex) {
  vertexId.setNull();
  if (!vertex) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return vertices_.insertAt(vertices_.length(), *this, vertex, vertexId);
}

QvDbObjectIterator* QvDbPolygonMesh::vertexIterator() const {
  assertReadEnabled();
  return new QvDbObjectIterator(vertices_);
}

int QvDbPolygonMesh::numVertices() const {
  assertReadEnabled();
  int n = 0;
  for (int i = 0; i < vertices_.length(); ++i) n += vertexAt(i) ? 1 : 0;
  return n;
}

const QvDbPolygonMeshVertex* QvDbPolygonMesh::vertexAt(int listIndex) const {
  if (const QvDbEntity* local = vertices_.localAt(listIndex))
    return static_cast<const QvDbPolygonMeshVertex*>(local);
  const QvDbObjectId id = vertices_.idAt(listIndex);
  if (id.isNull() || id.isErased() || !id.stub()->object) return nullptr;
  // The mesh reads its own vertices in place, open or not.
  return QvDbPolygonMeshVertex::cast(id.stub()->object);
}

Vexa::ErrorStatus QvDbPolygonMesh::getGrid(QvGePoint3dArray& points, int& rows, int& columns,
                                           bool fitGrid) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  QvGePoint3dArray found;
  for (int i = 0; i < vertices_.length(); ++i) {
    const QvDbPolygonMeshVertex* v = vertexAt(i);
    if (v && (v->type_ == kFitMeshVertex) == fitGrid) found.append(v->position_);
  }
  const int m = fitGrid ? mDensity_ : mSize_;
  const int n = fitGrid ? nDensity_ : nSize_;
  if (m < 1 || n < 1 || found.length() != m * n) return Vexa::eInvalidInput;
  points = found;
  rows = m;
  columns = n;
  return Vexa::eOk;
}

bool QvDbPolygonMesh::drawnGrid(QvGePoint3dArray& points, int& rows, int& columns) const {
  if (type_ != kSimpleMesh && getGrid(points, rows, columns, true) == Vexa::eOk) return true;
  return getGrid(points, rows, columns) == Vexa::eOk;
}

void QvDbPolygonMesh::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  vertices_.visitIds(visitor);
}

Vexa::ErrorStatus QvDbPolygonMesh::subTransformBy(const QvGeMatrix3d& xform) {
  QvDbOwnedEntitiesOpener opened(vertices_, QvDb::kForWrite);
  if (opened.status() != Vexa::eOk) return opened.status();
  for (int i = 0; i < opened.length(); ++i)
    if (const Vexa::ErrorStatus es = opened.at(i)->transformBy(xform); es != Vexa::eOk) return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::subExplode(QvArray<QvDbEntity*>& pieces) const {
  QvGePoint3dArray grid;
  int m = 0, n = 0;
  if (!drawnGrid(grid, m, n)) return Vexa::eInvalidInput;
  const int rows = mClosed_ ? m : m - 1;
  const int columns = nClosed_ ? n : n - 1;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < columns; ++j) {
      const int i1 = (i + 1) % m;
      const int j1 = (j + 1) % n;
      auto* face =
          new QvDbFace(grid[i * n + j], grid[i * n + j1], grid[i1 * n + j1], grid[i1 * n + j]);
      face->setPropertiesFrom(this);
      pieces.append(face);
    }
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::subGetGeomExtents(QvDbExtents& extents) const {
  bool any = false;
  for (int i = 0; i < vertices_.length(); ++i) {
    if (const QvDbPolygonMeshVertex* v = vertexAt(i)) {
      extents.addPoint(v->position_);
      any = true;
    }
  }
  return any ? Vexa::eOk : Vexa::eInvalidExtents;
}

Vexa::ErrorStatus QvDbPolygonMesh::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                    QvDbIntArray& osnapModes,
                                                    QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (int i = 0; i < vertices_.length(); ++i) {
    const QvDbPolygonMeshVertex* v = vertexAt(i);
    if (v && v->type_ != kFitMeshVertex) grips.add(v->position_, QvDb::kOsModeNode);
  }
  return Vexa::eOk;
}

bool QvDbPolygonMesh::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  QvGePoint3dArray grid;
  int m = 0, n = 0;
  if (!drawnGrid(grid, m, n)) return true;
  QvGePoint3dArray line;
  for (int i = 0; i < m; ++i) {
    line.removeAll();
    for (int j = 0; j < n; ++j) line.append(grid[i * n + j]);
    if (nClosed_) line.append(grid[i * n]);
    if (line.length() > 1) wd->geometry().polyline(line.length(), line.asArrayPtr());
  }
  for (int j = 0; j < n; ++j) {
    line.removeAll();
    for (int i = 0; i < m; ++i) line.append(grid[i * n + j]);
    if (mClosed_) line.append(grid[j]);
    if (line.length() > 1) wd->geometry().polyline(line.length(), line.asArrayPtr());
  }
  return true;
}

Vexa::ErrorStatus QvDbPolygonMesh::subErase(bool erasing) {
  if (const Vexa::ErrorStatus es = QvDbEntity::subErase(erasing); es != Vexa::eOk) return es;
  for (int i = 0; i < vertices_.length(); ++i)
    if (const Vexa::ErrorStatus es = eraseOwned(vertices_.idAt(i), erasing); es != Vexa::eOk)
      return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolygonMesh::subAppendedToDatabase() {
  return vertices_.joinDatabase(*this);
}
