#include "sdk/db/QvDbPolyFaceMesh.h"

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/detail/Grips.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbPolyFaceMesh)

const QvDbEntity* QvDbPolyFaceMesh::itemAt(int listIndex) const {
  if (const QvDbEntity* local = items_.localAt(listIndex)) return local;
  const QvDbObjectId id = items_.idAt(listIndex);
  if (id.isNull() || id.isErased() || !id.stub()->object) return nullptr;
  // The mesh reads its own vertices and faces in place, open or not.
  return QvDbEntity::cast(id.stub()->object);
}

Vexa::ErrorStatus QvDbPolyFaceMesh::appendVertex(QvDbPolyFaceMeshVertex* vertex) {
  QvDbObjectId id;
  return appendVertex(id, vertex);
}

Vexa::ErrorStatus QvDbPolyFaceMesh::appendVertex(QvDbObjectId& vertexId,
                                                 QvDbPolyFaceMeshVertex* vertex) {
  vertexId.setNull();
  if (!vertex) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  int at = items_.length();
  while (at > 0 && QvDbFaceRecord::cast(itemAt(at - 1))) --at;
  return items_.insertAt(at, *this, vertex, vertexId);
}

Vexa::ErrorStatus QvDbPolyFaceMesh::appendFaceRecord(QvDbFaceRecord* face) {
  QvDbObjectId id;
  return appendFaceRecord(id, face);
}

Vexa::ErrorStatus QvDbPolyFaceMesh::appendFaceRecord(QvDbObjectId& faceId, QvDbFaceRecord* face) {
  faceId.setNull();
  if (!face) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return items_.insertAt(items_.length(), *this, face, faceId);
}

QvDbObjectIterator* QvDbPolyFaceMesh::vertexIterator() const {
  assertReadEnabled();
  return new QvDbObjectIterator(items_);
}

int QvDbPolyFaceMesh::numVertices() const {
  assertReadEnabled();
  int n = 0;
  for (int i = 0; i < items_.length(); ++i) n += QvDbPolyFaceMeshVertex::cast(itemAt(i)) ? 1 : 0;
  return n;
}

int QvDbPolyFaceMesh::numFaces() const {
  assertReadEnabled();
  int n = 0;
  for (int i = 0; i < items_.length(); ++i) n += QvDbFaceRecord::cast(itemAt(i)) ? 1 : 0;
  return n;
}

QvGePoint3dArray QvDbPolyFaceMesh::positions() const {
  QvGePoint3dArray points;
  for (int i = 0; i < items_.length(); ++i)
    if (const auto* v = QvDbPolyFaceMeshVertex::cast(itemAt(i))) points.append(v->position_);
  return points;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::getFace(int index, QvGePoint3dArray& corners,
                                            bool visible[4]) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  const QvDbFaceRecord* face = nullptr;
  for (int i = 0, k = 0; i < items_.length() && !face; ++i) {
    const auto* f = QvDbFaceRecord::cast(itemAt(i));
    if (f && k++ == index) face = f;
  }
  if (!face) return Vexa::eInvalidIndex;
  const QvGePoint3dArray points = positions();
  QvGePoint3dArray found;
  for (int c = 0; c < 4; ++c) {
    const int number = face->vertices_[c];
    if (number == 0) continue;
    if (number > points.length()) return Vexa::eInvalidIndex;
    found.append(points[number - 1]);
  }
  corners = found;
  for (int c = 0; c < 4; ++c) visible[c] = !face->invisible_[c];
  return Vexa::eOk;
}

void QvDbPolyFaceMesh::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  items_.visitIds(visitor);
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subTransformBy(const QvGeMatrix3d& xform) {
  QvDbOwnedEntitiesOpener opened(items_, QvDb::kForWrite);
  if (opened.status() != Vexa::eOk) return opened.status();
  for (int i = 0; i < opened.length(); ++i) {
    if (!QvDbPolyFaceMeshVertex::cast(opened.at(i))) continue;
    if (const Vexa::ErrorStatus es = opened.at(i)->transformBy(xform); es != Vexa::eOk) return es;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subExplode(QvArray<QvDbEntity*>& pieces) const {
  const int faces = numFaces();
  QvArray<QvDbEntity*> made;
  for (int f = 0; f < faces; ++f) {
    QvGePoint3dArray c;
    bool visible[4];
    if (getFace(f, c, visible) != Vexa::eOk || c.length() < 3) continue;
    QvDbFace* face =
        c.length() == 3
            ? new QvDbFace(c[0], c[1], c[2], visible[0], visible[1], visible[2], true)
            : new QvDbFace(c[0], c[1], c[2], c[3], visible[0], visible[1], visible[2], visible[3]);
    face->setPropertiesFrom(this);
    made.append(face);
  }
  for (QvDbEntity* e : made) pieces.append(e);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subGetGeomExtents(QvDbExtents& extents) const {
  const QvGePoint3dArray points = positions();
  for (const QvGePoint3d& p : points) extents.addPoint(p);
  return points.isEmpty() ? Vexa::eInvalidExtents : Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subGetGripPoints(QvGePoint3dArray& gripPoints,
                                                     QvDbIntArray& osnapModes,
                                                     QvDbIntArray& geomIds) const {
  qvdb_detail::GripList grips(gripPoints, osnapModes, geomIds);
  for (const QvGePoint3d& p : positions()) grips.add(p, QvDb::kOsModeNode);
  return Vexa::eOk;
}

bool QvDbPolyFaceMesh::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  const int faces = numFaces();
  for (int f = 0; f < faces; ++f) {
    QvGePoint3dArray c;
    bool visible[4];
    if (getFace(f, c, visible) != Vexa::eOk || c.length() < 2) continue;
    for (int i = 0; i < c.length(); ++i) {
      if (!visible[i]) continue;
      const QvGePoint3d edge[2] = {c[i], c[(i + 1) % c.length()]};
      if (!edge[0].isEqualTo(edge[1])) wd->geometry().polyline(2, edge);
    }
  }
  return true;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subErase(bool erasing) {
  if (const Vexa::ErrorStatus es = QvDbEntity::subErase(erasing); es != Vexa::eOk) return es;
  for (int i = 0; i < items_.length(); ++i)
    if (const Vexa::ErrorStatus es = eraseOwned(items_.idAt(i), erasing); es != Vexa::eOk)
      return es;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbPolyFaceMesh::subAppendedToDatabase() {
  return items_.joinDatabase(*this);
}
