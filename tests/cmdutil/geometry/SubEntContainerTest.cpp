// The offset preview entity: drawing and extents of what it holds, and entities of a database
// never taken or deleted by it.
#include <gtest/gtest.h>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/XqDbSubEntContainer.h"

namespace {

using Kind = QvGiWorldDrawRecorder::Kind;

TEST(SubEntContainerDraw, DrawsEachHeldEntityOnceInTheOrderAdded) {
  XqDbSubEntContainer container(true);
  QvGiWorldDrawRecorder empty;
  EXPECT_TRUE(empty.drawTopLevel(&container));
  EXPECT_TRUE(empty.primitives().empty());
  QvDbExtents none;
  EXPECT_EQ(container.getGeomExtents(none), Vexa::eInvalidExtents);

  auto* circle = new QvDbCircle(QvGePoint3d(10, 0, 0), QvGeVector3d::kZAxis, 2.0);
  auto* line = new QvDbLine(QvGePoint3d(-1, -3, 0), QvGePoint3d(4, 5, 1));
  ASSERT_TRUE(container.addSubEntity(circle));
  ASSERT_TRUE(container.addSubEntity(line));
  ASSERT_TRUE(container.addSubEntity(circle));  // once only

  QvGiWorldDrawRecorder recorder;
  EXPECT_TRUE(recorder.drawTopLevel(&container));
  ASSERT_EQ(recorder.primitives().size(), 2u);
  EXPECT_EQ(recorder.primitives()[0].kind, Kind::kCircle);
  EXPECT_POINT_NEAR(recorder.primitives()[0].points[0], QvGePoint3d(10, 0, 0));
  EXPECT_EQ(recorder.primitives()[1].kind, Kind::kPolyline);
  EXPECT_POINT_NEAR(recorder.primitives()[1].points[1], QvGePoint3d(4, 5, 1));
  // Drawn for one viewport, the same in the same order.
  QvGiWorldDrawRecorder perViewport;
  perViewport.setView(QvGePoint3d(5, -20, 10), QvGePoint3d(5, 0, 0));
  perViewport.drawViewportTopLevel(&container);
  ASSERT_EQ(perViewport.primitives().size(), 2u);
  EXPECT_EQ(perViewport.primitives()[0].kind, Kind::kCircle);
  EXPECT_EQ(perViewport.primitives()[1].kind, Kind::kPolyline);

  // The box around both: the circle reaches x 12 and y -2..2, the line the rest.
  QvDbExtents box;
  ASSERT_EQ(container.getGeomExtents(box), Vexa::eOk);
  EXPECT_POINT_NEAR(box.minPoint(), QvGePoint3d(-1, -3, 0));
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(12, 5, 1));

  // Without the circle the box shrinks to the line's.
  ASSERT_TRUE(container.deleteSubEntity(circle));
  delete circle;
  ASSERT_EQ(container.getGeomExtents(box), Vexa::eOk);
  EXPECT_POINT_NEAR(box.maxPoint(), QvGePoint3d(4, 5, 1));
}

class SubEntContainerDatabaseTest : public HostFixture {};

TEST_F(SubEntContainerDatabaseTest, NeverTakesNorDeletesEntitiesOfADatabase) {
  const QvDbObjectId resident =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
  ASSERT_FALSE(resident.isNull());
  {
    XqDbSubEntContainer container(true);
    QvDbObjectPointer<QvDbLine> line(resident, QvDb::kForRead);
    ASSERT_TRUE(line);
    EXPECT_FALSE(container.addSubEntity(line.object()));
    EXPECT_TRUE(container.subEntities().empty());
  }

  // An entity held while in memory that joins a database later is let go, not deleted.
  auto* joining = new QvDbLine(QvGePoint3d(0, 1, 0), QvGePoint3d(1, 1, 0));
  auto* temporary = new QvDbLine(QvGePoint3d(0, 2, 0), QvGePoint3d(1, 2, 0));
  XqDbSubEntContainer container;
  ASSERT_TRUE(container.addSubEntity(joining));
  ASSERT_TRUE(container.addSubEntity(temporary));
  const QvDbObjectId joined = appendToModelSpace(db(), joining);
  ASSERT_FALSE(joined.isNull());
  container.clearSubEntity();  // deletes `temporary` (ASan would report it otherwise)
  EXPECT_TRUE(container.subEntities().empty());
  QvDbObjectPointer<QvDbLine> still(joined, QvDb::kForRead);
  ASSERT_TRUE(still);
  EXPECT_POINT_NEAR(still->endPoint(), QvGePoint3d(1, 1, 0));
  still.close();
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace
