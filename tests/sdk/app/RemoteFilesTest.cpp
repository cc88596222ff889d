// Remote files fetched from a loopback FTP server into the session's cache: fetched, current,
// at hand without a server, changed on the server; missing, empty, refused and cut-off files;
// addresses the cache does not take.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sdk/app/VexaRemoteFiles.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "tests/support/LoopbackFtpServer.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextFiles.h"

namespace {

namespace fs = std::filesystem;

// Regular files under a folder (temporary ones included), by path.
std::vector<std::string> filesUnder(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); ++it)
    if (it->is_regular_file()) files.push_back(it->path().string());
  return files;
}

// Sets a file's modification time to `seconds` after the epoch.
void stamp(const std::string& path, long seconds) {
  const struct timeval times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimes(path.c_str(), times), 0);
}

class RemoteFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { remote_ = &host_.service<VexaRemoteFiles>(); }

  // Fetches through the host application services, with the cache.
  Vexa::ErrorStatus get(const std::wstring& url, bool useCache = true) {
    local_ = QvString();
    return qvdbHostApplicationServices()->getRemoteFile(url, local_, useCache);
  }
  // The cache: the folder of every server's files.
  std::string cacheFolder() {
    return fs::path(remote_->cachedName(L"ftp://127.0.0.1/x").utf8()).parent_path().parent_path();
  }

  TempFolder served_;
  VexaHost host_;
  VexaRemoteFiles* remote_ = nullptr;
  QvString local_;
};

TEST_F(RemoteFilesTest, FetchedThenCurrentThenAtHandAndFetchedAgainWhenChanged) {
  fs::create_directories(served_.path("plans"));
  const std::string file = served_.file("plans/site plan.pdf", "%PDF-1.4 first");
  stamp(file, 1700000000);
  LoopbackFtpServer server(served_.path(""));
  ASSERT_NE(server.port(), 0);
  remote_->setFtpPort(server.port());
  const std::wstring url = L"ftp://127.0.0.1/plans/site plan.pdf";

  ASSERT_EQ(get(url), Vexa::eRemoteFetched);
  const std::string local = local_.utf8();
  EXPECT_EQ(local, remote_->cachedName(url).utf8());
  EXPECT_NE(
      local.find("/remote/127.0.0.1_" + std::to_string(server.port()) + "/plans/site plan.pdf"),
      std::string::npos)
      << local;
  EXPECT_EQ(readTextFile(local), "%PDF-1.4 first");
  EXPECT_EQ(fs::last_write_time(local), fs::last_write_time(file));

  EXPECT_EQ(get(url), Vexa::eRemoteUnchanged);
  EXPECT_EQ(local_.utf8(), local);

  // Changed on the server (same size, another time): fetched again.
  served_.file("plans/site plan.pdf", "%PDF-1.4 later");
  stamp(file, 1700003600);
  EXPECT_EQ(get(url), Vexa::eRemoteFetched);
  EXPECT_EQ(readTextFile(local), "%PDF-1.4 later");
  // Without the cache it is fetched whatever the cached copy is.
  EXPECT_EQ(get(url, false), Vexa::eRemoteFetched);

  server.stop();
  EXPECT_EQ(get(url), Vexa::eRemoteInCache);
  EXPECT_EQ(local_.utf8(), local);
  EXPECT_EQ(get(url, false), Vexa::eRemoteCannotConnect);
  EXPECT_EQ(readTextFile(local), "%PDF-1.4 later");  // a failed fetch keeps the copy
  EXPECT_EQ(filesUnder(cacheFolder()).size(), 1u);
}

TEST_F(RemoteFilesTest, MissingEmptyAndNonAsciiFilesAndThePortOfTheAddress) {
  served_.file("empty.pdf", "");
  served_.file("Pl\xC3\xA4ne \xE2\x82\xAC.pdf", "euro");
  LoopbackFtpServer server(served_.path(""));
  ASSERT_NE(server.port(), 0);
  remote_->setFtpPort(server.port());

  EXPECT_EQ(get(L"ftp://127.0.0.1/none.pdf"), Vexa::eRemoteFileNotFound);
  EXPECT_FALSE(fs::exists(local_.utf8()));  // the name is given all the same
  EXPECT_FALSE(local_.isEmpty());
  EXPECT_EQ(get(L"ftp://127.0.0.1/"), Vexa::eInvalidInput);

  EXPECT_EQ(get(L"ftp://127.0.0.1/empty.pdf"), Vexa::eRemoteFetched);
  EXPECT_EQ(fs::file_size(local_.utf8()), 0u);

  EXPECT_EQ(get(L"ftp://127.0.0.1/Pl\u00e4ne \u20ac.pdf"), Vexa::eRemoteFetched);
  EXPECT_EQ(readTextFile(local_.utf8()), "euro");

  // A port in the address wins over the configured one.
  remote_->setFtpPort(1);
  EXPECT_EQ(get(L"ftp://127.0.0.1:" + std::to_wstring(server.port()) + L"/empty.pdf", false),
            Vexa::eRemoteFetched);
  EXPECT_EQ(get(L"ftp://127.0.0.1/empty.pdf", false), Vexa::eRemoteCannotConnect);

  EXPECT_EQ(filesUnder(cacheFolder()).size(), 2u);  // no temporary file left
}

TEST_F(RemoteFilesTest, RefusingServerAndTransferCutOffLeaveNothingInTheCache) {
  std::string big(300000, 'x');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  served_.file("big.pdf", big);
  {
    LoopbackFtpServer refusing(served_.path(""), {/*refuseLogin=*/true, -1});
    ASSERT_NE(refusing.port(), 0);
    remote_->setFtpPort(refusing.port());
    EXPECT_EQ(get(L"ftp://127.0.0.1/big.pdf"), Vexa::eRemoteRefused);
  }
  {
    LoopbackFtpServer cutting(served_.path(""), {false, 100000});
    ASSERT_NE(cutting.port(), 0);
    remote_->setFtpPort(cutting.port());
    EXPECT_EQ(get(L"ftp://127.0.0.1/big.pdf"), Vexa::eRemoteTransferFailed);
  }
  EXPECT_TRUE(filesUnder(cacheFolder()).empty());

  // A whole copy, then a changed file whose fetch from the same server is cut: the whole copy
  // stays.
  stamp(served_.path("big.pdf"), 1700000000);
  int port = 0;
  {
    LoopbackFtpServer server(served_.path(""));
    port = server.port();
    remote_->setFtpPort(port);
    ASSERT_EQ(get(L"ftp://127.0.0.1/big.pdf"), Vexa::eRemoteFetched);
  }
  served_.file("big.pdf", big + "more");
  {
    LoopbackFtpServer cutting(served_.path(""), {false, 100000, port});
    ASSERT_EQ(cutting.port(), port);
    EXPECT_EQ(get(L"ftp://127.0.0.1/big.pdf"), Vexa::eRemoteTransferFailed);
  }
  EXPECT_EQ(fs::file_size(local_.utf8()), big.size());
  EXPECT_TRUE(readTextFile(local_.utf8()) == big);
  EXPECT_EQ(filesUnder(cacheFolder()).size(), 1u);
}

TEST_F(RemoteFilesTest, AddressesTheCacheDoesNotTake) {
  for (const wchar_t* url :
       {L"", L"http://127.0.0.1/a.pdf", L"ftp://", L"ftp:///a.pdf", L"ftp://127.0.0.1",
        L"ftp://127.0.0.1/dir/", L"ftp://127.0.0.1/../a.pdf", L"ftp://127.0.0.1/a/./b.pdf",
        L"ftp://127.0.0.1//a.pdf", L"ftp://127.0.0.1:0/a.pdf", L"ftp://127.0.0.1:70000/a.pdf",
        L"ftp://127.0.0.1:x/a.pdf", L"ftp://user@127.0.0.1/a.pdf"}) {
    SCOPED_TRACE(QvString(url).utf8());
    local_ = L"before";
    EXPECT_EQ(qvdbHostApplicationServices()->getRemoteFile(url, local_, true), Vexa::eInvalidInput);
    EXPECT_TRUE(local_.isEmpty());
    EXPECT_TRUE(remote_->cachedName(url).isEmpty());
  }
  // The scheme is taken in any case here.
  EXPECT_FALSE(remote_->cachedName(L"FTP://127.0.0.1/a.pdf").isEmpty());
}

TEST(RemoteFilesPortTest, ThePortComesFromTheEnvironment) {
  {
    ScopedEnv env("TARVO_FTP_PORT", "2121");
    VexaHost host;
    EXPECT_EQ(host.service<VexaRemoteFiles>().ftpPort(), 2121);
  }
  {
    ScopedEnv env("TARVO_FTP_PORT", "not a port");
    VexaHost host;
    EXPECT_EQ(host.service<VexaRemoteFiles>().ftpPort(), 21);
  }
}

}  // namespace
