#pragma once

#include <vector>

#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/db/QvDbSegmentedCurve.h"

class QvDbObjectIterator;

enum QvDbPoly3dType {
  k3dSimplePoly = 0,
  k3dQuadSplinePoly = 1,
  k3dCubicSplinePoly = 2,
};

// The 3D polyline of vertex entities (QvDb3dPolylineVertex), owned by it as a 2D polyline owns
// its vertices. Its geometry is the straight segments through the plain and fit vertices
// (control vertices are skipped); its parameter counts those vertices. The selection marker
// of a segment is its first vertex's id as a 64-bit value (index + 1 in no database).
class QvDb3dPolyline : public QvDbSegmentedCurve {
  QVDB_DECLARE_MEMBERS(QvDb3dPolyline);

  QvDb3dPolyline() = default;
  QvDb3dPolyline(QvDbPoly3dType type, const QvGePoint3dArray& vertices, bool closed = false);

  QvDbPoly3dType polyType() const;
  Vexa::ErrorStatus setPolyType(QvDbPoly3dType type);
  bool isClosed() const override;
  Vexa::ErrorStatus setClosed(bool closed);
  Vexa::ErrorStatus makeClosed() { return setClosed(true); }
  Vexa::ErrorStatus makeOpen() { return setClosed(false); }

  // As for QvDb2dPolyline.
  Vexa::ErrorStatus appendVertex(QvDb3dPolylineVertex* vertex);
  Vexa::ErrorStatus appendVertex(QvDbObjectId& vertexId, QvDb3dPolylineVertex* vertex);
  Vexa::ErrorStatus insertVertexAt(QvDbObjectId& newVertexId, QvDbObjectId indexVertexId,
                                   QvDb3dPolylineVertex* vertex);
  QvDbObjectIterator* vertexIterator() const;
  int numVertices() const;

  Vexa::ErrorStatus reverseCurve() override;
  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  const std::vector<qvdb_detail::ChainVertex>& chainVertices(
      std::vector<qvdb_detail::ChainVertex>& scratch) const override;
  QvGeMatrix3d chainToWorld() const override;
  QvGeVector3d chainNormal() const override;
  QvDbCurve* newPiece(const std::vector<qvdb_detail::ChainVertex>& worldVertices, bool closed,
                      const QvGeVector3d& normal) const override;
  Vexa::ErrorStatus applyEndChange(const qvdb_detail::SegmentChain::EndChange& change) override;
  int64_t segmentMarker(int segment) const override;
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // A polyline through the kept vertices (closed: the first again at the end).
  QvGeCurve3d* newGeCurve(bool unbounded) const override;
  Vexa::ErrorStatus subErase(bool erasing) override;
  QvDbOwnedEntities* ownedEntities() override { return &vertices_; }
  Vexa::ErrorStatus subAppendedToDatabase() override;
  QvDbImpObject* createImpObject() override;

 private:
  friend class QvDbVertexPolylineImp;

  void keptVertices(std::vector<qvdb_detail::ChainVertex>& out,
                    std::vector<int>* listIndices = nullptr) const;
  const QvDb3dPolylineVertex* vertexAt(int listIndex) const;

  QvDbOwnedEntities vertices_;
  QvDbPoly3dType type_ = k3dSimplePoly;
  bool closed_ = false;
};
