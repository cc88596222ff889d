// The host's path class: parsing, what lies at a path, and removing the file it names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "sdk/app/CQvUiPathname.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/win/VexaDriveMap.h"
#include "tests/support/TempFolder.h"

namespace {

class UiPathnameTest : public ::testing::Test {
 protected:
  void SetUp() override { VexaDriveMap::map(L"Q:", folder_.path(""), L"TEMP"); }
  void TearDown() override { VexaDriveMap::unmap(L"Q:"); }
  static bool exists(const std::string& local) {
    struct stat st {};
    return ::lstat(local.c_str(), &st) == 0;
  }
  TempFolder folder_;
};

TEST_F(UiPathnameTest, PartsOfAMappedFileAndItsExtension) {
  folder_.file("plan.DXF", "0\nEOF\n");
  CQvUiPathname path;
  EXPECT_EQ(path.parse(L"  \"q:/sub/../plan.DXF\" "), CQvUiPathname::kFileExists);
  EXPECT_TRUE(path.isFile());
  EXPECT_EQ(path.path(), L"q:\\plan.DXF");
  EXPECT_EQ(path.directory(), L"q:\\");
  EXPECT_EQ(path.fileName(), L"plan.DXF");
  EXPECT_EQ(path.extension(), L"DXF");
  EXPECT_EQ(path.localName(), folder_.path("plan.DXF"));
  EXPECT_TRUE(path.verifyExtension(L"dxf"));
  EXPECT_TRUE(path.verifyExtension(L".Dxf"));
  EXPECT_FALSE(path.verifyExtension(L"dwg"));
  EXPECT_FALSE(path.verifyExtension(L""));
  EXPECT_FALSE(path.verifyExtension(L"."));

  // A rooted path of this system reaches the same file.
  EXPECT_EQ(path.parse(QvString(folder_.path("plan.DXF").c_str())), CQvUiPathname::kFileExists);
  // "a.b" is a folder's name here, not an extension to verify against a file.
  ASSERT_EQ(::mkdir(folder_.path("a.b").c_str(), 0700), 0);
  EXPECT_EQ(path.parse(L"Q:\\a.b"), CQvUiPathname::kDirectory);
  EXPECT_FALSE(path.isFile());
}

TEST_F(UiPathnameTest, WhatLiesAtAPath) {
  CQvUiPathname path;
  EXPECT_EQ(path.status(), CQvUiPathname::kNoPath);
  EXPECT_EQ(path.parse(L""), CQvUiPathname::kNoPath);
  EXPECT_EQ(path.parse(L"  \"\" "), CQvUiPathname::kNoPath);
  EXPECT_EQ(path.parse(L"Q:\\new.dwg"), CQvUiPathname::kNewFile);
  EXPECT_EQ(path.parse(L"Q:\\missing\\new.dwg"), CQvUiPathname::kNoFolder);
  EXPECT_EQ(path.parse(L"Z:\\plan.dwg"), CQvUiPathname::kNoRoot);
  EXPECT_EQ(path.parse(L"\\\\nas\\plans\\a.dwg"), CQvUiPathname::kNoRoot);
  EXPECT_TRUE(path.isParsed());  // taken apart, only its root is not here
  EXPECT_EQ(path.fileName(), L"a.dwg");
  // Characters no file name holds, and a bare root, are no path.
  for (const wchar_t* bad : {L"Q:\\a<b.dwg", L"Q:\\a|b", L"Q:\\a?.dwg", L"Q:\\a*", L"Q:\\x:y.dwg",
                             L"Q:\\", L"Q:", L"\\", L"Q:\\a\tb.dwg"}) {
    EXPECT_EQ(path.parse(bad), CQvUiPathname::kBadPath) << QvString(bad).utf8();
    EXPECT_FALSE(path.isParsed());
    EXPECT_TRUE(path.path().isEmpty());
    EXPECT_FALSE(path.verifyExtension(L"dwg"));
  }
  // Long paths are no trouble: 5,000 characters in a folder that is not there.
  const QvString deep = QvString(L"Q:\\") + QvString(std::wstring(5000, L'd')) + L"\\x.dwg";
  EXPECT_EQ(path.parse(deep), CQvUiPathname::kNoFolder);
  EXPECT_EQ(path.path().length(), deep.length());
  // A FIFO is neither a file nor a folder, and stat does not open it.
  ASSERT_EQ(::mkfifo(folder_.path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(path.parse(L"Q:\\pipe"), CQvUiPathname::kOtherFile);
}

TEST_F(UiPathnameTest, OnlyARegularFileIsRemoved) {
  const std::string file = folder_.file("TarvoTemp1.dwg", "x");
  CQvUiPathname path;
  ASSERT_EQ(path.parse(L"Q:\\TarvoTemp1.dwg"), CQvUiPathname::kFileExists);
  EXPECT_TRUE(path.remove());
  EXPECT_FALSE(exists(file));
  EXPECT_EQ(path.status(), CQvUiPathname::kNewFile);
  EXPECT_FALSE(path.remove());  // gone already

  // Folders, FIFOs, links to folders, unmapped roots and unparsed paths stay.
  ASSERT_EQ(::mkdir(folder_.path("dir").c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(folder_.path("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(folder_.path("dir").c_str(), folder_.path("link").c_str()), 0);
  for (const char* name : {"dir", "fifo", "link"}) {
    ASSERT_TRUE(path.parse(QvString(L"Q:\\") + qvWidenUtf8(name).c_str()) !=
                CQvUiPathname::kFileExists)
        << name;
    EXPECT_FALSE(path.remove()) << name;
    EXPECT_TRUE(exists(folder_.path(name))) << name;
  }
  EXPECT_EQ(path.parse(L"Z:\\a.dwg"), CQvUiPathname::kNoRoot);
  EXPECT_FALSE(path.remove());
  CQvUiPathname never;
  EXPECT_FALSE(never.remove());

  // A file that went after the parse is not removed twice; one that came is removed.
  const std::string late = folder_.path("late.dwg");
  ASSERT_EQ(path.parse(L"Q:\\late.dwg"), CQvUiPathname::kNewFile);
  folder_.file("late.dwg", "y");
  EXPECT_TRUE(path.remove());
  EXPECT_FALSE(exists(late));
}

}  // namespace
