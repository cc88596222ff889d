// Polygon and polyface meshes: vertices, faces, explode, transforms and refusals.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyFaceMesh.h"
#include "sdk/db/QvDbPolygonMesh.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"

namespace {

using Vexa::eOk;

// A 3 by 2 grid rising along x: vertex (i, j) at (i, 2 j, i * j).
QvGePoint3dArray gridPoints() {
  QvGePoint3dArray points;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j) points.append(QvGePoint3d(i, 2 * j, i * j));
  return points;
}

// The four corners of a 3D face.
QvGePoint3dArray cornersOf(const QvDbEntity* entity) {
  QvGePoint3dArray corners;
  const QvDbFace* face = QvDbFace::cast(entity);
  if (!face) return corners;
  for (int c = 0; c < 4; ++c) {
    QvGePoint3d p;
    face->getVertexAt(c, p);
    corners.append(p);
  }
  return corners;
}

// A unit tetrahedron's four faces over four vertices, the last face with an invisible edge.
std::unique_ptr<QvDbPolyFaceMesh> tetrahedron() {
  auto mesh = std::make_unique<QvDbPolyFaceMesh>();
  for (const QvGePoint3d& p :
       {QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), QvGePoint3d(0, 1, 0), QvGePoint3d(0, 0, 1)})
    EXPECT_EQ(mesh->appendVertex(new QvDbPolyFaceMeshVertex(p)), eOk);
  EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 2, 3, 0)), eOk);
  EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 2, 4, 0)), eOk);
  EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(2, 3, 4, 0)), eOk);
  EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 3, 4, 0, true, false, true)), eOk);
  return mesh;
}

TEST(MeshTest, APolygonMeshExplodesIntoTheCellsOfItsGrid) {
  QvDbPolygonMesh mesh(kSimpleMesh, 3, 2, gridPoints());
  ASSERT_EQ(mesh.numVertices(), 6);
  const EntityList faces = explodeOf(mesh);
  // Open both ways: (3 - 1) * (2 - 1) cells, the second from vertex (1, 0) round.
  ASSERT_EQ(faces.size(), 2);
  EXPECT_POINTS_NEAR(cornersOf(faces[1]), {{1, 0, 0}, {1, 2, 1}, {2, 2, 2}, {2, 0, 0}}, 0);

  // Closed in M and N: every vertex starts a cell.
  ASSERT_EQ(mesh.makeMClosed(), eOk);
  ASSERT_EQ(mesh.makeNClosed(), eOk);
  const EntityList closedFaces = explodeOf(mesh);
  EXPECT_EQ(closedFaces.size(), 6);

  // Turned: every vertex follows; the extents are those of the turned grid.
  ASSERT_EQ(mesh.transformBy(QvGeMatrix3d::translation(QvGeVector3d(10, 0, 0))), eOk);
  QvDbExtents box;
  ASSERT_EQ(mesh.getGeomExtents(box), eOk);
  EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(10, 0, 0), 0);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(12, 2, 2), 0);

  // A grid the vertices do not fill draws and explodes nothing.
  QvDbPolygonMesh short3x3(kSimpleMesh, 3, 2, gridPoints());
  ASSERT_EQ(short3x3.setNSize(3), eOk);
  QvGePoint3dArray grid;
  int rows = 0, columns = 0;
  EXPECT_EQ(short3x3.getGrid(grid, rows, columns), Vexa::eInvalidInput);
  QvArray<QvDbEntity*> none;
  EXPECT_EQ(short3x3.explode(none), Vexa::eInvalidInput);
  EXPECT_TRUE(none.isEmpty());
  EXPECT_EQ(short3x3.setMSize(-1), Vexa::eInvalidInput);
  EXPECT_EQ(short3x3.setMSurfaceDensity(201), Vexa::eInvalidInput);
  // A grid that does not match its sizes makes an empty mesh.
  QvDbPolygonMesh wrong(kSimpleMesh, 2, 2, gridPoints());
  EXPECT_EQ(wrong.numVertices(), 0);
}

TEST(MeshTest, APolyfaceMeshExplodesIntoItsFaces) {
  auto mesh = tetrahedron();
  EXPECT_EQ(mesh->numVertices(), 4);
  EXPECT_EQ(mesh->numFaces(), 4);
  // A vertex appended late still goes before the faces.
  ASSERT_EQ(mesh->appendVertex(new QvDbPolyFaceMeshVertex(QvGePoint3d(5, 5, 5))), eOk);
  std::unique_ptr<QvDbObjectIterator> it(mesh->vertexIterator());
  int index = 0, lastVertex = -1;
  for (it->start(); !it->done(); it->step(), ++index)
    if (QvDbPolyFaceMeshVertex::cast(it->entity())) lastVertex = index;
  EXPECT_EQ(lastVertex, 4);

  QvGePoint3dArray corners;
  bool visible[4];
  ASSERT_EQ(mesh->getFace(3, corners, visible), eOk);
  ASSERT_EQ(corners.length(), 3);
  EXPECT_POINT_NEAR(corners[2], QvGePoint3d(0, 0, 1), 0);
  EXPECT_FALSE(visible[1]);
  EXPECT_EQ(mesh->getFace(4, corners, visible), Vexa::eInvalidIndex);

  const EntityList faces = explodeOf(*mesh);
  ASSERT_EQ(faces.size(), 4);
  // A triangle repeats its last corner; the hidden edge stays hidden.
  const QvGePoint3dArray last = cornersOf(faces[3]);
  EXPECT_POINT_NEAR(last[3], last[2], 0);
  bool edgeVisible = true;
  ASSERT_EQ(QvDbFace::cast(faces[3])->isEdgeVisibleAt(1, edgeVisible), eOk);
  EXPECT_FALSE(edgeVisible);

  // A face naming a vertex the mesh does not have is left out.
  ASSERT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 2, 9, 0)), eOk);
  EXPECT_EQ(mesh->getFace(4, corners, visible), Vexa::eInvalidIndex);
  const EntityList faces2 = explodeOf(*mesh);
  EXPECT_EQ(faces2.size(), 4);
  QvDbFaceRecord record;
  EXPECT_EQ(record.setVertexAt(4, 1), Vexa::eInvalidIndex);
  EXPECT_EQ(record.setVertexAt(0, -3), Vexa::eInvalidInput);
}

class MeshDbTest : public HostFixture {};

TEST_F(MeshDbTest, VerticesJoinTheDatabaseWithTheirMeshAndGoWithIt) {
  const QvDbObjectId meshId = appendToModelSpace(db(), tetrahedron().release());
  ASSERT_FALSE(meshId.isNull());
  QvDbObjectIdArray owned;
  {
    QvDbObjectPointer<QvDbPolyFaceMesh> mesh(meshId, QvDb::kForRead);
    ASSERT_TRUE(mesh);
    owned = idsOf(mesh->vertexIterator());
  }
  ASSERT_EQ(owned.length(), 8);
  for (const QvDbObjectId& id : owned) {
    QvDbObjectPointer<QvDbEntity> sub(id, QvDb::kForRead);
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->ownerId(), meshId);
  }
  // Moved in the database, read back in place.
  {
    QvDbObjectPointer<QvDbPolyFaceMesh> mesh(meshId, QvDb::kForWrite);
    ASSERT_EQ(mesh->transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, 0, 3))), eOk);
    QvDbExtents box;
    ASSERT_EQ(mesh->getGeomExtents(box), eOk);
    EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(0, 0, 3), 0);
    // Erased with its vertices and faces.
    ASSERT_EQ(mesh->erase(), eOk);
  }
  for (const QvDbObjectId& id : owned) EXPECT_TRUE(id.isErased());
}

}  // namespace
