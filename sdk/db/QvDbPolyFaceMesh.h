#pragma once

#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/db/QvDbPolygonMeshVertex.h"

class QvDbObjectIterator;

// A polyface mesh: vertex entities (QvDbPolyFaceMeshVertex) followed by face records
// (QvDbFaceRecord) that name up to four of them each, all owned by the mesh. It is drawn as the
// visible edges of its faces and explodes into 3D faces.
class QvDbPolyFaceMesh : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbPolyFaceMesh);

  QvDbPolyFaceMesh() = default;

  // A vertex goes after the other vertices (before the faces), a face after the other faces.
  // As for QvDb2dPolyline otherwise.
  Vexa::ErrorStatus appendVertex(QvDbPolyFaceMeshVertex* vertex);
  Vexa::ErrorStatus appendVertex(QvDbObjectId& vertexId, QvDbPolyFaceMeshVertex* vertex);
  Vexa::ErrorStatus appendFaceRecord(QvDbFaceRecord* face);
  Vexa::ErrorStatus appendFaceRecord(QvDbObjectId& faceId, QvDbFaceRecord* face);
  // The vertices, then the faces.
  QvDbObjectIterator* vertexIterator() const;
  int numVertices() const;
  int numFaces() const;
  // The corners of face `index` (those it names; a number past the vertices answers
  // eInvalidIndex) and which of its edges are visible.
  Vexa::ErrorStatus getFace(int index, QvGePoint3dArray& corners, bool visible[4]) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // One 3D face per face record (a triangle repeats its last corner).
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  Vexa::ErrorStatus subErase(bool erasing) override;
  QvDbOwnedEntities* ownedEntities() override { return &items_; }
  Vexa::ErrorStatus subAppendedToDatabase() override;

 private:
  const QvDbEntity* itemAt(int listIndex) const;
  // The positions of the vertices in order.
  QvGePoint3dArray positions() const;

  QvDbOwnedEntities items_;
};
