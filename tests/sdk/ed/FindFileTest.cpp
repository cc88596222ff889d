#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sdk/app/VexaConfigDataManager.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/ed/qvedFindFile.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder tree for one test, its "current" folder the current one until the end.
class FindFileTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    for (const char* folder : {"drawing", "current", "support1", "support2", "current/sub"})
      fs::create_directories(root_ / folder);
    fs::current_path(root_ / "current");
  }
  void TearDown() override {
    fs::current_path(previous_);
    HostFixture::TearDown();
  }

  fs::path touch(const std::string& relative) {
    const fs::path p = root_ / relative;
    std::ofstream(p) << "x";
    return p;
  }
  QvString wide(const fs::path& p) { return QvString(p.string().c_str()); }
  // The current document's drawing becomes a file of `folder`.
  void setDrawingFolder(const fs::path& folder) {
    host().service<VexaDocumentManager>().curDocument()->setFileName(wide(folder / "plan.dwg"));
  }
  void setSupportPath(const QvString& path) { getConfigDataManager()->setSupportPath(path); }
  QvString find(const wchar_t* name) {
    QvString found;
    return qvedFindFile(name, found) == kQvNormal ? found : QvString(L"<none>");
  }

  TempFolder folder_;
  const fs::path root_ = folder_.path("");
  const fs::path previous_ = fs::current_path();
};

TEST_F(FindFileTest, BareNamesSearchDrawingFolderCurrentFolderThenSupportPathInOrder) {
  setDrawingFolder(root_ / "drawing");
  setSupportPath(wide(root_ / "support1") + L" ; ;" + wide(root_ / "support2"));
  const fs::path inSecondSupport = touch("support2/door.dwg");
  EXPECT_EQ(find(L"door.dwg"), wide(inSecondSupport));
  const fs::path inFirstSupport = touch("support1/door.dwg");
  EXPECT_EQ(find(L"door.dwg"), wide(inFirstSupport));
  const fs::path inCurrent = touch("current/door.dwg");
  EXPECT_EQ(find(L"door.dwg"), wide(inCurrent));
  const fs::path inDrawing = touch("drawing/door.dwg");
  EXPECT_EQ(find(L"door.dwg"), wide(inDrawing));
  // A drawing never saved has no folder: the current folder comes first.
  host().service<VexaDocumentManager>().curDocument()->setFileName(L"Drawing1.dwg");
  EXPECT_EQ(find(L"door.dwg"), wide(inCurrent));
  EXPECT_EQ(find(L"window.dwg"), L"<none>");
  // A name differing only in case is found when no file has it exactly, folder by folder.
  EXPECT_EQ(find(L"DOOR.DWG"), wide(inCurrent));
  const fs::path exact = touch("current/DOOR.DWG");
  EXPECT_EQ(find(L"DOOR.DWG"), wide(exact));
  EXPECT_EQ(find(L"door.dwg"), wide(inCurrent));
  EXPECT_EQ(find(L"WINDOW.dwg"), L"<none>");
}

TEST_F(FindFileTest, NamesWithAFolderAreLookedForThereOnly) {
  setSupportPath(wide(root_ / "support1"));
  touch("support1/sub/part.dxf");
  const fs::path local = touch("current/sub/part.dxf");
  // Relative to the current folder, either separator; the support path is not searched.
  EXPECT_EQ(find(L"sub\\part.dxf"), wide(local));
  EXPECT_EQ(find(L"./sub/../sub/part.dxf"), wide(local));  // answered resolved
  fs::remove(local);
  EXPECT_EQ(find(L"sub\\part.dxf"), L"<none>");
  const fs::path absolute = touch("support2/abs.dwg");
  EXPECT_EQ(find(wide(absolute)), wide(absolute));
  // A folder is not a file.
  EXPECT_EQ(find(L"sub"), L"<none>");
}

TEST_F(FindFileTest, BadArgumentsAndSmallBuffers) {
  const fs::path file = touch("current/a.dwg");
  QvString found = L"untouched";
  EXPECT_EQ(qvedFindFile(nullptr, found), kQvError);
  EXPECT_EQ(qvedFindFile(L"", found), kQvError);
  EXPECT_EQ(qvedFindFile(L"missing.dwg", found), kQvError);
  EXPECT_EQ(found, L"untouched");
  const std::string full = file.string();
  std::wstring buffer(full.size() + 1, L'?');
  ASSERT_EQ(qvedFindFile(L"a.dwg", buffer.data(), buffer.size()), kQvNormal);
  EXPECT_EQ(QvString(buffer.c_str()), wide(file));
  // One character short: refused, and the buffer holds no stale text.
  EXPECT_EQ(qvedFindFile(L"a.dwg", buffer.data(), full.size()), kQvError);
  EXPECT_EQ(buffer[0], L'\0');
  EXPECT_EQ(qvedFindFile(L"a.dwg", nullptr, 10), kQvError);
}

TEST(ConfigDataManagerTest, SupportFoldersAreTrimmedAndEmptyOnesDropped) {
  VexaConfigDataManager config;
  EXPECT_TRUE(config.supportFolders().empty());
  config.setSupportPath(L" /a ;;/b c;  ;/d;");
  EXPECT_EQ(config.supportFolders(), (std::vector<QvString>{L"/a", L"/b c", L"/d"}));
  EXPECT_EQ(config.supportPath(), L" /a ;;/b c;  ;/d;");
  EXPECT_EQ(getConfigDataManager(), nullptr);  // no running host
}

}  // namespace
