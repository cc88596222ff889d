// TEXTSCR, LWEIGHT, SAVEFORMAT, BLOCKPIC, REFLIST and SELHIDDEN from a script.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "sdk/app/VexaDocData.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"

namespace {

class ServicesCommandsTest : public CommandModuleFixture {
 protected:
  // A block "Tree" (a circle) and two references of it, a line between them.
  void trees() {
    tree_ = addBlock(db(), L"Tree");
    appendEntity(tree_, new QvDbCircle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 2));
    appendToModelSpace(db(), new QvDbBlockReference(QvGePoint3d(10, 5, 0), tree_));
    appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
    appendToModelSpace(db(), new QvDbBlockReference(QvGePoint3d(20, 5, 0), tree_));
  }
  QvDbObjectId tree_;
};

TEST_F(ServicesCommandsTest, TextScreenAndLineWeights) {
  const auto summary = run(L"TEXTSCR\nLWEIGHT\n25\nLWEIGHT\n-2\nLWEIGHT\n\nLWEIGHT\n26\n");
  EXPECT_EQ(summary.done, 4) << transcript();
  EXPECT_EQ(transcript().find("[text screen]") != std::string::npos, true) << transcript();
  EXPECT_TRUE(contains("25: 0.25 mm")) << transcript();
  EXPECT_TRUE(contains("-2: ByBlock")) << transcript();
  EXPECT_TRUE(contains("211  2.11 mm")) << transcript();  // the listing
  EXPECT_TRUE(contains("26 is not a standard line weight.")) << transcript();
}

TEST_F(ServicesCommandsTest, SaveFormatStoresWhatTheWriterCanWrite) {
  const auto summary = run(L"SAVEFORMAT\nDxf\n33\nSAVEFORMAT\ndwt\n27\nSAVEFORMAT\n\n\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains("a Dxf file; a save writes version 33")) << transcript();
  EXPECT_TRUE(contains("Version 27 cannot be written; it stays 33.")) << transcript();
  EXPECT_TRUE(contains("File type [Dwg/Dxf/Dwt] <Dwt>:")) << transcript();  // kept from the second
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->fileType, kDocFileDwt);
}

TEST_F(ServicesCommandsTest, BlockPictureIntoAFile) {
  trees();
  TempFolder folder;
  const std::string file = folder.path("tree.svg");
  const auto summary = run(QvString(L"BLOCKPIC\nTree\n") + QvString(file.c_str()) +
                           L"\nNo\nBLOCKPIC\nShrub\nBLOCKPIC\nTree\n" +
                           QvString(folder.path("missing/x.svg").c_str()) + L"\n\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("Save Block Picture <Tree.svg>:")) << transcript();
  EXPECT_TRUE(contains("Picture of Tree written to tree.svg.")) << transcript();
  EXPECT_TRUE(contains("Block \"Shrub\" not found.")) << transcript();
  EXPECT_TRUE(contains("Cannot write")) << transcript();
  std::ifstream in(file);
  const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("<circle"), std::string::npos) << svg;
}

TEST_F(ServicesCommandsTest, ReferenceListAndHiddenSelection) {
  trees();
  const QvDbObjectId frozen =
      addLayer(db(), L"Frozen", [](QvDbLayerTableRecord& l) { l.setIsFrozen(true); });
  auto* onFrozen = new QvDbLine(QvGePoint3d(0, 9, 0), QvGePoint3d(1, 9, 0));
  onFrozen->setLayer(frozen);
  appendToModelSpace(db(), onFrozen);
  const auto summary = run(L"REFLIST\nALL\n\nSELHIDDEN\nALL\n\nREFLIST\n\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains("Tree at 10,5,0")) << transcript();
  EXPECT_TRUE(contains("Tree at 20,5,0")) << transcript();
  EXPECT_TRUE(contains("2 block reference(s).")) << transcript();
  EXPECT_TRUE(contains("4 selected: 0 invisible, 0 on layers that are off, 1 frozen, 0 locked."))
      << transcript();
  EXPECT_TRUE(contains("No block references selected.")) << transcript();
}

}  // namespace
