// The offset preview entity in drawing files: written with its class record, read back as its
// class while the module's class is registered, kept as a proxy and written back unchanged
// while it is not.
#include <gtest/gtest.h>

#include <string>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"
#include "xqcmdutil/XqDbSubEntContainer.h"

namespace {

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
