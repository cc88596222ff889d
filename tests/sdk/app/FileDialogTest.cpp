#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sdk/app/VexaFileDialog.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaTranscript.h"
#include "tests/support/HostFixture.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;
using testing::ElementsAre;

class FileDialogTest : public HostFixture {
 protected:
  static VexaFileDialogRequest insertBlock(int flags) {
    return {L"Insert Block", L"door", L"dwg;*.DXF", flags, L"InsertDialog"};
  }
};

TEST_F(FileDialogTest, EachAnswerOfTheScript) {
  script(L"# the user picks a file\n~3,4\n  C:\\parts\\door.dxf  \n\n^C\n");
  QvString chosen = L"before";
  int filter = -1;
  EXPECT_EQ(vexaFileNavDialog(insertBlock(0), chosen, &filter), kFileDialogChosen);
  EXPECT_EQ(chosen, L"C:\\parts\\door.dxf");
  EXPECT_EQ(filter, 2);  // "dxf" is the second entry of the filter, in any case
  EXPECT_EQ(vexaFileNavDialog(insertBlock(0), chosen, &filter), kFileDialogNothing);
  EXPECT_EQ(filter, 0);
  EXPECT_EQ(vexaFileNavDialog(insertBlock(0), chosen, &filter), kFileDialogCancelled);
  EXPECT_EQ(vexaFileNavDialog(insertBlock(0), chosen), kFileDialogCancelled);  // ran out
  EXPECT_EQ(chosen, L"C:\\parts\\door.dxf");  // only a chosen file changes it
  EXPECT_THAT(transcript().texts(Kind::kAnswer),
              ElementsAre(L"  C:\\parts\\door.dxf", L"", L"*Cancel*", L"*Cancel*"));
}

TEST_F(FileDialogTest, TheDefaultNameIsOfferedUnderItsFlag) {
  script(L"a.dwg\nb\nc.txt\n");
  QvString chosen;
  int filter = -1;
  ASSERT_EQ(vexaFileNavDialog(insertBlock(kFileDialogDefaultName | 0x4), chosen, &filter),
            kFileDialogChosen);
  EXPECT_EQ(filter, 1);
  ASSERT_EQ(vexaFileNavDialog(insertBlock(0), chosen, &filter), kFileDialogChosen);
  EXPECT_EQ(filter, 0);  // no extension
  VexaFileDialogRequest noDefault = insertBlock(kFileDialogDefaultName);
  noDefault.defaultName.empty();
  ASSERT_EQ(vexaFileNavDialog(noDefault, chosen, &filter), kFileDialogChosen);
  EXPECT_EQ(filter, 0);  // not in the filter
  EXPECT_THAT(transcript().texts(Kind::kPrompt),
              ElementsAre(L"\nInsert Block <door>: ", L"\nInsert Block: ", L"\nInsert Block: "));
  // Every request is kept as it was asked, pass-through values included.
  const auto& requests = host().service<VexaFileDialogHistory>().requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].flags, kFileDialogDefaultName | 0x4);
}

TEST(FileDialogNoHostTest, FailsWithoutAHost) {
  QvString chosen;
  int filter = -1;
  EXPECT_EQ(vexaFileNavDialog({L"t", L"", L"", 0, L""}, chosen, &filter), kFileDialogFailed);
  EXPECT_EQ(filter, 0);
}

}  // namespace
