// FTP paths: the pattern, and remote files fetched through a loopback FTP server.
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sdk/app/VexaRemoteFiles.h"
#include "tests/support/HostFixture.h"
#include "tests/support/LoopbackFtpServer.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/XqFtpPath.h"

namespace {

namespace fs = std::filesystem;

TEST(FtpPathTest, ThePatternTakesFourNumberGroupsAndAFile) {
  for (const wchar_t* path :
       {L"ftp://192.168.0.1/plan.pdf", L"ftp://1.2.3.4/a", L"ftp://10.0.0.250/dir/sub/x.dgn",
        L"ftp://1x2y3z4/plan.pdf",  // the dots take any character
        L"ftp://1234567/plan.pdf",  // digits standing for dots: 1 3 5 7
        L"ftp://999.999.999.999/p", L"ftp://1.2.3.4//", L"ftp://1.2.3.4/pl\u00e4n \u20ac.pdf"})
    EXPECT_TRUE(isFtpPath(path)) << QvString(path).utf8();
  for (const wchar_t* path :
       {L"", L"ftp://server.example/plan.pdf", L"ftp://1.2.3.4", L"ftp://1.2.3.4/",
        L"FTP://1.2.3.4/plan.pdf", L"ftp://1.2.3/plan.pdf", L"ftp://1.2.3.4.5/plan.pdf",
        L"ftp://1234.2.3.4/plan.pdf", L"ftp://1.2.3.4:21/plan.pdf", L" ftp://1.2.3.4/a",
        L"http://1.2.3.4/a", L"c:/ftp://1.2.3.4/a", L"/tmp/plan.pdf", L"ftp://1.2.3.4/a\nb",
        L"ftp://1.2.3\n4/a"})
    EXPECT_FALSE(isFtpPath(path)) << QvString(path).utf8();
}

class FtpToLocalTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    remote_ = &host().service<VexaRemoteFiles>();
  }
  TempFolder served_;
  VexaRemoteFiles* remote_ = nullptr;
};

TEST_F(FtpToLocalTest, FetchedAgainFromTheCacheMissingAndEmpty) {
  served_.file("survey.pdf", "%PDF-1.4 survey");
  served_.file("empty.pdf", "");
  LoopbackFtpServer server(served_.path(""));
  ASSERT_NE(server.port(), 0);
  remote_->setFtpPort(server.port());

  QvString local;
  ASSERT_TRUE(ftpToLocal(L"ftp://127.0.0.1/survey.pdf", local));
  EXPECT_EQ(fs::file_size(local.utf8()), 15u);
  EXPECT_EQ(local, remote_->cachedName(L"ftp://127.0.0.1/survey.pdf"));

  QvString again;
  EXPECT_TRUE(ftpToLocal(L"ftp://127.0.0.1/survey.pdf", again));  // current
  EXPECT_EQ(again, local);

  QvString missing;
  EXPECT_FALSE(ftpToLocal(L"ftp://127.0.0.1/none.pdf", missing));
  EXPECT_EQ(missing, remote_->cachedName(L"ftp://127.0.0.1/none.pdf"));  // named all the same

  QvString empty;
  EXPECT_FALSE(ftpToLocal(L"ftp://127.0.0.1/empty.pdf", empty));
  EXPECT_TRUE(fs::exists(empty.utf8()));

  server.stop();
  QvString atHand;
  EXPECT_TRUE(ftpToLocal(L"ftp://127.0.0.1/survey.pdf", atHand));  // no server: the copy
  EXPECT_EQ(atHand, local);
  QvString never;
  EXPECT_FALSE(ftpToLocal(L"ftp://127.0.0.1/other.pdf", never));
}

TEST_F(FtpToLocalTest, AServerThatRefusesGivesNoFile) {
  served_.file("survey.pdf", "%PDF-1.4 survey");
  LoopbackFtpServer server(served_.path(""), {/*refuseLogin=*/true, -1});
  ASSERT_NE(server.port(), 0);
  remote_->setFtpPort(server.port());
  QvString local;
  EXPECT_FALSE(ftpToLocal(L"ftp://127.0.0.1/survey.pdf", local));
  EXPECT_FALSE(fs::exists(local.utf8()));
}

// A file whose size is a whole multiple of 4 GiB is not empty. Both copies are sparse and
// alike, so the server is only asked whether the cached one is current.
TEST_F(FtpToLocalTest, AFileOfFourGibibytesIsNotEmpty) {
  constexpr off_t kFourGiB = off_t{1} << 32;
  const std::string served = served_.file("huge.pdf", "");
  if (::truncate(served.c_str(), kFourGiB) != 0) GTEST_SKIP() << "no sparse files here";
  LoopbackFtpServer server(served_.path(""));
  ASSERT_NE(server.port(), 0);
  remote_->setFtpPort(server.port());
  const QvString url = L"ftp://127.0.0.1/huge.pdf";
  const std::string cached = remote_->cachedName(url).utf8();
  fs::create_directories(fs::path(cached).parent_path());
  { std::ofstream(cached, std::ios::binary); }
  ASSERT_EQ(::truncate(cached.c_str(), kFourGiB), 0);
  const struct timeval times[2] = {{1700000000, 0}, {1700000000, 0}};
  ASSERT_EQ(::utimes(served.c_str(), times), 0);
  ASSERT_EQ(::utimes(cached.c_str(), times), 0);

  QvString local;
  EXPECT_TRUE(ftpToLocal(url, local));
  EXPECT_EQ(local.utf8(), cached);
  EXPECT_EQ(fs::file_size(cached), static_cast<uintmax_t>(kFourGiB));  // not fetched again
}

}  // namespace
