// VexaServicesManager: file names, text files, colours and the file behind an external reference.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <limits>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/win/VexaDriveMap.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"
#include "xqcmdutil/VexaServicesManager.h"

namespace {

using S = VexaServicesManager;

QvString w(const std::string& utf8) {
  return qvWidenUtf8(utf8);
}

TEST(ServicesManagerTest, FileNamePartsKindsAndRelativeForms) {
  EXPECT_EQ(S::GetFileName(L"C:\\jobs\\site.v2.dwg"), L"site.v2.dwg");
  EXPECT_EQ(S::GetExtension(L"C:\\jobs\\site.v2.dwg"), L".dwg");
  EXPECT_EQ(S::GetExtension(L"C:\\jobs.v1\\site"), L"");
  EXPECT_EQ(S::GetPath(L"C:\\jobs\\site.dwg"), L"C:\\jobs\\");
  EXPECT_TRUE(S::IsAbsoluteName(L"C:\\jobs\\a.dwg"));
  EXPECT_TRUE(S::IsAbsoluteName(L"\\\\nas\\plans\\a.dwg"));
  EXPECT_FALSE(S::IsAbsoluteName(L"C:a.dwg"));
  EXPECT_FALSE(S::IsAbsoluteName(L"jobs\\a.dwg"));
  EXPECT_TRUE(S::IsNameRelativeToRoot(L"\\jobs\\a.dwg"));
  EXPECT_FALSE(S::IsNameRelativeToRoot(L"C:\\jobs\\a.dwg"));
  EXPECT_TRUE(S::IsNameRelativeToUpDir(L"..\\a.dwg"));
  EXPECT_FALSE(S::IsNameRelativeToUpDir(L"..a.dwg"));

  QvString name = L"C:\\jobs\\site\\xrefs\\fence.dwg";
  EXPECT_TRUE(S::convertToRelative(name, L"C:\\jobs\\site\\plan.dwg"));
  EXPECT_EQ(name, L"xrefs\\fence.dwg");
  name = L"C:\\jobs\\fence.dwg";
  EXPECT_TRUE(S::convertToRelative(name, L"c:\\JOBS\\site\\plan.dwg"));
  EXPECT_EQ(name, L"..\\fence.dwg");
  name = L"D:\\fence.dwg";
  EXPECT_FALSE(S::convertToRelative(name, L"C:\\jobs\\plan.dwg"));
  EXPECT_FALSE(S::convertToRelative(name, L"plan.dwg"));
  EXPECT_EQ(name, L"D:\\fence.dwg");
  EXPECT_DOUBLE_EQ(S::AngleToDegree(3.141592653589793 / 2), 90.0);
}

TEST(ServicesManagerTest, TextFilesWithAndWithoutByteOrderMarks) {
  QvString text;
  S::ReadFileContent(
      "\xEF\xBB\xBFStra\xC3\x9F"
      "e",
      10, text);
  EXPECT_EQ(text, L"Stra\u00dfe");
  S::ReadFileContent(
      "\xFF\xFE"
      "A\0\x3D\xD8\x00\xDE",
      8, text);  // "A" and U+1F600, little end
  EXPECT_EQ(text, L"A\U0001F600");
  S::ReadFileContent("\xFE\xFF\0B", 4, text);
  EXPECT_EQ(text, L"B");
  S::ReadFileContent("caf\xE9", 4, text);  // no UTF-8: every byte kept
  EXPECT_EQ(text, L"caf\u00e9");

  TempFolder folder;
  const std::string log = folder.path("log.txt");
  EXPECT_EQ(S::AppendToTextFile(w(log), L"one\n"), kQvNormal);
  EXPECT_EQ(S::AppendToTextFile(w(log), L"zwei \u00fc\n"), kQvNormal);
  EXPECT_EQ(readTextFile(log), "one\nzwei \xC3\xBC\n");
  EXPECT_EQ(S::AppendToTextFile(w(log), L""), kQvError);
  EXPECT_EQ(S::AppendToTextFile(w(folder.path("")), L"x"), kQvError);
  ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(S::AppendToTextFile(w(folder.path("pipe")), L"x"), kQvError);  // does not block
  EXPECT_EQ(S::AppendToTextFile(L"Y:\\unmapped.txt", L"x"), kQvError);

  EXPECT_EQ(S::stdColorIndex(L"Red"), 1);
  EXPECT_EQ(S::stdColorIndex(L"white"), 7);
  EXPECT_EQ(S::stdColorIndex(L"BYLAYER"), 256);
  EXPECT_EQ(S::stdColorIndex(L"ByBlock"), 0);
  EXPECT_EQ(S::stdColorIndex(L"42"), 42);
  EXPECT_EQ(S::stdColorIndex(L"257"), -1);
  EXPECT_EQ(S::stdColorIndex(L"purple"), -1);
  EXPECT_EQ(S::stdColorIndex(nullptr), -1);
}

class XrefLookupTest : public HostFixture {
 protected:
  void setSavePath(const std::string& folder) {
    resbuf rb{};
    rb.type = kRbString;
    const QvString value = w(folder);
    rb.value.string = const_cast<wchar_t*>(value.c_str());
    ASSERT_EQ(qvedSetVar(L"XREFSAVEPATH", &rb), kQvNormal);
  }
  bool lookUp(const QvString& stored, QvString& found) {
    QvDbBlockTableRecord block;
    block.setPathName(stored.c_str());
    return S::getActualXrefFileName(&block, found);
  }
};

TEST_F(XrefLookupTest, TheStoredPathThenTheSavePathFolder) {
  TempFolder here, saved;
  const std::string stored = here.file("fence.dwg", "0\nEOF\n");
  QvString found;
  EXPECT_TRUE(lookUp(w(stored), found));
  EXPECT_EQ(found, w(stored));
  // Without an extension the stored path is tried as a drawing.
  EXPECT_TRUE(lookUp(w(here.path("fence")), found));
  EXPECT_EQ(found, w(stored));

  // Moved away: found in the folder "XREFSAVEPATH" names, with or without its separator.
  saved.file("gate.dxf", "0\nEOF\n");
  found = L"untouched";
  EXPECT_FALSE(lookUp(L"C:\\old\\gate.dxf", found));
  setSavePath(saved.path(""));
  EXPECT_TRUE(lookUp(L"C:\\old\\gate.dxf", found));
  EXPECT_EQ(found.wstr().substr(found.length() - 8), L"gate.dxf");
  setSavePath(saved.path("").substr(0, saved.path("").size() - 1));
  found.empty();
  EXPECT_TRUE(lookUp(L"C:\\old\\gate.dxf", found));
  EXPECT_EQ(found.wstr().substr(found.length() - 8), L"gate.dxf");
  EXPECT_FALSE(lookUp(L"C:\\old\\none.dwg", found));
  EXPECT_FALSE(S::getActualXrefFileName(nullptr, found));
}

}  // namespace

// The unit members follow the current drawing and leave their output alone on failure.
class UnitMembersTest : public HostFixture {};

TEST_F(UnitMembersTest, LengthsAndAnglesInTheDrawingsUnits) {
  QvString text;
  ASSERT_EQ(S::FormatLinear(text, 15.5), kQvNormal);
  EXPECT_EQ(text, L"15.5000");
  ASSERT_EQ(setShortVar(L"LUNITS", 4), kQvNormal);
  ASSERT_EQ(setShortVar(L"LUPREC", 4), kQvNormal);
  ASSERT_EQ(S::FormatLinear(text, -15.5), kQvNormal);
  EXPECT_EQ(text, L"-1'-3 1/2\"");
  double value = 0.0;
  ASSERT_EQ(S::UnformatLinear(value, text), kQvNormal);
  EXPECT_DOUBLE_EQ(value, -15.5);
  ASSERT_EQ(S::UnformatAngle(value, L"45d30'"), kQvNormal);
  EXPECT_NEAR(value, 45.5 * 3.141592653589793 / 180.0, 1e-12);

  value = 2.0;
  text = L"keep";
  EXPECT_EQ(S::UnformatLinear(value, L"1'-"), kQvError);
  EXPECT_EQ(S::UnformatAngle(value, L"N 45"), kQvError);
  EXPECT_EQ(S::FormatLinear(text, std::numeric_limits<double>::infinity()), kQvError);
  EXPECT_EQ(value, 2.0);
  EXPECT_EQ(text, L"keep");
}

TEST_F(UnitMembersTest, HeaderVariableConversionsTakeExplicitOrCurrentModes) {
  ASSERT_EQ(setShortVar(L"AUNITS", 2), kQvNormal);
  ASSERT_EQ(setShortVar(L"AUPREC", 1), kQvNormal);
  QvString text;
  ASSERT_EQ(S::vexaConvertAngleToString(3.141592653589793 / 2, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"100.0g");
  ASSERT_EQ(S::vexaConvertAngleToString(3.141592653589793 / 2, 1, 0, text), kQvNormal);
  EXPECT_EQ(text, L"90d");
  ASSERT_EQ(S::vexaConvertRealToString(2.5, 5, 1, text), kQvNormal);
  EXPECT_EQ(text, L"2 1/2");
  double value = 0.0;
  ASSERT_EQ(S::vexaConvertAngleToFloat(L"200", -1, value), kQvNormal);  // grads
  EXPECT_NEAR(value, 3.141592653589793, 1e-12);
  ASSERT_EQ(S::vexaConvertStringToDistance(L"1'6\"", 3, value), kQvNormal);
  EXPECT_DOUBLE_EQ(value, 18.0);
  EXPECT_EQ(S::vexaConvertStringToDistance(L"1'6\"", 2, value), kQvError);
  EXPECT_EQ(S::vexaConvertRealToString(1.0, 2, 12, text), kQvError);
  EXPECT_DOUBLE_EQ(value, 18.0);
  EXPECT_EQ(text, L"2 1/2");
}
