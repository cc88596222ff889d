#include "sdk/rx/QvRxModuleLocator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

TEST(QvRxModuleLocator, HostNamesMapToSharedLibraries) {
  EXPECT_EQ(QvRxModuleLocator::fileName(L"XqCmdUtil"), "libXqCmdUtil.so");
  EXPECT_EQ(QvRxModuleLocator::fileName(L"XqCmdUtil.dll"), "libXqCmdUtil.so");
  EXPECT_EQ(QvRxModuleLocator::fileName(L"XqCmdUtil.DLL"), "libXqCmdUtil.so");
  EXPECT_EQ(QvRxModuleLocator::fileName(L"Xq3dCmds.qrx"), "libXq3dCmds.so");
  EXPECT_EQ(QvRxModuleLocator::fileName(L"libXqCmdUtil.so"), "libXqCmdUtil.so");
  EXPECT_EQ(QvRxModuleLocator::baseName(L"/opt/tarvo/lib/libXqCmdShareRes.so"), L"XqCmdShareRes");
  // A name that only looks like an extension keeps it.
  EXPECT_EQ(QvRxModuleLocator::baseName(L".dll"), L".dll");
  // Only a shared library's file name, or a path, drops the "lib" of its name.
  EXPECT_EQ(QvRxModuleLocator::baseName(L"libXqCmdUtil.DLL"), L"libXqCmdUtil");
  EXPECT_EQ(QvRxModuleLocator::baseName(L"lib/libXq3dCmds.qrx"), L"Xq3dCmds");
  EXPECT_EQ(QvRxModuleLocator::baseName(L"lib.so"), L"lib");
  // Names are case-insensitive: every spelling is one module.
  EXPECT_EQ(QvRxModuleLocator::key(L"xqcmdutil.dll"), QvRxModuleLocator::key(L"XqCmdUtil"));
  EXPECT_EQ(QvRxModuleLocator::key(L"/x/libXqCmdUtil.so"), L"xqcmdutil");
  EXPECT_TRUE(QvRxModuleLocator::key(L"").isEmpty());
  EXPECT_TRUE(QvRxModuleLocator::key(nullptr).isEmpty());
}

// A scratch folder with empty files in it.
class ModuleFolder {
 public:
  explicit ModuleFolder(const char* name)
      : path_(fs::temp_directory_path() / (std::string("tarvo-locator-") + name)) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ModuleFolder() { fs::remove_all(path_); }
  void add(const char* file) const { std::ofstream(path_ / file) << "x"; }
  std::string path() const { return path_.string(); }

 private:
  fs::path path_;
};

TEST(QvRxModuleLocator, SearchesTheEnvironmentFoldersFirstThenTheSdkFolder) {
  ModuleFolder first("first"), second("second");
  first.add("libXqProbe.so");
  second.add("libXqProbe.so");
  second.add("libXqOnlySecond.so");
  second.add("LIBXQMIXEDCASE.SO");
  ScopedEnv env("TARVO_MODULE_PATH", first.path() + "::" + second.path());

  const std::vector<std::string> path = QvRxModuleLocator::searchPath();
  ASSERT_EQ(path.size(), 3u);  // the empty entry is skipped
  EXPECT_EQ(path[0], first.path());
  EXPECT_EQ(path[1], second.path());
  EXPECT_TRUE(fs::exists(fs::path(path[2]) / "libtarvosdk.so")) << path[2];

  EXPECT_EQ(QvRxModuleLocator::findFile(L"XqProbe.dll"), first.path() + "/libXqProbe.so");
  EXPECT_EQ(QvRxModuleLocator::findFile(L"XqOnlySecond"), second.path() + "/libXqOnlySecond.so");
  EXPECT_EQ(QvRxModuleLocator::findFile(L"XqMixedCase.qrx"), second.path() + "/LIBXQMIXEDCASE.SO");
  EXPECT_EQ(QvRxModuleLocator::findFile(L"XqNowhere"), "");
  EXPECT_EQ(QvRxModuleLocator::findFile(L""), "");
  // A path is taken as it is, and must exist.
  EXPECT_EQ(QvRxModuleLocator::findFile(QvString((second.path() + "/libXqProbe.so").c_str())),
            second.path() + "/libXqProbe.so");
  EXPECT_EQ(QvRxModuleLocator::findFile(QvString((first.path() + "/libXqOnlySecond.so").c_str())),
            "");
}

}  // namespace
