// The offset preview entity: drawing and extents of what it holds, entities of a database never
// taken or deleted by it, and its drawing files: written with its class record, read back as
// its class while the module's class is registered, kept as a proxy and written back unchanged
// while it is not.
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"
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
}

// The text of the record that holds `line`, from its "0" group to the next one.
std::string recordText(const std::string& file, const std::string& line) {
  const size_t at = file.find("\n" + line + "\n");
  if (at == std::string::npos) return {};
  const size_t begin = file.rfind("\n  0\n", at);
  const size_t end = file.find("\n  0\n", at + 1);
  return file.substr(begin, end - begin);
}

class OffsetPreviewFileTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    registerClass();
  }
  void TearDown() override {
    unregisterClass();
    HostFixture::TearDown();
  }
  static void registerClass() {
    if (!XqDbSubEntContainer::gpDesc) XqDbSubEntContainer::rxInit();
  }
  static void unregisterClass() {
    if (XqDbSubEntContainer::gpDesc) deleteQvRxClass(XqDbSubEntContainer::gpDesc);
    XqDbSubEntContainer::gpDesc = nullptr;
  }
  // The one entity of the model space.
  static QvDbObjectId onlyEntity(QvDbDatabase& db) {
    const QvDbObjectIdArray ids = entitiesOf(db.modelSpaceId());
    EXPECT_EQ(ids.length(), 1);
    return ids.isEmpty() ? QvDbObjectId() : ids.last();
  }

  QvString path(const std::string& name) const { return QvString(folder_.path(name).c_str()); }
  TempFolder folder_;
};

TEST_F(OffsetPreviewFileTest, RoundTripsAsItsClassOrAsAnUnchangedProxy) {
  {
    QvDbDatabase source;
    const QvDbObjectId layer = addLayer(&source, L"Preview");
    auto* container = new XqDbSubEntContainer;
    container->setLayer(layer);
    container->setColorIndex(3);
    ASSERT_FALSE(appendToModelSpace(&source, container).isNull());
    ASSERT_EQ(source.saveAs(path("a.dxf")), Vexa::eOk);
  }
  const std::string written = readTextFile(folder_.path("a.dxf"));
  const std::string classRecord = recordText(written, "XqDbSubEntContainer");
  EXPECT_NE(classRecord.find("QVDBOFFSETPREVIEWENTITY"), std::string::npos) << classRecord;
  EXPECT_NE(classRecord.find("XqDbSubEntContainer"), std::string::npos) << classRecord;
  const std::string entityRecord = recordText(written, "  0\nQVDBOFFSETPREVIEWENTITY");
  ASSERT_FALSE(entityRecord.empty());

  // Read back with the class registered: its own class, with its properties.
  {
    QvDbDatabase read(false);
    ASSERT_EQ(read.readDwgFile(path("a.dxf")), Vexa::eOk) << read.fileMessage();
    QvDbObjectPointer<QvDbEntity> entity(onlyEntity(read), QvDb::kForRead);
    ASSERT_TRUE(entity);
    EXPECT_EQ(entity->isA(), XqDbSubEntContainer::desc());
    EXPECT_EQ(entity->colorIndex(), 3);
    EXPECT_EQ(entity->layer(), QvString(L"Preview"));
    entity.close();
    EXPECT_TRUE(nothingLeftOpen(&read));
  }

  // Without the class (the module not loaded): a proxy, written back as it was.
  unregisterClass();
  {
    QvDbDatabase read(false);
    ASSERT_EQ(read.readDwgFile(path("a.dxf")), Vexa::eOk) << read.fileMessage();
    {
      QvDbObjectPointer<QvDbProxyEntity> proxy(onlyEntity(read), QvDb::kForRead);
      ASSERT_TRUE(proxy);
      EXPECT_EQ(proxy->originalClassName(), QvString(L"XqDbSubEntContainer"));
    }
    ASSERT_EQ(read.saveAs(path("b.dxf")), Vexa::eOk);
  }
  const std::string rewritten = readTextFile(folder_.path("b.dxf"));
  EXPECT_EQ(recordText(rewritten, "  0\nQVDBOFFSETPREVIEWENTITY"), entityRecord);
  EXPECT_EQ(recordText(rewritten, "XqDbSubEntContainer"), classRecord);

  // And once the class is back, the rewritten file gives the class again.
  registerClass();
  QvDbDatabase again(false);
  ASSERT_EQ(again.readDwgFile(path("b.dxf")), Vexa::eOk) << again.fileMessage();
  QvDbObjectPointer<QvDbEntity> entity(onlyEntity(again), QvDb::kForRead);
  ASSERT_TRUE(entity);
  EXPECT_EQ(entity->isA(), XqDbSubEntContainer::desc());
}

}  // namespace
