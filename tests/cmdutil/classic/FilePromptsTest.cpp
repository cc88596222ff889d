// File names, file dialogs, file search and name prompts of the classic helper library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "sdk/app/VexaConfigDataManager.h"
#include "sdk/app/VexaFileDialog.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaTranscript.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/XqFilePrompts.h"
#include "xqcmdutil/XqNamePrompt.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;
using testing::ElementsAre;

QvString extractFileName(const wchar_t* path) {
  QvString name = L"stale";
  xqcmdExtractFileName(path, name);
  return name;
}

TEST(FileNamesTest, FileNamePartsOfPaths) {
  EXPECT_EQ(extractFileName(L"C:\\parts\\door.dwg"), L"door");
  EXPECT_EQ(extractFileName(L"/srv/plans/site.v2.dxf"), L"site.v2");
  EXPECT_EQ(extractFileName(L"plans.old/site"), L"site");  // a dot in a folder is no extension
  EXPECT_EQ(extractFileName(L"C:door.dwg"), L"door");
  EXPECT_EQ(extractFileName(L"door"), L"door");
  EXPECT_EQ(extractFileName(L"C:\\parts\\"), L"");
  EXPECT_EQ(extractFileName(nullptr), L"");

  EXPECT_EQ(GetFileName(L"  C:/parts/door.dwg \n"), L"door.dwg");
  EXPECT_EQ(GetFileName(L"C:\\parts\\"), L"");
  EXPECT_EQ(GetFileName(L"door.dwg"), L"door.dwg");
  EXPECT_EQ(GetFileName(L"a/b c/d e.dwg"), L"d e.dwg");
  EXPECT_EQ(GetFileName(nullptr), L"");
}

class FilePromptsTest : public HostFixture {
 protected:
  const std::vector<VexaFileDialogRequest>& requests() {
    return host().service<VexaFileDialogHistory>().requests();
  }
};

TEST_F(FilePromptsTest, FileDialogAnswers) {
  script(L"C:\\parts\\door.dwg\n\n^C\n");
  QvRbListPtr result(qvutNewRb(kRbNone));
  EXPECT_EQ(vexaGetFileDialog(L"Insert Block", L"door", L"dwg;dxf", 0x4, result.get()), kQvNormal);
  ASSERT_EQ(result->type, kRbString);
  EXPECT_EQ(QvString(result->value.string), L"C:\\parts\\door.dwg");
  EXPECT_EQ(vexaGetFileDialog(L"Insert Block", L"", L"dwg;dxf", 0x4, nullptr), kQvNone);
  EXPECT_EQ(vexaGetFileDialog(L"Insert Block", nullptr, L"dwg;dxf", 0, nullptr), kQvCancel);
  // The default name adds its flag; the caller's flags and the rest pass through.
  ASSERT_EQ(requests().size(), 3u);
  EXPECT_EQ(requests()[0].flags, 0x104);
  EXPECT_EQ(requests()[1].flags, 0x4);
  EXPECT_EQ(requests()[2].flags, 0);
  EXPECT_EQ(requests()[0].extensions, L"dwg;dxf");
  EXPECT_THAT(transcript().texts(Kind::kPrompt),
              ElementsAre(L"\nInsert Block <door>: ", L"\nInsert Block: ", L"\nInsert Block: "));
}

TEST_F(FilePromptsTest, TheOtherDialogFailsForEverythingButAChoice) {
  script(L"/plans/site.DXF\n\n^C\n");
  int filter = -1;
  QvRbListPtr result(qvutNewRb(kRbNone));
  EXPECT_EQ(xqGetFileDialog(L"Open", L"site", L"dwg;dxf", 0, result.get(), &filter, L"Open"),
            kQvNormal);
  EXPECT_EQ(QvString(result->value.string), L"/plans/site.DXF");
  EXPECT_EQ(filter, 2);
  EXPECT_EQ(requests()[0].dialogName, L"Open");
  EXPECT_EQ(xqGetFileDialog(L"Open", L"", L"dwg;dxf", 0, nullptr, &filter), kQvError);
  EXPECT_EQ(xqGetFileDialog(L"Open", L"", L"dwg;dxf", 0, nullptr, nullptr), kQvError);
}

TEST(FileDialogNoHostTest, FailsWithoutAHost) {
  EXPECT_EQ(vexaGetFileDialog(L"t", L"", L"", 0, nullptr), kQvError);
}

TEST_F(FilePromptsTest, FindFileCopiesTheFullPathWhenItFits) {
  TempFolder folder;
  const std::string full = folder.file("door.dwg", "0\nEOF\n");
  getConfigDataManager()->setSupportPath(QvString(full.substr(0, full.rfind('/')).c_str()));

  std::wstring found(full.size() + 1, L'?');
  ASSERT_EQ(VexaFindFile(L"door.dwg", found.data(), found.size()), kQvNormal);
  EXPECT_EQ(QvString(found.c_str()), QvString(full.c_str()));
  // One character short: refused, never written past the buffer or cut.
  std::wstring small(full.size() + 2, L'?');
  EXPECT_EQ(VexaFindFile(L"door.dwg", small.data(), full.size()), kQvError);
  EXPECT_EQ(small[0], L'\0');
  EXPECT_EQ(small[full.size()], L'?');
  EXPECT_EQ(VexaFindFile(L"door.dwg", nullptr, 100), kQvError);
  EXPECT_EQ(VexaFindFile(L"window.dwg", found.data(), found.size()), kQvError);
}

// A command context with a fixed answer.
class FixedContext : public IVexaBuildInCommandContext {
 public:
  explicit FixedContext(bool spaces) : spaces_(spaces) {}
  bool isSpaceAllowedInNames() const override { return spaces_; }

 private:
  bool spaces_;
};

TEST_F(FilePromptsTest, NamePromptsFollowTheContext) {
  script(L"front door\nfront door\nlong name here\n");
  QvString name;
  const FixedContext spaces(true);
  const FixedContext noSpaces(false);
  ASSERT_EQ(qvedGetStringForName(&spaces, L"\nBlock name: ", name), kQvNormal);
  EXPECT_EQ(name, L"front door");
  ASSERT_EQ(qvedGetStringForName(&noSpaces, L"\nBlock name: ", name), kQvNormal);
  EXPECT_EQ(name, L"front");  // the blank ended it; "door" is typed ahead
  wchar_t buffer[5];
  ASSERT_EQ(qvedGetStringForName(&noSpaces, L"", buffer, 5), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"door");
  EXPECT_EQ(qvedGetStringForName(&spaces, L"", buffer, 5), kQvCancel);  // too long, then out
  EXPECT_EQ(qvedGetStringForName(nullptr, L"", name), kQvError);
  EXPECT_EQ(qvedGetStringForName(nullptr, L"", buffer, 5), kQvError);
  EXPECT_EQ(host().service<VexaInputScript>().readsPastEnd(), 1);
}

}  // namespace
