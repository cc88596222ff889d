// Leaders (a curve through their vertices) and feature control frames (a box from their text).
#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using Vexa::eOk;

std::unique_ptr<QvDbLeader> leaderThrough(std::initializer_list<QvGePoint3d> points) {
  auto leader = std::make_unique<QvDbLeader>();
  for (const QvGePoint3d& p : points) EXPECT_EQ(leader->appendVertex(p), eOk);
  return leader;
}

TEST(QvDbLeaderTest, CurveThroughTheVertices) {
  const auto leader = leaderThrough({{0, 0, 0}, {3, 4, 0}, {9, 4, 0}});
  EXPECT_EQ(leader->numVertices(), 3);
  double start = -1, end = -1, length = 0;
  ASSERT_EQ(leader->getStartParam(start), eOk);
  ASSERT_EQ(leader->getEndParam(end), eOk);
  EXPECT_EQ(start, 0.0);
  EXPECT_EQ(end, 2.0);
  ASSERT_EQ(leader->getDistAtParam(end, length), eOk);
  EXPECT_NEAR(length, 11.0, 1e-9);  // 5 + 6
  QvGePoint3d point;
  ASSERT_EQ(leader->getPointAtParam(1.5, point), eOk);
  EXPECT_POINT_NEAR(point, QvGePoint3d(6, 4, 0));
  double param = 0;
  ASSERT_EQ(leader->getParamAtPoint(QvGePoint3d(1.5, 2, 0), param), eOk);
  EXPECT_NEAR(param, 0.5, 1e-12);
  EXPECT_FALSE(leader->isClosed());

  QvGePoint3dArray grips;
  QvDbIntArray modes, ids;
  ASSERT_EQ(leader->getGripPoints(grips, modes, ids), eOk);
  ASSERT_EQ(grips.length(), 3);
  EXPECT_POINT_NEAR(grips[1], QvGePoint3d(3, 4, 0));

  // Drawn as the line through its vertices.
  QvGiWorldDrawRecorder recorder;
  ASSERT_TRUE(recorder.drawTopLevel(leader.get()));
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolyline), 1);
  EXPECT_EQ(recorder.primitives()[0].points.length(), 3);

  // Vertices can be moved and removed; one vertex is no curve but still has a box.
  ASSERT_EQ(leader->setVertexAt(2, QvGePoint3d(3, 10, 0)), eOk);
  EXPECT_EQ(leader->setVertexAt(3, QvGePoint3d()), Vexa::eInvalidIndex);
  ASSERT_EQ(leader->removeLastVertex(), eOk);
  ASSERT_EQ(leader->removeLastVertex(), eOk);
  EXPECT_EQ(leader->getEndParam(end), Vexa::eInvalidInput);
  QvDbExtents extents;
  ASSERT_EQ(leader->getGeomExtents(extents), eOk);
  EXPECT_POINT_NEAR(extents.maxPoint(), QvGePoint3d(0, 0, 0));
  ASSERT_EQ(leader->removeLastVertex(), eOk);
  EXPECT_EQ(leader->removeLastVertex(), Vexa::eInvalidIndex);
}

TEST(QvDbLeaderTest, TransformationMovesVerticesAndPlane) {
  const auto leader = leaderThrough({{0, 0, 0}, {3, 4, 0}});
  const QvGeMatrix3d turn = QvGeMatrix3d::rotation(std::numbers::pi / 2, QvGeVector3d::kXAxis);
  ASSERT_EQ(leader->transformBy(turn), eOk);
  QvGePoint3d second;
  ASSERT_EQ(leader->getVertexAt(1, second), eOk);
  EXPECT_POINT_NEAR(second, QvGePoint3d(3, 0, 4));
  EXPECT_NEAR(leader->normal().dotProduct(QvGeVector3d(0, -1, 0)), 1.0, 1e-12);
  EXPECT_EQ(leader->transformBy(QvGeMatrix3d::scaling(0.0)), Vexa::eDegenerateGeometry);
  ASSERT_EQ(leader->getVertexAt(1, second), eOk);
  EXPECT_POINT_NEAR(second, QvGePoint3d(3, 0, 4));
}

class QvDbLeaderDbTest : public HostFixture {};

TEST_F(QvDbLeaderDbTest, AnnotationIsNamedNotOwned) {
  auto leader = leaderThrough({{0, 0, 0}, {1, 1, 0}});
  const QvDbObjectId annotation = addTestEntity(db()->modelSpaceId(), 1);
  ASSERT_EQ(leader->attachAnnotation(annotation), eOk);
  EXPECT_EQ(leader->annotationObjId(), annotation);
  const QvDbObjectId leaderId = appendToModelSpace(db(), leader.release());
  ASSERT_FALSE(leaderId.isNull());
  QvDbObjectPointer<QvDbLeader> reopened(leaderId, QvDb::kForWrite);
  EXPECT_EQ(reopened->annotationObjId(), annotation);
  ASSERT_EQ(reopened->detachAnnotation(), eOk);
  EXPECT_TRUE(reopened->annotationObjId().isNull());
}

TEST(QvDbFcfTest, FrameFromTheText) {
  // Two rows: "AB | CD" is 2 x (2 x 0.6 + 1) = 4.4 wide, "E" 1.6; each row 2 high.
  QvDbFcf frame(L"AB%%vCD\nE", QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis);
  ASSERT_EQ(frame.setTextHeight(1.0), eOk);
  QvGePoint3dArray corners;
  ASSERT_EQ(frame.getBoundingPoints(corners), eOk);
  ASSERT_EQ(corners.length(), 4);
  EXPECT_POINTS_NEAR(corners, {{1, 2, 0}, {5.4, 2, 0}, {1, -2, 0}, {5.4, -2, 0}});

  QvGiWorldDrawRecorder recorder;
  ASSERT_TRUE(recorder.drawTopLevel(&frame));
  ASSERT_EQ(recorder.count(QvGiWorldDrawRecorder::kPolyline), 1);
  const QvGePoint3dArray& outline = recorder.primitives()[0].points;
  ASSERT_EQ(outline.length(), 5);
  EXPECT_POINT_NEAR(outline[2], corners[3]);  // round the frame: 0, 1, 3, 2, 0

  EXPECT_EQ(frame.setTextHeight(0.0), Vexa::eInvalidInput);
  EXPECT_EQ(frame.setOrientation(QvGeVector3d::kZAxis, QvGeVector3d(0, 0, 3)), Vexa::eInvalidInput);
  ASSERT_EQ(frame.setOrientation(QvGeVector3d::kZAxis, QvGeVector3d(0, 2, 1)), eOk);
  EXPECT_NEAR(frame.direction().dotProduct(QvGeVector3d::kYAxis), 1.0, 1e-12);
}

// The frame follows similarities as a rigid picture: its corners are the images of the old
// ones; a map that distorts the boxes is refused and changes nothing.
TEST(QvDbFcfTest, TransformationsOfTheFrame) {
  const QvGeMatrix3d similarities[] = {
      QvGeMatrix3d::rotation(0.8, QvGeVector3d(1, 2, 2).normal(), QvGePoint3d(3, 0, 1)),
      QvGeMatrix3d::mirroring(QvGePlane(QvGePoint3d(2, 0, 0), QvGeVector3d(1, 1, 0))),
      QvGeMatrix3d::scaling(2.5, QvGePoint3d(-1, 4, 0)),
  };
  for (const QvGeMatrix3d& xform : similarities) {
    QvDbFcf frame(L"A%%vBC", QvGePoint3d(1, 1, 0), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis);
    QvGePoint3dArray before, after;
    ASSERT_EQ(frame.getBoundingPoints(before), eOk);
    ASSERT_EQ(frame.transformBy(xform), eOk);
    ASSERT_EQ(frame.getBoundingPoints(after), eOk);
    for (int i = 0; i < 4; ++i)
      EXPECT_POINT_NEAR(after[i], QvGePoint3d(before[i]).transformBy(xform));
  }
  QvDbFcf frame(L"A", QvGePoint3d(), QvGeVector3d::kZAxis, QvGeVector3d::kXAxis);
  QvGeMatrix3d stretch;
  stretch.setToScaling(QvGeScale3d(2, 1, 1));
  EXPECT_EQ(frame.transformBy(stretch), Vexa::eNotApplicable);
  EXPECT_NEAR(frame.textHeight(), 0.18, 1e-15);
}

}  // namespace
