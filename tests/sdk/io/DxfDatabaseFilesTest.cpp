// The database's file members: reading replaces the drawing only when the file was read
// whole, saving keeps the former file as a backup and leaves nothing behind on failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"

namespace {

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

class DxfDatabaseFilesTest : public DxfFolderTest {
 protected:
  QvString path(const std::string& name) const { return QvString(folder_.path(name).c_str()); }
};

TEST_F(DxfDatabaseFilesTest, ReadingReplacesTheWholeDrawing) {
  QvDbDatabase source;
  addLayer(&source, L"From the file");
  ASSERT_EQ(Vexa::eOk, source.saveAs(path("drawing.dwg")));  // DXF text, whatever the name
  const QvDbObjectId before = addLayer(db(), L"Before");
  ASSERT_EQ(Vexa::eOk, db()->readDwgFile(path("drawing.dwg"), QvDb::kShareDenyRead));
  EXPECT_TRUE(layerNamed(db(), L"Before").isNull());
  EXPECT_FALSE(layerNamed(db(), L"From the file").isNull());
  EXPECT_EQ(path("drawing.dwg"), db()->fileName());
  EXPECT_EQ(Vexa::eOk, db()->closeInput(true));
  // The ids of the former contents are safe to ask and read as erased.
  EXPECT_FALSE(before.isValid());
  EXPECT_TRUE(before.isErased());
  EXPECT_EQ(nullptr, before.objectClass());
  QvDbObject* object = nullptr;
  EXPECT_EQ(Vexa::eWasErased, qvdbOpenObject(object, before, QvDb::kForRead));
  // The same through the other entry points.
  QvDbDatabase side(false);
  EXPECT_EQ(Vexa::eOk, qvdbReadDwgFile(&side, path("drawing.dwg")));
  EXPECT_FALSE(layerNamed(&side, L"From the file").isNull());
  EXPECT_EQ(Vexa::eNullPtr, qvdbReadDwgFile(nullptr, path("drawing.dwg")));
  QvDbDatabase viaDxfIn(false);
  EXPECT_EQ(Vexa::eOk, viaDxfIn.dxfIn(path("drawing.dwg"), path("read.log")));
  EXPECT_NE(std::string::npos, readTextFile(folder_.path("read.log")).find("read "));
  EXPECT_TRUE(nothingLeftOpen(&side));
}

TEST_F(DxfDatabaseFilesTest, ReadingAndSavingWaitForOpenObjectsAndTransactions) {
  ASSERT_EQ(Vexa::eOk, db()->saveAs(path("a.dxf")));
  QvDbObjectPointer<QvDbLayerTable> table(db()->layerTableId(), QvDb::kForRead);
  EXPECT_EQ(Vexa::eInvalidInput, db()->readDwgFile(path("a.dxf")));
  EXPECT_EQ(Vexa::eInvalidInput, db()->saveAs(path("b.dxf")));
  EXPECT_NE(-1, db()->fileMessage().find(L"open objects"));
  table.close();
  EXPECT_EQ(Vexa::eOk, db()->saveAs(path("b.dxf")));
  EXPECT_EQ(Vexa::eInvalidInput, db()->readDwgFile(path("a.dxf"), 12345));
}

TEST_F(DxfDatabaseFilesTest, SavingKeepsTheFormerFileAsBackup) {
  addLayer(db(), L"First");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(path("plan.dxf")));
  const std::string first = readTextFile(folder_.path("plan.dxf"));
  addLayer(db(), L"Second");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(path("plan.dxf"), true));
  EXPECT_EQ(first, readTextFile(folder_.path("plan.bak")));
  EXPECT_NE(std::string::npos, readTextFile(folder_.path("plan.dxf")).find("Second"));
  // Without the backup the file is replaced and the backup left alone.
  addLayer(db(), L"Third");
  ASSERT_EQ(Vexa::eOk, db()->saveAs(path("plan.dxf"), false));
  EXPECT_EQ(first, readTextFile(folder_.path("plan.bak")));
  EXPECT_NE(std::string::npos, readTextFile(folder_.path("plan.dxf")).find("Third"));
  EXPECT_EQ((std::vector<std::string>{"plan.bak", "plan.dxf"}), filesIn(folder_.path("")));
}

TEST_F(DxfDatabaseFilesTest, AFailedSaveLeavesNothingBehind) {
  folder_.file("not a folder", "x");
  EXPECT_EQ(Vexa::eFileAccessError, db()->saveAs(path("not a folder/plan.dxf")));
  EXPECT_FALSE(db()->fileMessage().isEmpty());
  EXPECT_EQ(Vexa::eNotImplemented, db()->saveAs(path("old.dxf"), true, 27));
  int security = 0;
  EXPECT_EQ(Vexa::eNotImplemented,
            db()->saveAs(path("old.dxf"), true, QvDb::kDrawingVersionCurrent, &security));
  EXPECT_EQ(Vexa::eInvalidInput, db()->saveAs(L""));
  EXPECT_EQ((std::vector<std::string>{"not a folder"}), filesIn(folder_.path("")));
  EXPECT_TRUE(db()->fileName().isEmpty());
}
