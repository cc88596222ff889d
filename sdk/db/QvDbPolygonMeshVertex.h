#pragma once

#include "sdk/db/QvDbVertex.h"

// The kinds of polygon mesh vertices: plain ones, the control vertices of a smoothed mesh and
// the fit vertices of its smoothed surface.
enum QvDbPolyMeshVertexType {
  kSimpleMeshVertex = 0,
  kControlMeshVertex = 1,
  kFitMeshVertex = 2,
};

// A vertex of a polygon mesh: its position in the world and its kind.
class QvDbPolygonMeshVertex : public QvDbVertex {
  QVDB_DECLARE_MEMBERS(QvDbPolygonMeshVertex);

  QvDbPolygonMeshVertex() = default;
  explicit QvDbPolygonMeshVertex(const QvGePoint3d& position);

  QvDbPolyMeshVertexType vertexType() const;
  Vexa::ErrorStatus setVertexType(QvDbPolyMeshVertexType type);
  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  friend class QvDbPolygonMesh;
  QvGePoint3d position_;
  QvDbPolyMeshVertexType type_ = kSimpleMeshVertex;
};

// A vertex of a polyface mesh: its position in the world.
class QvDbPolyFaceMeshVertex : public QvDbVertex {
  QVDB_DECLARE_MEMBERS(QvDbPolyFaceMeshVertex);

  QvDbPolyFaceMeshVertex() = default;
  explicit QvDbPolyFaceMeshVertex(const QvGePoint3d& position);

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;

 private:
  friend class QvDbPolyFaceMesh;
  QvGePoint3d position_;
};

// A face of a polyface mesh: up to four vertices by their number in the mesh (from 1; 0 for a
// corner not used), and which edges are invisible (the edge from corner i to the next).
class QvDbFaceRecord : public QvDbVertex {
  QVDB_DECLARE_MEMBERS(QvDbFaceRecord);

  QvDbFaceRecord() = default;
  QvDbFaceRecord(int16_t vtx0, int16_t vtx1, int16_t vtx2, int16_t vtx3, bool e0visible = true,
                 bool e1visible = true, bool e2visible = true, bool e3visible = true);

  // Corner 0 to 3 (eInvalidIndex otherwise); vertex numbers are not negative.
  Vexa::ErrorStatus getVertexAt(int faceIndex, int16_t& vtxIndex) const;
  Vexa::ErrorStatus setVertexAt(int faceIndex, int16_t vtxIndex);
  Vexa::ErrorStatus isEdgeVisibleAt(int faceIndex, bool& visible) const;
  Vexa::ErrorStatus makeEdgeVisibleAt(int faceIndex);
  Vexa::ErrorStatus makeEdgeInvisibleAt(int faceIndex);

 private:
  friend class QvDbPolyFaceMesh;
  int16_t vertices_[4] = {0, 0, 0, 0};
  bool invisible_[4] = {false, false, false, false};
};
