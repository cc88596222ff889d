// Windows path syntax on strings, the drive map, and file information without opening files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaDriveMap.h"
#include "sdk/win/VexaFileServices.h"
#include "sdk/win/VexaPathSyntax.h"
#include "tests/support/TempFolder.h"

namespace {

std::wstring canonical(std::wstring_view path) {
  std::wstring out;
  return PathCanonicalize(out, path) ? out : L"<failed>";
}

std::wstring relative(std::wstring_view from, bool fromDir, std::wstring_view to, bool toDir) {
  std::wstring out;
  return PathRelativePathTo(out, from, fromDir, to, toDir) ? out : L"<failed>";
}

// Maps a drive for a test and forgets it afterwards.
class ScopedDrive {
 public:
  ScopedDrive(const wchar_t* root, const std::string& folder, const wchar_t* label = L"")
      : root_(root) {
    VexaDriveMap::map(root, folder, label);
  }
  ~ScopedDrive() { VexaDriveMap::unmap(root_); }

 private:
  std::wstring root_;
};

TEST(PathSyntaxTest, ArgumentsSplitAtTheFirstBlankOutsideQuotes) {
  std::wstring line = L"\"C:\\Program Files\\a.exe\" /x \"y z\"";
  EXPECT_EQ(PathGetArgs(line), L"/x \"y z\"");
  PathRemoveArgs(line);
  EXPECT_EQ(line, L"\"C:\\Program Files\\a.exe\"");
  PathUnquoteSpaces(line);
  EXPECT_EQ(line, L"C:\\Program Files\\a.exe");
  // A quotation mark that never closes keeps everything in the path.
  std::wstring open = L"\"C:\\a b.exe /x";
  EXPECT_EQ(PathGetArgs(open), L"");
  PathRemoveArgs(open);
  EXPECT_EQ(open, L"\"C:\\a b.exe /x");
  PathUnquoteSpaces(open);
  EXPECT_EQ(open, L"\"C:\\a b.exe /x");
}

TEST(PathSyntaxTest, SplitAndRootsOfDriveShareRootedAndRelativePaths) {
  const VexaPathParts parts = vexaSplitPath(L"C:\\dir/sub\\file.tar.gz");
  EXPECT_EQ(parts.drive, L"C:");
  EXPECT_EQ(parts.dir, L"\\dir/sub\\");
  EXPECT_EQ(parts.fname, L"file.tar");
  EXPECT_EQ(parts.ext, L".gz");
  EXPECT_EQ(vexaSplitPath(L"dir.v1\\file").ext, L"");
  EXPECT_EQ(vexaPathRoot(L"C:\\a"), L"C:\\");
  EXPECT_EQ(vexaPathRoot(L"c:a"), L"c:");
  EXPECT_EQ(vexaPathRoot(L"\\\\srv\\share\\a\\b"), L"\\\\srv\\share");
  EXPECT_EQ(vexaPathRoot(L"\\\\srv"), L"\\\\srv");
  EXPECT_EQ(vexaPathRoot(L"/home/a"), L"/");
  EXPECT_EQ(vexaPathRoot(L"a\\b"), L"");
  EXPECT_TRUE(PathIsSameRoot(L"C:\\a", L"c:/b"));
  EXPECT_TRUE(PathIsSameRoot(L"\\\\SRV\\Share\\x", L"\\\\srv\\share"));
  EXPECT_FALSE(PathIsSameRoot(L"\\\\srv\\share\\x", L"\\\\srv\\other\\x"));
  EXPECT_FALSE(PathIsSameRoot(L"C:\\a", L"D:\\a"));
  EXPECT_FALSE(PathIsSameRoot(L"a\\b", L"a\\c"));
}

TEST(PathSyntaxTest, CanonicalFormsNeverClimbAboveTheRoot) {
  EXPECT_EQ(canonical(L"C:\\base\\.\\dir\\..\\x\\file.txt"), L"C:\\base\\x\\file.txt");
  EXPECT_EQ(canonical(L"C:\\a\\..\\..\\b"), L"C:\\b");
  EXPECT_EQ(canonical(L"\\\\srv\\share\\a\\..\\b\\"), L"\\\\srv\\share\\b\\");
  EXPECT_EQ(canonical(L"/home//u/./x"), L"\\home\\u\\x");
  EXPECT_EQ(canonical(L"a\\.."), L".");
  EXPECT_EQ(canonical(L""), L"<failed>");
}

TEST(PathSyntaxTest, RelativePathsAcrossDirectoriesRootsAndCase) {
  EXPECT_EQ(relative(L"C:\\a", true, L"C:\\a\\b\\c.dwg", false), L".\\b\\c.dwg");
  EXPECT_EQ(relative(L"C:\\a\\x\\y", true, L"c:\\A\\b\\c.dwg", false), L"..\\..\\b\\c.dwg");
  EXPECT_EQ(relative(L"C:\\a\\x\\f.dwg", false, L"C:\\a\\b\\", true), L"..\\b\\");
  EXPECT_EQ(relative(L"C:\\a\\", true, L"C:\\a", true), L".");
  EXPECT_EQ(relative(L"C:\\a", true, L"D:\\a\\b", false), L"<failed>");
  // POSIX names differ by case.
  EXPECT_EQ(relative(L"/home/U", true, L"/home/u/f", false), L"..\\u\\f");
}

TEST(PathSyntaxTest, LongPathsHaveNoLimit) {
  std::wstring deep = L"C:";
  for (int i = 0; i < 1000; ++i) deep += L"\\dir" + std::to_wstring(i);
  ASSERT_GT(deep.size(), 5000u);
  EXPECT_EQ(canonical(deep + L"\\..\\x"), deep.substr(0, deep.rfind(L'\\')) + L"\\x");
  EXPECT_EQ(relative(deep, true, deep + L"\\f.dwg", false), L".\\f.dwg");
}

TEST(DriveMapTest, DrivesAndSharesReachMappedFoldersOnly) {
  TempFolder folder;
  const std::string file = folder.file("Plan.dxf", "0\nEOF\n");
  EXPECT_FALSE(PathFileExists(L"Q:\\Plan.dxf"));
  ScopedDrive drive(L"q:\\", folder.path(""), L"Plans");
  ScopedDrive share(L"\\\\nas\\plans", folder.path(""));
  EXPECT_TRUE(PathFileExists(L"Q:\\Plan.dxf"));
  EXPECT_TRUE(PathFileExists(L"\\\\NAS\\plans\\Plan.dxf"));
  EXPECT_TRUE(PathFileExists(qvWidenUtf8(file)));  // a POSIX path as it stands
  EXPECT_FALSE(PathFileExists(L"\\\\nas\\other\\Plan.dxf"));
  std::wstring label = L"stale";
  EXPECT_TRUE(GetVolumeInformation(L"Q:\\", label));
  EXPECT_EQ(label, L"Plans");
  EXPECT_FALSE(GetVolumeInformation(L"R:\\", label));
  EXPECT_EQ(label, L"");
}

TEST(FileServicesTest, InformationOfRegularFilesOnlyAndOfHugeSparseOnes) {
  TempFolder folder;
  const std::string big = folder.path("big.bin");
  { std::ofstream out(big, std::ios::binary); }
  ASSERT_EQ(truncate(big.c_str(), 5368709120LL), 0);  // 5 GiB, sparse
  VexaFileInformation info;
  ASSERT_TRUE(GetFileInformation(qvWidenUtf8(big), info));
  EXPECT_EQ(info.size(), 5368709120ull);
  EXPECT_EQ(info.sizeHigh, 1u);
  EXPECT_GT(info.lastWriteTime, 0);
  ASSERT_EQ(chmod(big.c_str(), 0444), 0);
  ASSERT_TRUE(GetFileInformation(qvWidenUtf8(big), info));
  EXPECT_TRUE(info.attributes & kVexaFileAttributeReadOnly);

  // A FIFO and a folder are no files, and asking does not block on the FIFO.
  const std::string fifo = folder.path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(GetFileInformation(qvWidenUtf8(fifo), info));
  EXPECT_EQ(info.size(), 0u);
  EXPECT_FALSE(GetFileInformation(qvWidenUtf8(folder.path("")), info));
  EXPECT_FALSE(GetFileInformation(L"Z:\\unmapped.dwg", info));
  std::wstring shortName;
  EXPECT_FALSE(GetShortPathName(L"/no/such/file", shortName));
}

TEST(FileServicesTest, TheProcessKnowsItsExecutableAndCommandLine) {
  const std::wstring module = GetModuleFileName();
  ASSERT_FALSE(module.empty());
  EXPECT_EQ(module.front(), L'/');
  const std::wstring line = GetCommandLine();
  EXPECT_NE(line.find(module.substr(module.rfind(L'/') + 1)), std::wstring::npos) << line.size();
}

}  // namespace
