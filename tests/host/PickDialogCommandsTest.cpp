// BLOCKPICK and LAYERPICK from a script: the dialogs answered by dialog lines (typed, keys,
// mouse), what they say, and their pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sdk/db/QvDbLine.h"
#include "sdk/win/VexaDialogPictures.h"
#include "sdk/win/VexaSystemControls.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"

namespace {

using P = QvGePoint3d;

class BlockPickCommandTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    for (const wchar_t* name : {L"Door", L"Lamp", L"Ladder", L"Window"}) {
      const QvDbObjectId block = addBlock(db(), name);
      appendEntity(block, new QvDbLine(P(0, 0, 0), P(10, 5, 0)));
    }
  }
};

TEST_F(BlockPickCommandTest, TheLastInsertedBlockIsTheRecentItem) {
  run(L"SETVAR\nINSNAME\nWindow\n");
  // The first item under the title is the recent one: Down twice passes the first title.
  run(L"BLOCKPICK\n@key Down\n@key Down\n@ok\n");
  EXPECT_TRUE(contains("Block: Window"));
}

TEST_F(BlockPickCommandTest, AnUnknownNameKeepsTheDialogOpenAndCancelEndsIt) {
  const auto summary = run(L"BLOCKPICK\n@type chair\n@ok\n@key Nowhere\n@cancel\n");
  EXPECT_TRUE(contains({"No block is named \"chair\".", "Unknown key \"NOWHERE\"", "*Cancel*"}));
  EXPECT_EQ(summary.done, 0);
  // A script that runs out, or goes on with a command, cancels the dialog too.
  run(L"BLOCKPICK\n@type door\nLINE\n");
  EXPECT_TRUE(contains("expected a dialog line"));
}

TEST_F(BlockPickCommandTest, EachStateOfTheDialogIsPictured) {
  TempFolder folder;
  host().service<VexaDialogPictures>().setFolder(folder.path(""));
  run(L"BLOCKPICK\n@type door\n@key F4\n@ok\n");
  EXPECT_TRUE(contains("Block: Door"));
  // The opened dialog, then one picture a line.
  EXPECT_EQ(host().service<VexaDialogPictures>().written(), 4);
  const std::string opened = readTextFile(folder.path("/blockpick-01.svg"));
  EXPECT_NE(opened.find(">Block name:</text>"), std::string::npos);
  EXPECT_EQ(opened.find("<g transform"), std::string::npos);  // nothing named: no preview yet
  const std::string dropped = readTextFile(folder.path("/blockpick-03.svg"));
  EXPECT_NE(dropped.find(">LADDER</text>"), std::string::npos);  // the open list
  EXPECT_NE(dropped.find("<g transform"), std::string::npos);    // DOOR's preview
  EXPECT_NE(dropped.find("<polyline"), std::string::npos);
}

TEST_F(BlockPickCommandTest, ADrawingWithoutBlocksHasNothingToPick) {
  CommandModuleFixture::TearDown();
  CommandModuleFixture::SetUp();
  run(L"BLOCKPICK\n");
  EXPECT_TRUE(contains("The drawing has no blocks to pick."));
}

constexpr const char* kLong = "A_RATHER_LONG_LAYER_NAME";

class LayerPickCommandTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    addLayer(db(), L"WALLS");
    addLayer(db(), QvString(kLong).c_str());
  }
  // The middle of a row of the open list, in the dialog's client area: the box spans y 30 to
  // 52, the list hangs under it with a one-pixel border.
  static std::wstring row(int index) {
    const int h = vexaItemHeight(nullptr);
    return L"20," + std::to_wstring(52 + 1 + index * h + h / 2);
  }
};

TEST_F(LayerPickCommandTest, AWideNameShowsInATipAndAClickOnTheTipPicksIt) {
  TempFolder folder;
  host().service<VexaDialogPictures>().setFolder(folder.path(""));
  const auto summary = run(L"LAYERPICK\n@click 75,40\n@move " + row(2) +
                           L"\n@wait 99\n@wait 1\n@click " + row(2) + L"\n@ok\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains(std::string("Layer: ") + kLong));
  // 01 opened, 02 the list open, 03 the mouse on the wide name, 04 at 99 ms, 05 at 100 ms.
  const std::string name = std::string(">") + kLong + "</text>";
  EXPECT_EQ(occurrences(readTextFile(folder.path("/layerpick-03.svg")), name), 1u);
  EXPECT_EQ(occurrences(readTextFile(folder.path("/layerpick-04.svg")), name), 1u);
  EXPECT_EQ(occurrences(readTextFile(folder.path("/layerpick-05.svg")), name),
            2u);  // the list and the tip
  EXPECT_NE(readTextFile(folder.path("/layerpick-05.svg")).find("XqToolTipText"),
            std::string::npos);
}

TEST_F(LayerPickCommandTest, KeysPickToo) {
  run(L"LAYERPICK\n@key Down\n@key Enter\n");
  EXPECT_TRUE(contains("Layer: WALLS"));
  run(L"LAYERPICK\n@move nowhere\n@key Escape\n");
  EXPECT_TRUE(contains({"needs a point X,Y", "*Cancel*"}));
}

}  // namespace
