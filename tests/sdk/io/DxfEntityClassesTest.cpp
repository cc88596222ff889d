// Helices, multilines, sections, meshes, shapes, viewports, tables and OLE frames through DXF
// files, ours read by ezdxf and ezdxf's read here, alike.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHelix.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOle2Frame.h"
#include "sdk/db/QvDbPolyFaceMesh.h"
#include "sdk/db/QvDbPolygonMesh.h"
#include "sdk/db/QvDbSection.h"
#include "sdk/db/QvDbShape.h"
#include "sdk/db/QvDbTable.h"
#include "sdk/db/QvDbViewport.h"
#include "sdk/io/QvDxfNumber.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

using json::point;
using json::points;
using json::real;

std::string describeHelix(const QvDbHelix& helix) {
  const QvGeNurbCurve3d& curve = helix.nurbCurve();
  return "{\"type\":\"HELIX\",\"axis\":" + point(helix.axisPoint()) +
         ",\"start\":" + point(helix.startPoint()) + ",\"direction\":" + point(helix.axisVector()) +
         ",\"radius\":" + real(helix.topRadius()) + ",\"turns\":" + real(helix.turns()) +
         ",\"rise\":" + real(helix.turnHeight()) + ",\"ccw\":" + (helix.twistCcw() ? "1" : "0") +
         ",\"constrain\":" + std::to_string(helix.constrain()) +
         ",\"degree\":" + std::to_string(curve.degree()) +
         ",\"controls\":" + std::to_string(curve.numControlPoints()) +
         ",\"first\":" + point(curve.controlPointAt(0)) +
         ",\"last\":" + point(curve.controlPointAt(curve.numControlPoints() - 1)) + "}";
}

std::string describeMline(const QvDbMline& mline) {
  // The style name is the kept one (ezdxf's "Standard" when there is none).
  std::string vertices = "[";
  for (int k = 0; k < mline.numVertices(); ++k) {
    QvDbMline::VertexData v;
    mline.getVertexData(k, v);
    const auto numbers = [](const QvGeDoubleArray& values) { return json::array(values, real); };
    vertices += (k ? ",{" : "{") + std::string("\"at\":") + point(v.position) +
                ",\"direction\":" + point(v.direction) + ",\"miter\":" + point(v.miter) +
                ",\"params\":" + json::array(v.params, numbers) +
                ",\"fills\":" + json::array(v.fillParams, numbers) + "}";
  }
  const int flags = (mline.numVertices() > 0 ? 1 : 0) | (mline.closedMline() ? 2 : 0) |
                    (mline.supressStartCaps() ? 4 : 0) | (mline.supressEndCaps() ? 8 : 0);
  return "{\"type\":\"MLINE\",\"style\":\"Standard\",\"scale\":" + real(mline.scale()) +
         ",\"justification\":" + std::to_string(mline.justification()) +
         ",\"flags\":" + std::to_string(flags) +
         ",\"elements\":" + std::to_string(mline.numElements()) + ",\"vertices\":" + vertices +
         "]}";
}

// A vertex as the probe gives it: position and flags.
std::string vertexOf(const QvGePoint3d& p, int flags) {
  return "[" + real(p.x) + "," + real(p.y) + "," + real(p.z) + "," + std::to_string(flags) + "]";
}

std::string describePolygonMesh(const QvDbPolygonMesh& mesh) {
  std::string vertices = "[";
  std::unique_ptr<QvDbObjectIterator> it(mesh.vertexIterator());
  for (it->start(); !it->done(); it->step()) {
    QvDbObjectPointer<QvDbPolygonMeshVertex> v(it->objectId(), QvDb::kForRead);
    const int flags = 64 + (v->vertexType() == kControlMeshVertex ? 16 : 0) +
                      (v->vertexType() == kFitMeshVertex ? 8 : 0);
    vertices += (vertices.size() > 1 ? "," : "") + vertexOf(v->position(), flags);
  }
  const int flags = 16 + (mesh.isMClosed() ? 1 : 0) + (mesh.isNClosed() ? 32 : 0);
  return "{\"type\":\"POLYLINE\",\"mode\":\"AcDbPolygonMesh\",\"flags\":" + std::to_string(flags) +
         ",\"size\":[" + std::to_string(mesh.mSize()) + "," + std::to_string(mesh.nSize()) +
         "],\"vertices\":" + vertices + "],\"faces\":[]}";
}

std::string describePolyFaceMesh(const QvDbPolyFaceMesh& mesh) {
  std::string vertices = "[", faces = "[";
  std::unique_ptr<QvDbObjectIterator> it(mesh.vertexIterator());
  for (it->start(); !it->done(); it->step()) {
    QvDbObjectPointer<QvDbEntity> item(it->objectId(), QvDb::kForRead);
    if (const auto* v = QvDbPolyFaceMeshVertex::cast(item.object())) {
      vertices += (vertices.size() > 1 ? "," : "") + vertexOf(v->position(), 192);
    } else if (const auto* f = QvDbFaceRecord::cast(item.object())) {
      std::string face = "[";
      for (int c = 0; c < 4; ++c) {
        int16_t number = 0;
        bool visible = true;
        f->getVertexAt(c, number);
        f->isEdgeVisibleAt(c, visible);
        face += (c ? "," : "") + std::to_string(visible ? number : -number);
      }
      faces += (faces.size() > 1 ? "," : "") + face + "]";
    }
  }
  return "{\"type\":\"POLYLINE\",\"mode\":\"AcDbPolyFaceMesh\",\"flags\":64,\"vertices\":" +
         vertices + "],\"faces\":" + faces + "]}";
}

std::string describeEntity(const QvDbEntity* e) {
  if (const auto* x = QvDbHelix::cast(e)) return describeHelix(*x);
  if (const auto* x = QvDbMline::cast(e)) return describeMline(*x);
  if (const auto* x = QvDbPolygonMesh::cast(e)) return describePolygonMesh(*x);
  if (const auto* x = QvDbPolyFaceMesh::cast(e)) return describePolyFaceMesh(*x);
  if (const auto* x = QvDbSection::cast(e))
    return "{\"type\":\"SECTIONOBJECT\",\"name\":\"" + x->name().utf8() +
           "\",\"vertical\":" + point(x->verticalDirection()) + ",\"heights\":[" +
           real(x->bottomHeight()) + "," + real(x->topHeight()) +
           "],\"vertices\":" + points(x->vertices()) + ",\"back\":" + points(x->backLine()) + "}";
  if (const auto* x = QvDbShape::cast(e))
    return "{\"type\":\"SHAPE\",\"name\":\"" + x->name().utf8() +
           "\",\"at\":" + point(x->position()) + ",\"size\":" + real(x->size()) +
           ",\"rotation\":" + real(std::round(x->rotation() * 180.0 / M_PI * 1e9) / 1e9) +
           ",\"xscale\":" + real(x->widthFactor()) + ",\"normal\":" + point(x->normal()) + "}";
  if (const auto* x = QvDbOle2Frame::cast(e)) {
    QvGePoint3d location;
    x->getLocation(location);
    return "{\"type\":\"OLE2FRAME\",\"corners\":[" + point(location) + "," +
           point(x->lowerRight()) + "],\"data\":0}";
  }
  if (const auto* x = QvDbViewport::cast(e))
    return "{\"type\":\"VIEWPORT\",\"center\":" + point(x->centerPoint()) + ",\"size\":[" +
           real(x->width()) + "," + real(x->height()) + "]}";
  if (const auto* x = QvDbTable::cast(e))
    return "{\"type\":\"ACAD_TABLE\",\"at\":" + point(x->position()) +
           ",\"direction\":" + point(x->direction()) + "}";
  return std::string();
}

// The entities of these kinds in model space and then paper space, in the form the probe
// compares.
std::string describeEntities(QvDbDatabase& db) {
  std::string out = "[";
  for (const QvDbObjectId& spaceId : {db.modelSpaceId(), db.paperSpaceId()}) {
    QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForRead);
    if (!space) continue;
    for (const QvDbObjectId& id : space->entityIds()) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
      const std::string d = describeEntity(entity.object());
      if (!d.empty()) out += (out.size() > 1 ? "," : "") + d;
    }
  }
  return out + "]\n";
}

const EzdxfProbe kProbe{dxfDataPath("ezdxf_entclasses_probe.py"), describeEntities};

}  // namespace

class DxfEntityClassesTest : public DxfFolderTest {};

TEST_F(DxfEntityClassesTest, HelicesGoBothWays) {
  for (const bool ccw : {true, false}) {
    auto* helix = new QvDbHelix();
    ASSERT_EQ(helix->setHelix(QvGePoint3d(1, 2, 3), QvGePoint3d(4, 2, 3), QvGeVector3d(0, 0, 5),
                              ccw ? 3.0 : 1.0, 2.25, 0.75, ccw),
              Vexa::eOk);
    ASSERT_EQ(helix->setConstrain(ccw ? QvDbHelix::kHeight : QvDbHelix::kTurnHeight), Vexa::eOk);
    ASSERT_FALSE(appendToModelSpace(db(), helix).isNull());
  }
  kProbe.roundTrip(*db(), folder_);
}

TEST_F(DxfEntityClassesTest, MultilinesGoBothWays) {
  auto* open = new QvDbMline();
  ASSERT_EQ(open->setScale(2.0), Vexa::eOk);
  ASSERT_EQ(open->setJustification(QvDbMline::kZero), Vexa::eOk);
  for (const QvGePoint3d& p : {QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0), QvGePoint3d(10, 5, 0)})
    ASSERT_EQ(open->appendSeg(p), Vexa::eOk);
  ASSERT_EQ(open->setSupressEndCaps(true), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), open).isNull());
  auto* closed = new QvDbMline();
  ASSERT_EQ(closed->setStyle(QvDbObjectId(), {1.0, -0.5}), Vexa::eOk);
  for (const QvGePoint3d& p : {QvGePoint3d(0, 0, 2), QvGePoint3d(4, 0, 2), QvGePoint3d(4, 4, 2)})
    ASSERT_EQ(closed->appendSeg(p), Vexa::eOk);
  ASSERT_EQ(closed->setClosedMline(true), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), closed).isNull());
  // Read again, the elements are where they were: the offsets come back from the parameters.
  std::unique_ptr<QvDbDatabase> again = kProbe.roundTrip(*db(), folder_);
  ASSERT_TRUE(again);
  QvDbObjectPointer<QvDbBlockTableRecord> space(again->modelSpaceId(), QvDb::kForRead);
  QvDbObjectPointer<QvDbMline> wide(space->entityIds()[1], QvDb::kForWrite);
  ASSERT_TRUE(wide);
  const QvGeDoubleArray offsets = wide->elementOffsets();
  ASSERT_EQ(offsets.length(), 2);
  EXPECT_NEAR(offsets[0] - offsets[1], 1.5, 1e-12);
  QvGeLineSeg3d before, after;
  ASSERT_EQ(wide->getElementSegment(2, 1, before), Vexa::eOk);
  ASSERT_EQ(wide->setJustification(QvDbMline::kTop), Vexa::eOk);  // worked out again
  ASSERT_EQ(wide->getElementSegment(2, 1, after), Vexa::eOk);
  EXPECT_TRUE(before.startPoint().isEqualTo(after.startPoint()));
  EXPECT_TRUE(before.endPoint().isEqualTo(after.endPoint()));
  wide.close();
  space.close();
  EXPECT_TRUE(nothingLeftOpen(again.get()));
}

TEST_F(DxfEntityClassesTest, SectionsShapesFramesViewportsAndTablesGoBothWays) {
  auto* section = new QvDbSection(
      {QvGePoint3d(0, 0, 0), QvGePoint3d(6, 0, 0), QvGePoint3d(6, 4, 0)}, QvGeVector3d(0, 0, 1));
  ASSERT_EQ(section->setName(L"A-A"), Vexa::eOk);
  ASSERT_EQ(section->setHeights(1.5, 3), Vexa::eOk);
  ASSERT_EQ(section->setBackLine({QvGePoint3d(0, 9, 0), QvGePoint3d(6, 9, 0)}), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), section).isNull());
  auto* shape = new QvDbShape(QvGePoint3d(1, 2, 3), 2.5, L"ARROW", M_PI / 4, 0.5);
  ASSERT_EQ(shape->setNormal(QvGeVector3d(0, 1, 1)), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), shape).isNull());
  auto* frame = new QvDbOle2Frame();
  ASSERT_EQ(frame->setPosition(QvGePoint3d(1, 9, 0), QvGePoint3d(7, 2, 0)), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), frame).isNull());
  auto* table = new QvDbTable();
  ASSERT_EQ(table->setPosition(QvGePoint3d(20, 30, 0)), Vexa::eOk);
  ASSERT_EQ(table->setDirection(QvGeVector3d(0, 2, 0)), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), table).isNull());
  auto* viewport = new QvDbViewport();
  ASSERT_EQ(viewport->setCenterPoint(QvGePoint3d(100, 80, 0)), Vexa::eOk);
  ASSERT_EQ(viewport->setWidth(120), Vexa::eOk);
  ASSERT_EQ(viewport->setHeight(90), Vexa::eOk);
  ASSERT_FALSE(appendEntity(db()->paperSpaceId(), viewport).isNull());
  kProbe.roundTrip(*db(), folder_);
}

TEST_F(DxfEntityClassesTest, MeshesGoBothWaysWithTheirVerticesAndFaces) {
  QvGePoint3dArray grid;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 2; ++j) grid.append(QvGePoint3d(i, 2 * j, i * j));
  auto* polygon = new QvDbPolygonMesh(kSimpleMesh, 3, 2, grid, false, true);
  ASSERT_EQ(polygon->numVertices(), 6);
  ASSERT_FALSE(appendToModelSpace(db(), polygon).isNull());
  auto* faces = new QvDbPolyFaceMesh();
  for (const QvGePoint3d& p :
       {QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), QvGePoint3d(0, 1, 0), QvGePoint3d(0, 0, 1)})
    ASSERT_EQ(faces->appendVertex(new QvDbPolyFaceMeshVertex(p)), Vexa::eOk);
  ASSERT_EQ(faces->appendFaceRecord(new QvDbFaceRecord(1, 2, 3, 0)), Vexa::eOk);
  ASSERT_EQ(faces->appendFaceRecord(new QvDbFaceRecord(1, 2, 4, 3, true, false)), Vexa::eOk);
  ASSERT_FALSE(appendToModelSpace(db(), faces).isNull());
  kProbe.roundTrip(*db(), folder_);
}

// ezdxf sees in its drawing what was read here, and in the drawing written from it.
TEST_F(DxfEntityClassesTest, EzdxfDrawingsAreReadAlike) {
  if (!hasEzdxf()) GTEST_SKIP() << "python3-ezdxf is not installed";
  EXPECT_TRUE(kProbe.readMade(folder_).db);
}
