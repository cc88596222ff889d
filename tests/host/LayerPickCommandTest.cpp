// LAYERPICK from a script: the narrow box with tips, driven by the mouse lines of the dialog.
#include <gtest/gtest.h>

#include <string>

#include "sdk/win/VexaDialogPictures.h"
#include "sdk/win/VexaSystemControls.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"

namespace {

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
  EXPECT_TRUE(contains(std::string("Layer: ") + kLong)) << transcript();
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
  EXPECT_TRUE(contains("Layer: WALLS")) << transcript();
  run(L"LAYERPICK\n@move nowhere\n@key Escape\n");
  EXPECT_TRUE(contains("needs a point X,Y")) << transcript();
  EXPECT_TRUE(contains("*Cancel*")) << transcript();
}

}  // namespace
