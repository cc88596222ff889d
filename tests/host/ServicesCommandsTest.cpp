// LWEIGHT, SAVEFORMAT, BLOCKPIC and REFLIST from a script: the answers they refuse and what
// they say then. The accepted answers run end to end in examples/services.script.
#include <gtest/gtest.h>

#include "sdk/app/VexaDocData.h"
#include "sdk/db/QvDbCircle.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"

namespace {

class ServicesCommandsTest : public CommandModuleFixture {};

TEST_F(ServicesCommandsTest, RefusedLineWeightsAndSaveVersionsAreSaid) {
  const auto summary =
      run(L"LWEIGHT\n26\nSAVEFORMAT\nDxf\n33\nSAVEFORMAT\ndwt\n27\nSAVEFORMAT\n\n\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains("26 is not a standard line weight.")) << transcript();
  EXPECT_TRUE(contains("Version 27 cannot be written; it stays 33.")) << transcript();
  EXPECT_TRUE(contains("File type [Dwg/Dxf/Dwt] <Dwt>:")) << transcript();  // kept from the second
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->fileType, kDocFileDwt);
}

// REFLIST with nothing selected ends quietly (done); the refused pictures fail.
TEST_F(ServicesCommandsTest, PicturesOfUnknownBlocksOrIntoMissingFoldersAreRefused) {
  const QvDbObjectId tree = addBlock(db(), L"Tree");
  appendEntity(tree, new QvDbCircle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 2));
  TempFolder folder;
  const auto summary = run(QvString(L"BLOCKPIC\nShrub\nBLOCKPIC\nTree\n") +
                           QvString(folder.path("missing/x.svg").c_str()) + L"\n\nREFLIST\n\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("Block \"Shrub\" not found.")) << transcript();
  EXPECT_TRUE(contains("Cannot write")) << transcript();
  EXPECT_TRUE(contains("No block references selected.")) << transcript();
}

}  // namespace
