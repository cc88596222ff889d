// Solids, traces, faces and points: corners, grips, outlines, planes and transforms.
#include <gtest/gtest.h>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/EntityTestSupport.h"

namespace {

using Vexa::eOk;

const QvGePoint3d kCorners[4] = {QvGePoint3d(0, 0, 0), QvGePoint3d(4, 0, 0), QvGePoint3d(0, 3, 0),
                                 QvGePoint3d(4, 3, 0)};

TEST(SolidFaceTest, SolidAndTraceGripsComeInStoredOrder) {
  const QvDbSolid solid(kCorners[0], kCorners[1], kCorners[2], kCorners[3]);
  const QvDbTrace trace(kCorners[0], kCorners[1], kCorners[2], kCorners[3]);
  for (const QvDbEntity* entity :
       {static_cast<const QvDbEntity*>(&solid), static_cast<const QvDbEntity*>(&trace)}) {
    QvGePoint3dArray grips;
    QvDbIntArray modes, ids;
    ASSERT_EQ(entity->getGripPoints(grips, modes, ids), eOk);
    ASSERT_EQ(grips.length(), 4);
    ASSERT_EQ(modes.length(), 4);
    ASSERT_EQ(ids.length(), 4);
    for (int i = 0; i < 4; ++i) {
      EXPECT_POINT_NEAR(grips[i], kCorners[i], 0);
      EXPECT_EQ(ids[i], i);
      EXPECT_EQ(modes[i], QvDb::kOsModeEnd);
    }
    // The outline goes round the area: 1, 2, 4, 3.
    QvArray<QvGeCurve3d*> edges;
    ASSERT_EQ(entity->getOutlineCurves(false, edges), eOk);
    ASSERT_EQ(edges.length(), 4);
    const int round[5] = {0, 1, 3, 2, 0};
    for (int i = 0; i < 4; ++i) {
      auto* edge = static_cast<QvGeLineSeg3d*>(edges[i]);
      EXPECT_POINT_NEAR(edge->startPoint(), kCorners[round[i]], 0);
      EXPECT_POINT_NEAR(edge->endPoint(), kCorners[round[i + 1]], 0);
      delete edges[i];
    }
  }
  QvGePoint3d p;
  EXPECT_EQ(solid.getPointAt(4, p), Vexa::eInvalidIndex);
  // A triangle repeats its third corner and draws as a triangle.
  QvDbSolid triangle(kCorners[0], kCorners[1], kCorners[2]);
  EXPECT_EQ(triangle.getPointAt(3, p), eOk);
  EXPECT_POINT_NEAR(p, kCorners[2], 0);
  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(&triangle);
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolygon), 1);
  EXPECT_EQ(recorder.primitives()[0].points.length(), 3);
  recorder.clear();
  recorder.drawTopLevel(const_cast<QvDbSolid*>(&solid));
  EXPECT_POINT_NEAR(recorder.primitives()[0].points[2], kCorners[3], 0);  // filled 1-2-4-3
}

TEST(SolidFaceTest, TransformsKeepTheCornersOrder) {
  QvDbSolid solid(kCorners[0], kCorners[1], kCorners[2], kCorners[3]);
  const QvGeMatrix3d mirror =
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(), QvGeVector3d(1, 0, 0)));
  ASSERT_EQ(solid.transformBy(mirror), eOk);
  QvGePoint3d p;
  solid.getPointAt(1, p);
  EXPECT_POINT_NEAR(p, QvGePoint3d(-4, 0, 0), 0);
  EXPECT_VECTOR_NEAR(solid.normal(), QvGeVector3d::kZAxis, 0);
  QvDbExtents box;
  ASSERT_EQ(solid.getGeomExtents(box), eOk);
  EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(-4, 0, 0), 0);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(0, 3, 0), 0);
}

TEST(SolidFaceTest, FaceVerticesEdgesAndPlane) {
  QvDbFace face(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0), QvGePoint3d(1, 1, 1),
                QvGePoint3d(0, 1, 0), true, false, true, true);
  QvGePoint3dArray grips;
  QvDbIntArray modes, ids;
  ASSERT_EQ(face.getGripPoints(grips, modes, ids), eOk);
  ASSERT_EQ(grips.length(), 4);
  EXPECT_POINT_NEAR(grips[2], QvGePoint3d(1, 1, 1), 0);
  bool visible = true;
  EXPECT_EQ(face.isEdgeVisibleAt(1, visible), eOk);
  EXPECT_FALSE(visible);
  QvGePlane plane;
  QvDb::Planarity planarity = QvDb::kPlanar;
  EXPECT_EQ(face.getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kNonPlanar);  // the third vertex stands out of the plane
  EXPECT_EQ(face.setVertexAt(2, QvGePoint3d(1, 1, 0)), eOk);
  EXPECT_EQ(face.getPlane(plane, planarity), eOk);
  EXPECT_EQ(planarity, QvDb::kPlanar);
  QvGiWorldDrawRecorder recorder;
  recorder.drawTopLevel(&face);
  EXPECT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolyline), 3);  // the invisible edge not
  EXPECT_EQ(face.makeEdgeVisibleAt(7), Vexa::eInvalidIndex);

  QvDbPoint point(QvGePoint3d(1, 2, 3));
  ASSERT_EQ(point.transformBy(QvGeMatrix3d::translation(QvGeVector3d(1, 1, 1))), eOk);
  EXPECT_POINT_NEAR(point.position(), QvGePoint3d(2, 3, 4), 0);
  QvDbExtents box;
  ASSERT_EQ(point.getGeomExtents(box), eOk);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(2, 3, 4), 0);
}

}  // namespace
