// 2D and 3D polylines of vertex entities, in memory and in a database.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbIdMapping.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbToQvGe.h"
#include "sdk/db/QvDbVertexPolylineImp.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePolyline3d.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using Vexa::eOk;

// Plain (0,0), a control vertex at (5,5), a fit vertex (10,0) that starts a half circle, and
// a plain (10,10); elevation 1.
QvDb2dPolyline* splinedPolyline() {
  auto* pline = new QvDb2dPolyline();
  pline->setElevation(1.0);
  auto* control = new QvDb2dVertex(QvGePoint3d(5, 5, 0));
  control->setVertexType(k2dSplineCtlVertex);
  auto* fit = new QvDb2dVertex(QvGePoint3d(10, 0, 0), 1.0);
  fit->setVertexType(k2dSplineFitVertex);
  pline->appendVertex(new QvDb2dVertex(QvGePoint3d(0, 0, 0)));
  pline->appendVertex(control);
  pline->appendVertex(fit);
  pline->appendVertex(new QvDb2dVertex(QvGePoint3d(10, 10, 0)));
  return pline;
}

// The ids of the vertices of a polyline in a database (in a database the walk gives ids to
// open, no entities).
QvDbObjectIdArray vertexIdsOf(QvDbObjectId plineId) {
  QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForRead);
  if (!pline) return QvDbObjectIdArray();
  std::unique_ptr<QvDbObjectIterator> it(pline->vertexIterator());
  for (; !it->done(); it->step()) EXPECT_EQ(it->entity(), nullptr);
  return idsOf(pline->vertexIterator());
}

class Polyline2dTest : public HostFixture {};

TEST_F(Polyline2dTest, WalkSkipsSplineControlVertices) {
  std::unique_ptr<QvDb2dPolyline> pline(splinedPolyline());
  EXPECT_EQ(pline->numVertices(), 4);
  // The walk as callers make it: every vertex, those of type 1 left out.
  std::unique_ptr<QvDbObjectIterator> it(pline->vertexIterator());
  QvGePoint3dArray kept;
  int all = 0;
  for (it->start(); !it->done(); it->step()) {
    ++all;
    EXPECT_TRUE(it->objectId().isNull());  // in memory: entities, no ids
    auto* vertex = QvDb2dVertex::cast(it->entity());
    ASSERT_NE(vertex, nullptr);
    if (vertex->vertexType() == k2dSplineCtlVertex) continue;
    kept.append(pline->vertexPosition(*vertex));
  }
  EXPECT_EQ(all, 4);
  ASSERT_EQ(kept.length(), 3);
  // The geometry runs through exactly the kept vertices, one parameter apart.
  EXPECT_EQ(endsOf(*pline).endParam, 2.0);
  for (int i = 0; i < kept.length(); ++i) EXPECT_POINT_NEAR(at(*pline, i), kept[i], 1e-12);
  EXPECT_POINT_NEAR(kept[1], QvGePoint3d(10, 0, 1), 0);
  EXPECT_POINT_NEAR(at(*pline, 1.5), QvGePoint3d(15, 5, 1), 1e-12);

  const EntityList pieces = explodeOf(*pline);
  ASSERT_EQ(pieces.size(), 2);
  ASSERT_NE(pieces.as<QvDbLine>(0), nullptr);
  ASSERT_NE(pieces.as<QvDbArc>(1), nullptr);
  EXPECT_POINT_NEAR(pieces.as<QvDbArc>(1)->center(), QvGePoint3d(10, 5, 1), 1e-12);
}

TEST_F(Polyline2dTest, VerticesJoinTheDatabaseWithTheirPolyline) {
  const QvDbObjectId plineId = appendToModelSpace(db(), splinedPolyline());
  ASSERT_FALSE(plineId.isNull());
  addRegApp(db(), L"XQ_TEST");

  const QvDbObjectIdArray vertexIds = vertexIdsOf(plineId);
  ASSERT_EQ(vertexIds.length(), 4);
  // A vertex is an object of the drawing owned by the polyline, with data of its own.
  {
    QvDbObjectPointer<QvDb2dVertex> vertex(vertexIds[2], QvDb::kForWrite);
    ASSERT_TRUE(vertex);
    EXPECT_EQ(vertex->ownerId(), plineId);
    EXPECT_EQ(vertex->vertexType(), k2dSplineFitVertex);
    QvRbListPtr xdata(qvutBuildList(1001, L"XQ_TEST", 1000, L"vertex data", 0));
    EXPECT_EQ(vertex->setXData(xdata.get()), eOk);
    // The polyline still answers while one of its vertices is open for write.
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForRead);
    EXPECT_POINT_NEAR(at(*pline, 1.0), QvGePoint3d(10, 0, 1), 1e-12);
  }
  {
    QvDbObjectPointer<QvDb2dVertex> vertex(vertexIds[2], QvDb::kForRead);
    QvRbListPtr xdata(vertex->xData(L"XQ_TEST"));
    ASSERT_NE(xdata.get(), nullptr);
    ASSERT_NE(xdata->next, nullptr);
    EXPECT_EQ(QvString(xdata->next->value.string), L"vertex data");
  }
  // Appending to a polyline in a database adds the vertex there, open for write.
  {
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForWrite);
    QvDbObjectId id;
    auto* vertex = new QvDb2dVertex(QvGePoint3d(0, 10, 0));
    ASSERT_EQ(pline->appendVertex(id, vertex), eOk);
    EXPECT_FALSE(id.isNull());
    EXPECT_TRUE(vertex->isWriteEnabled());
    EXPECT_EQ(vertex->ownerId(), plineId);
    vertex->close();
    EXPECT_EQ(pline->numVertices(), 5);
  }
  // Erasing the polyline takes its vertices along, and unerasing brings them back.
  ASSERT_EQ(eraseObject(plineId), Vexa::eOk);
  for (int i = 0; i < vertexIds.length(); ++i) EXPECT_TRUE(vertexIds[i].isErased());
  {
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForWrite, true);
    ASSERT_EQ(pline->erase(false), eOk);
  }
  for (int i = 0; i < vertexIds.length(); ++i) EXPECT_FALSE(vertexIds[i].isErased());
}

TEST_F(Polyline2dTest, TransformMovesEveryVertexOrNone) {
  const QvDbObjectId plineId = appendToModelSpace(db(), splinedPolyline());
  const QvGeMatrix3d move = QvGeMatrix3d::translation(QvGeVector3d(1, 2, 3));
  const QvDbObjectId firstVertex = vertexIdsOf(plineId)[0];
  {
    // A vertex held open by someone else: the polyline refuses and stays where it is.
    QvDbObjectPointer<QvDb2dVertex> busy(firstVertex, QvDb::kForRead);
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForWrite);
    EXPECT_EQ(pline->transformBy(move), Vexa::eWasOpenForRead);
    EXPECT_POINT_NEAR(at(*pline, 0.0), QvGePoint3d(0, 0, 1), 0);
  }
  {
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForWrite);
    ASSERT_EQ(pline->transformBy(move), eOk);
    EXPECT_POINT_NEAR(at(*pline, 0.0), QvGePoint3d(1, 2, 4), 1e-12);
    EXPECT_POINT_NEAR(at(*pline, 1.5), QvGePoint3d(16, 7, 4), 1e-12);
    EXPECT_EQ(pline->elevation(), 4.0);
  }
  QvDbObjectPointer<QvDb2dVertex> vertex(firstVertex, QvDb::kForRead);
  EXPECT_POINT_NEAR(vertex->position(), QvGePoint3d(1, 2, 0), 1e-12);  // OCS
}

TEST_F(Polyline2dTest, CloneCopiesVerticesAndDeepCloneClonesThem) {
  const QvDbObjectId plineId = appendToModelSpace(db(), splinedPolyline());
  const QvDbObjectIdArray originals = vertexIdsOf(plineId);
  {
    QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForRead);
    // clone: a polyline in no database with vertices of its own in memory.
    std::unique_ptr<QvDb2dPolyline> copy(static_cast<QvDb2dPolyline*>(pline->clone()));
    std::unique_ptr<QvDbObjectIterator> copyIt(copy->vertexIterator());
    int n = 0;
    for (; !copyIt->done(); copyIt->step(), ++n) {
      EXPECT_TRUE(copyIt->objectId().isNull());
      ASSERT_NE(copyIt->entity(), nullptr);
    }
    EXPECT_EQ(n, 4);
    ASSERT_EQ(copy->transformBy(QvGeMatrix3d::translation(QvGeVector3d(5, 0, 0))), eOk);
    EXPECT_POINT_NEAR(at(*copy, 0.0), QvGePoint3d(5, 0, 1), 0);
    EXPECT_POINT_NEAR(at(*pline, 0.0), QvGePoint3d(0, 0, 1), 0);
  }
  // A deep clone brings clones of the vertices, owned by the new polyline.
  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{plineId}, db()->modelSpaceId(), map), eOk);
  const QvDbObjectId cloneId = cloneOf(map, plineId);
  const QvDbObjectIdArray clones = vertexIdsOf(cloneId);
  EXPECT_EQ(clones.length(), 4);
  for (const QvDbObjectId& id : clones) {
    EXPECT_FALSE(originals.contains(id));
    EXPECT_EQ(ownerOf(id), cloneId);
  }
  QvDbObjectPointer<QvDb2dPolyline> clone(cloneId, QvDb::kForRead);
  EXPECT_POINT_NEAR(at(*clone, 1.5), QvGePoint3d(15, 5, 1), 1e-12);
}

TEST_F(Polyline2dTest, TakingOverASplitPieceReplacesTheVertices) {
  const QvDbObjectId plineId = appendToModelSpace(db(), splinedPolyline());
  const QvDbObjectIdArray before = vertexIdsOf(plineId);
  QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForWrite);
  // Shortened to its first half: split at the middle, the first piece taken over.
  QvArray<QvDbEntity*> out;
  ASSERT_EQ(pline->getSplitCurves(QvGeDoubleArray{1.5}, out), eOk);
  EntityList pieces(out);
  ASSERT_EQ(pieces.size(), 2);
  ASSERT_TRUE(pline->copyFrom(pieces[0]));
  EXPECT_EQ(endsOf(*pline).endParam, 2.0);
  EXPECT_POINT_NEAR(at(*pline, 2.0), QvGePoint3d(15, 5, 1), 1e-12);
  for (int i = 0; i < before.length(); ++i) EXPECT_TRUE(before[i].isErased());
  const QvDbObjectIdArray after = idsOf(pline->vertexIterator());
  EXPECT_EQ(after.length(), 3);
  for (const QvDbObjectId& id : after) EXPECT_EQ(ownerOf(id), plineId);  // joined the drawing
  EXPECT_FALSE(pline->copyFrom(nullptr));
}

TEST_F(Polyline2dTest, SegmentsAreMarkedByTheirFirstVertex) {
  const QvDbObjectId plineId = appendToModelSpace(db(), splinedPolyline());
  const QvDbObjectIdArray ids = vertexIdsOf(plineId);
  QvDbObjectPointer<QvDb2dPolyline> pline(plineId, QvDb::kForRead);
  auto* imp =
      static_cast<QvDbVertexPolylineImp*>(QvDbSystemInternals::getImpObject(pline.object()));
  ASSERT_NE(imp, nullptr);
  int64_t marker = 0;
  EXPECT_EQ(imp->getGsMarkerBySubEnt(ids[2], marker), eOk);
  EXPECT_EQ(marker, ids[2].asOldId());
  EXPECT_EQ(imp->getGsMarkerBySubEnt(plineId, marker), Vexa::eInvalidInput);

  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(pline.object());
  ASSERT_EQ(recorder.primitives().size(), 2u);
  EXPECT_EQ(recorder.primitives()[0].marker, ids[0].asOldId());
  EXPECT_EQ(recorder.primitives()[1].marker, ids[2].asOldId());  // the control vertex skipped
  EXPECT_EQ(recorder.primitives()[1].kind, QvGiWorldDrawRecorder::kCircularArc);
}

TEST_F(Polyline2dTest, ThreeDPolylineKeepsPlainAndFitVertices) {
  auto* pline = new QvDb3dPolyline(k3dSimplePoly,
                                   QvGePoint3dArray{QvGePoint3d(0, 0, 0), QvGePoint3d(3, 4, 0)});
  auto* control = new QvDb3dPolylineVertex(QvGePoint3d(9, 9, 9));
  control->setVertexType(k3dControlVertex);
  auto* fit = new QvDb3dPolylineVertex(QvGePoint3d(3, 4, 12));
  fit->setVertexType(k3dFitVertex);
  pline->appendVertex(control);
  pline->appendVertex(fit);
  pline->setClosed(true);
  const QvDbObjectId id = appendToModelSpace(db(), pline);
  QvDbObjectPointer<QvDb3dPolyline> opened(id, QvDb::kForRead);
  double end = 0, dist = 0, param = 0;
  EXPECT_EQ(opened->getEndParam(end), eOk);
  EXPECT_EQ(end, 3.0);  // three kept vertices, closed
  EXPECT_EQ(opened->getDistAtParam(end, dist), eOk);
  EXPECT_NEAR(dist, 5 + 12 + 13, 1e-12);
  EXPECT_EQ(opened->getParamAtPoint(QvGePoint3d(3, 4, 6), param), eOk);
  EXPECT_NEAR(param, 1.5, 1e-12);
  double area = 0;
  EXPECT_EQ(opened->getArea(area), eOk);  // the right triangle 5, 12, 13
  EXPECT_NEAR(area, 30.0, 1e-12);
  QvGeCurve3d* curve = nullptr;
  ASSERT_EQ(QvDbToQvGe::curve3d(opened.object(), curve), eOk);
  std::unique_ptr<QvGeCurve3d> owned(curve);
  ASSERT_EQ(curve->type(), QvGe::kPolyline3d);
  EXPECT_EQ(static_cast<QvGePolyline3d*>(curve)->numFitPoints(), 4);  // the first again
}

}  // namespace
