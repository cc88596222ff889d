// CFilePath: taking paths with arguments apart, building them again, and the file behind them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaDriveMap.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/CFilePath.h"

namespace {

std::wstring w(const CString& s) {
  return s.wstr();
}

std::vector<std::wstring> dirs(CFilePath& path) {
  std::vector<std::wstring> out;
  for (int i = 0; i < path.GetDirCount(); ++i) out.push_back(w(path.GetDir(i)));
  return out;
}

using Names = std::vector<std::wstring>;

TEST(CFilePathTest, DriveRelativeShareAndPosixPathsTakenApart) {
  CFilePath local(L"C:\\dir\\sub\\file.txt");
  EXPECT_EQ(w(local.GetDrive()), L"C:");
  EXPECT_EQ(w(local.GetDir()), L"\\dir\\sub\\");
  EXPECT_EQ(w(local.GetFileTitle()), L"file");
  EXPECT_EQ(w(local.GetExtName()), L"txt");
  EXPECT_EQ(w(local.GetExtension()), L".txt");
  EXPECT_TRUE(local.IsLocalPath());
  EXPECT_FALSE(local.IsRelativePath());
  EXPECT_EQ(dirs(local), (Names{L"dir", L"sub"}));
  EXPECT_EQ(w(local.GetDir(2)), L"");

  CFilePath rel(L"dir/file.txt");
  EXPECT_TRUE(rel.IsRelativePath());
  EXPECT_EQ(w(rel.GetDir()), L"dir\\");
  EXPECT_EQ(dirs(rel), (Names{L"dir"}));
  EXPECT_EQ(w(rel.GetAbsolutePath(L"C:\\base")), L"C:\\base\\dir\\file.txt");
  EXPECT_EQ(w(rel.GetAbsolutePath(L"C:\\base\\x\\..")), L"C:\\base\\dir\\file.txt");
  EXPECT_EQ(w(rel.GetRelativePath(L"C:\\base")), L"");
  // A bare file name is relative too.
  CFilePath bare(L"plan.dwg");
  EXPECT_TRUE(bare.IsRelativePath());
  EXPECT_EQ(w(bare.GetAbsolutePath(L"D:\\jobs\\")), L"D:\\jobs\\plan.dwg");

  CFilePath unc(L"\\\\srv\\share\\a\\b.dwg");
  EXPECT_FALSE(unc.IsLocalPath());
  EXPECT_FALSE(unc.IsRelativePath());
  EXPECT_EQ(dirs(unc), (Names{L"srv", L"share", L"a"}));
  EXPECT_EQ(w(unc.GetDriveLabel(1)), L"srv");

  // A rooted path without a drive is no share: its first name is whole.
  CFilePath rooted(L"\\dir\\sub\\");
  EXPECT_EQ(dirs(rooted), (Names{L"dir", L"sub"}));
  CFilePath posix(L"/home/user/plans/site.dxf");
  EXPECT_EQ(dirs(posix), (Names{L"home", L"user", L"plans"}));
  EXPECT_EQ(w(posix.GetPath()), L"\\home\\user\\plans\\site.dxf");
  EXPECT_EQ(w(posix.GetRelativePath(L"/home/user")), L"plans\\site.dxf");
}

TEST(CFilePathTest, DirectoriesKeepTheirWholeLastName) {
  CFilePath dir(L"C:\\work\\a.b", 1);
  EXPECT_EQ(w(dir.GetDir()), L"\\work\\a.b\\");
  EXPECT_FALSE(dir.IsFilePath());
  EXPECT_EQ(w(dir.GetExtName()), L"");
  EXPECT_EQ(w(dir.GetPath()), L"C:\\work\\a.b\\");
  EXPECT_EQ(w(dir.GetRelativePath(L"C:\\work")), L"a.b\\");
  CFilePath relDir(L"a.b", 1);
  EXPECT_TRUE(relDir.IsRelativePath());
  EXPECT_EQ(w(relDir.GetDir()), L"a.b\\");
}

TEST(CFilePathTest, RelativePathsFromBasesOnTheSameAndOtherRoots) {
  CFilePath path(L"C:\\a\\b\\c.dwg");
  EXPECT_EQ(w(path.GetRelativePath(L"C:\\a")), L"b\\c.dwg");
  EXPECT_EQ(w(path.GetRelativePath(L"c:\\A\\x")), L"..\\b\\c.dwg");
  EXPECT_EQ(w(path.GetRelativePath(L"D:\\a")), L"C:\\a\\b\\c.dwg");
  EXPECT_EQ(w(path.GetRelativePath(L"\\\\srv\\share")), L"C:\\a\\b\\c.dwg");
  EXPECT_EQ(w(path.GetRelativePath(L"")), L"");
  EXPECT_EQ(w(path.GetRelativePath(nullptr)), L"");
}

TEST(CFilePathTest, ArgumentsWithQuotesSwitchesAndUnclosedQuotes) {
  CFilePath line(L"prog.exe /a \"x y\" -b z", 0, 1);
  EXPECT_EQ(w(line.GetFileName()), L"prog.exe");
  ASSERT_EQ(line.GetArgCount(), 2);
  EXPECT_EQ(w(line.GetArgument(0, 1)), L"a");
  EXPECT_EQ(w(line.GetArgument(0, 0)), L"x y");
  EXPECT_EQ(w(line.GetArgument(1, 1)), L"b");
  EXPECT_EQ(w(line.GetArgument(1, 0)), L"z");
  EXPECT_EQ(w(line.GetArgument(2, 0)), L"");
  EXPECT_EQ(line.FindArgument(L"-B"), 1);
  EXPECT_EQ(line.FindArgument(L"c"), -1);
  EXPECT_EQ(line.FindArgument(L"/"), -1);

  // A value set on an existing argument shows in the rebuilt text.
  line.AddSetArgument(L"a", L"new");
  EXPECT_EQ(w(line.GetArgument(-1, 0)), L"/a new -b z");
  line.AddSetArgument(L"/out", L"C:\\My Plans\\x.dxf");
  EXPECT_EQ(w(line.GetArgument(-1, 0)), L"/a new -b z /out \"C:\\My Plans\\x.dxf\"");
  line.RemoveArgument(1);
  line.RemoveArgument(7);
  EXPECT_EQ(w(line.GetPath(1, 0)), L"prog.exe /a new /out \"C:\\My Plans\\x.dxf\"");

  // The path of a command line with blanks is quoted again with its arguments.
  CFilePath quoted(L"\"C:\\Program Files\\p.exe\" -v", 0, 1);
  EXPECT_EQ(w(quoted.GetPath()), L"C:\\Program Files\\p.exe");
  EXPECT_EQ(w(quoted.GetPath(1, 0)), L"\"C:\\Program Files\\p.exe\" -v");

  CFilePath unclosed(L"p.exe /name \"never closed", 0, 1);
  ASSERT_EQ(unclosed.GetArgCount(), 1);
  EXPECT_EQ(w(unclosed.GetArgument(0, 1)), L"name");
  EXPECT_EQ(w(unclosed.GetArgument(0, 0)), L"");
}

TEST(CFilePathTest, ANewPathForgetsEverythingOfTheOldOne) {
  CFilePath path(L"C:\\a\\b.txt /x", 0, 1);
  ASSERT_EQ(path.GetArgCount(), 1);
  path.SetPath(L"");
  EXPECT_EQ(w(path.GetPath(1, 0)), L"");
  path.SetPath(L"C:\\a\\b.txt /x", 0, 1);
  path.SetPath(nullptr);
  EXPECT_EQ(w(path.GetDrive()), L"");
  EXPECT_EQ(path.GetArgCount(), 0);
  path = L"\"\"";
  EXPECT_EQ(w(path.GetPath()), L"");
  EXPECT_EQ(w(path.GetPath(0, 1)), L"\"\"");
}

TEST(CFilePathTest, LongPathsAreKeptWhole) {
  std::wstring deep = L"C:";
  for (int i = 0; i < 60; ++i) deep += L"\\folder" + std::to_wstring(i);
  const std::wstring file = deep + L"\\plan.dwg";
  ASSERT_GT(file.size(), 300u);
  CFilePath path(file.c_str());
  EXPECT_EQ(w(path.GetPath()), file);
  EXPECT_EQ(path.GetDirCount(), 60);
  EXPECT_EQ(w(path.GetFileName()), L"plan.dwg");
  CFilePath sibling((deep + L"\\sub\\x.dwg").c_str());
  EXPECT_EQ(w(sibling.GetRelativePath(deep.c_str())), L"sub\\x.dwg");
  const wchar_t* text = path;
  EXPECT_EQ(std::wstring(text), file);
  // Five thousand characters and more, with an argument after them.
  std::wstring deeper = L"\\\\server\\share";
  for (int i = 0; deeper.size() < 5000; ++i) deeper += L"\\d" + std::to_wstring(i);
  const std::wstring far = deeper + L"\\plan.dwg";
  CFilePath longest((L"\"" + far + L"\" /b").c_str(), 0, 1);
  EXPECT_EQ(w(longest.GetPath()), far);
  EXPECT_EQ(w(longest.GetFileName()), L"plan.dwg");
  ASSERT_EQ(longest.GetArgCount(), 1);
  EXPECT_EQ(w(longest.GetArgument(0, 1)), L"b");
  EXPECT_EQ(w(CFilePath((deeper + L"\\x\\y.dwg").c_str()).GetRelativePath(deeper.c_str())),
            L"x\\y.dwg");
}

TEST(CFilePathTest, FileSizeTimesExistenceAndLabelThroughAMappedDrive) {
  TempFolder folder;
  folder.file("plan.dxf", "0\nEOF\n");
  ASSERT_EQ(mkfifo(folder.path("pipe.dxf").c_str(), 0600), 0);
  VexaDriveMap::map(L"P:", folder.path(""), L"PROJECTS");
  CFilePath path(L"P:\\plan.dxf");
  EXPECT_EQ(path.ExistFile(), 1);
  EXPECT_EQ(path.ExistLocation(), 1);
  std::uint64_t size = 0;
  EXPECT_NE(path.GetFileSize(size), 0);
  EXPECT_EQ(size, 6u);
  CTime written;
  EXPECT_NE(path.GetFileTime(written, 2), 0);
  EXPECT_LE(std::abs(written - CTime::GetCurrentTime()), 60);
  EXPECT_EQ(w(path.GetDriveLabel()), L"PROJECTS");
  EXPECT_EQ(w(path.GetShortPath()), L"P:\\plan.dxf");

  CFilePath pipe(L"P:\\pipe.dxf");
  EXPECT_EQ(pipe.ExistFile(), 1);
  EXPECT_EQ(pipe.GetFileSize(size), 0);
  EXPECT_EQ(size, 0u);
  CFilePath missing(L"P:\\none.dxf");
  EXPECT_EQ(missing.ExistFile(), 0);
  EXPECT_EQ(w(missing.GetLongPath()), L"");
  CFilePath folderOnly(L"P:\\", 1);
  EXPECT_EQ(folderOnly.ExistFile(), 0);
  VexaDriveMap::unmap(L"P:");
  CFilePath unmapped(L"P:\\plan.dxf");
  EXPECT_EQ(unmapped.ExistFile(), 0);
  EXPECT_EQ(w(unmapped.GetDriveLabel()), L"");
}

TEST(CFilePathTest, TheProcessItselfAsPath) {
  CFilePath module(1);
  EXPECT_TRUE(module.IsFilePath());
  EXPECT_EQ(module.ExistFile(), 1);
  EXPECT_EQ(module.GetArgCount(), 0);
  CFilePath line(0);
  EXPECT_EQ(line.GetFileTitle().wstr(), module.GetFileTitle().wstr());
  EXPECT_EQ(CFilePath::AddBackSlash(L"C:\\a", 1).wstr(), L"C:\\a/");
  EXPECT_EQ(CFilePath::AddBackSlash(L"", 0).wstr(), L"");
  EXPECT_EQ(CFilePath::RemoveBackSlash(L"C:\\a\\").wstr(), L"C:\\a");
}

}  // namespace
