#pragma once

#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/db/QvDbPolygonMeshVertex.h"

class QvDbObjectIterator;

// How a polygon mesh is smoothed: not at all, or by a quadratic, cubic or Bezier surface.
enum QvDbPolyMeshType {
  kSimpleMesh = 0,
  kQuadSurfaceMesh = 1,
  kCubicSurfaceMesh = 2,
  kBezierSurfaceMesh = 3,
};

// A polygon mesh: an M by N grid of vertex entities (QvDbPolygonMeshVertex) owned by it, row
// by row (vertex (i, j) is number i * N + j of the plain and control vertices), open or closed
// in each direction. A smoothed mesh keeps after them the fit vertices of its surface, a grid of
// the M and N surface densities. It is drawn as the lines of its grid (the fit grid when it has
// one), and explodes into 3D faces.
class QvDbPolygonMesh : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbPolygonMesh);

  QvDbPolygonMesh() = default;
  // An M by N mesh through `vertices` (M * N of them, row by row); an invalid request leaves an
  // empty mesh.
  QvDbPolygonMesh(QvDbPolyMeshType type, int mSize, int nSize, const QvGePoint3dArray& vertices,
                  bool mClosed = false, bool nClosed = false);

  QvDbPolyMeshType polyMeshType() const;
  Vexa::ErrorStatus setPolyMeshType(QvDbPolyMeshType type);
  int mSize() const;
  int nSize() const;
  // The grid's sizes, from 0 to 32767 (eInvalidInput).
  Vexa::ErrorStatus setMSize(int size);
  Vexa::ErrorStatus setNSize(int size);
  bool isMClosed() const;
  bool isNClosed() const;
  Vexa::ErrorStatus makeMClosed();
  Vexa::ErrorStatus makeMOpen();
  Vexa::ErrorStatus makeNClosed();
  Vexa::ErrorStatus makeNOpen();
  int mSurfaceDensity() const;
  int nSurfaceDensity() const;
  Vexa::ErrorStatus setMSurfaceDensity(int density);  // 0 to 200
  Vexa::ErrorStatus setNSurfaceDensity(int density);

  // As for QvDb2dPolyline.
  Vexa::ErrorStatus appendVertex(QvDbPolygonMeshVertex* vertex);
  Vexa::ErrorStatus appendVertex(QvDbObjectId& vertexId, QvDbPolygonMeshVertex* vertex);
  QvDbObjectIterator* vertexIterator() const;
  int numVertices() const;
  // The grid drawn: the positions of the plain and control vertices (or of the fit vertices),
  // row by row, with its sizes; eInvalidInput when the vertices do not fill it.
  Vexa::ErrorStatus getGrid(QvGePoint3dArray& points, int& rows, int& columns,
                            bool fitGrid = false) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // One 3D face for each cell of the grid.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  Vexa::ErrorStatus subErase(bool erasing) override;
  QvDbOwnedEntities* ownedEntities() override { return &vertices_; }
  Vexa::ErrorStatus subAppendedToDatabase() override;

 private:
  const QvDbPolygonMeshVertex* vertexAt(int listIndex) const;
  // The grid to draw: the fit grid of a smoothed mesh when it is whole, else the plain one.
  bool drawnGrid(QvGePoint3dArray& points, int& rows, int& columns) const;

  QvDbOwnedEntities vertices_;
  QvDbPolyMeshType type_ = kSimpleMesh;
  int mSize_ = 0;
  int nSize_ = 0;
  int mDensity_ = 0;
  int nDensity_ = 0;
  bool mClosed_ = false;
  bool nClosed_ = false;
};
