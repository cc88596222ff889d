#pragma once

#include <vector>

#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/db/QvDbSegmentedCurve.h"

class QvDbObjectIterator;

enum QvDbPoly2dType {
  k2dSimplePoly = 0,
  k2dFitCurvePoly = 1,
  k2dQuadSplinePoly = 2,
  k2dCubicSplinePoly = 3,
};

// The 2D polyline of vertex entities (QvDb2dVertex), owned by it: in memory while the
// polyline is in no database, objects of its database once it is (see QvDbOwnedEntities).
// Vertices lie in the polyline's OCS at its elevation; the geometry runs through every vertex
// except spline control vertices (k2dSplineCtlVertex), with the bulges of the vertices it
// keeps, and its parameter counts those vertices. Extended data on vertices stays on the
// vertex entities. The selection marker of a segment is its first vertex's id as a 64-bit
// value (index + 1 while in no database).
class QvDb2dPolyline : public QvDbSegmentedCurve {
  QVDB_DECLARE_MEMBERS(QvDb2dPolyline);

  QvDb2dPolyline() = default;
  // Plain vertices at the given OCS positions (with bulges when given, one per vertex).
  QvDb2dPolyline(QvDbPoly2dType type, const QvGePoint3dArray& vertices, double elevation = 0.0,
                 bool closed = false, double defaultStartWidth = 0.0, double defaultEndWidth = 0.0,
                 const QvGeDoubleArray* bulges = nullptr);

  QvDbPoly2dType polyType() const;
  Vexa::ErrorStatus setPolyType(QvDbPoly2dType type);
  bool isClosed() const override;
  Vexa::ErrorStatus setClosed(bool closed);
  Vexa::ErrorStatus makeClosed() { return setClosed(true); }
  Vexa::ErrorStatus makeOpen() { return setClosed(false); }
  bool isLinetypeGenerationOn() const;
  Vexa::ErrorStatus setLinetypeGenerationOn();
  Vexa::ErrorStatus setLinetypeGenerationOff();
  double defaultStartWidth() const;
  Vexa::ErrorStatus setDefaultStartWidth(double width);
  double defaultEndWidth() const;
  Vexa::ErrorStatus setDefaultEndWidth(double width);
  double elevation() const;
  Vexa::ErrorStatus setElevation(double elevation);
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero

  // Appends a new vertex (in no database); the polyline owns it from then on. In a database
  // the vertex is added to it, open for write: the caller closes it.
  Vexa::ErrorStatus appendVertex(QvDb2dVertex* vertex);
  Vexa::ErrorStatus appendVertex(QvDbObjectId& vertexId, QvDb2dVertex* vertex);
  // Inserts after the vertex `indexVertexId` (the null id inserts first).
  Vexa::ErrorStatus insertVertexAt(QvDbObjectId& newVertexId, QvDbObjectId indexVertexId,
                                   QvDb2dVertex* vertex);
  // The vertices in order (the caller deletes the iterator).
  QvDbObjectIterator* vertexIterator() const;
  int numVertices() const;  // every live vertex, of any kind
  // The world position of one of this polyline's vertices.
  QvGePoint3d vertexPosition(const QvDb2dVertex& vertex) const;

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
  Vexa::ErrorStatus subErase(bool erasing) override;
  QvDbOwnedEntities* ownedEntities() override { return &vertices_; }
  Vexa::ErrorStatus subAppendedToDatabase() override;
  QvDbImpObject* createImpObject() override;

 private:
  friend class QvDbVertexPolylineImp;

  // The vertices the geometry keeps (every kind but spline control vertices), in order, read
  // in place, with the index in the vertex list of each.
  void keptVertices(std::vector<qvdb_detail::ChainVertex>& out,
                    std::vector<int>* listIndices = nullptr) const;
  const QvDb2dVertex* vertexAt(int listIndex) const;

  QvDbOwnedEntities vertices_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double elevation_ = 0.0;
  double thickness_ = 0.0;
  double defaultStartWidth_ = 0.0;
  double defaultEndWidth_ = 0.0;
  QvDbPoly2dType type_ = k2dSimplePoly;
  bool closed_ = false;
  bool plinegen_ = false;
};
