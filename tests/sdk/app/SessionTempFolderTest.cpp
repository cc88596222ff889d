// The session's private temporary folder: its mode, exclusive names, and its removal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "sdk/app/VexaSessionTempFolder.h"
#include "sdk/base/VexaHost.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(SessionTempFolderTest, PrivateFolderWithExclusiveNamesGoneWithTheHost) {
  TempFolder tmp;
  ScopedEnv env("TMPDIR", tmp.path("").substr(0, tmp.path("").size() - 1));
  std::string folder;
  {
    VexaHost host;
    VexaSessionTempFolder& temp = host.service<VexaSessionTempFolder>();
    folder = temp.folder().utf8();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.rfind(tmp.path(""), 0), 0u) << folder;
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(temp.reserve(L"TarvoTempDgnXref", L".dwg").utf8(), folder + "TarvoTempDgnXref1.dwg");
    EXPECT_EQ(temp.reserve(L"TarvoTempDgnXref", L".dwg").utf8(), folder + "TarvoTempDgnXref2.dwg");
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "TarvoTempDgnXref1.dwg"));
    EXPECT_EQ(temp.folder().utf8(), folder);  // one folder per session
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
