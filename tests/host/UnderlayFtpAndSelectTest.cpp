// PDFATTACH and DGNATTACH with ftp:// paths fetched from a loopback FTP server, and SELECT leaving
// a pickfirst set that UNDERLAYS narrows its listing to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sdk/app/VexaRemoteFiles.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/render/QvGiHighlightLog.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/LoopbackFtpServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

class UnderlayFtpAndSelectTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    const std::string command =
        "/usr/bin/python3 '" + testDataDir() + "/underlay/make_pdfs.py' '" + served_.path("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  TempFolder served_;
};

TEST_F(UnderlayFtpAndSelectTest, RemotePdfPagesAreAttachedAndUnfetchableOnesRefused) {
  LoopbackFtpServer server(served_.path(""));
  ASSERT_NE(server.port(), 0);
  VexaRemoteFiles& remote = host().service<VexaRemoteFiles>();
  remote.setFtpPort(server.port());
  const auto summary =
      run(L"PDFATTACH\nftp://127.0.0.1/plan.pdf\n2\n0,0\n\n\n"
          L"PDFATTACH\nftp://127.0.0.1/none.pdf\n"
          L"PDFATTACH\nftp://localhost/plan.pdf\n"  // not an FTP path: looked for as a file
          L"UNDERLAYS\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains("ftp://127.0.0.1/none.pdf cannot be attached: it cannot be fetched"))
      << transcript();
  EXPECT_TRUE(contains("ftp://localhost/plan.pdf cannot be attached: there is no such file"))
      << transcript();
  // The page the address names (the attach from the cache, and the address kept in the
  // drawing, run end to end in examples/ftp_underlay.script).
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbPdfReference> ref(modelSpace()[0], QvDb::kForRead);
  ASSERT_TRUE(ref);
  QvDbObjectPointer<QvDbPdfDefinition> def(ref->definitionId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  EXPECT_EQ(def->getItemName(), QvString(L"2"));
}

TEST_F(UnderlayFtpAndSelectTest, RemoteDgnFilesAreAttachedOrRefusedAsLocalOnesAre) {
  LoopbackFtpServer server(testDataDir() + "/underlay");
  ASSERT_NE(server.port(), 0);
  host().service<VexaRemoteFiles>().setFtpPort(server.port());
  const auto summary =
      run(L"DGNATTACH\nftp://127.0.0.1/site.dgn\n\n0,0\n\n\n"
          L"DGNATTACH\nftp://127.0.0.1/v8.dgn\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("Attached \"site - Default\": model 1 of 1")) << transcript();
  EXPECT_TRUE(contains("the host cannot read this version of DGN files")) << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbDgnReference> ref(modelSpace()[0], QvDb::kForRead);
  ASSERT_TRUE(ref);
  QvDbObjectPointer<QvDbDgnDefinition> def(ref->definitionId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  EXPECT_EQ(def->getSourceFileName(), QvString(L"ftp://127.0.0.1/site.dgn"));
}

TEST_F(UnderlayFtpAndSelectTest, SelectLeavesAPickfirstSetThatUnderlaysListsAndLetsGo) {
  const QvString plan(served_.path("plan.pdf").c_str());
  const auto summary =
      run(QvString::format(L"PDFATTACH\n%ls\n1\n0,0\n\n\n"
                           L"PDFATTACH\n%ls\n2\n100,0\n\n\n"
                           L"SELECT\nLast\n\n"
                           L"UNDERLAYS\n",
                           plan.c_str(), plan.c_str()));
  EXPECT_EQ(summary.done, 4) << transcript();
  EXPECT_TRUE(contains("1 object(s) selected.")) << transcript();
  EXPECT_TRUE(contains("PDF \"plan - Page 2\"")) << transcript();
  EXPECT_FALSE(contains("PDF \"plan - Page 1\"")) << transcript();
  VexaPickfirstProcessor& pickfirst = *vexaGetPickfirstProc();
  EXPECT_TRUE(pickfirst.getPickfirst().isEmpty());
  EXPECT_TRUE(pickfirst.grips().isEmpty());
  ASSERT_EQ(modelSpace().size(), 2u);
  EXPECT_FALSE(host().service<QvGiHighlightLog>().isHighlighted(modelSpace()[1]));

  // Two selected: the whole listing, and the set stays selected.
  run(L"SELECT\nALL\n\nUNDERLAYS\n");
  EXPECT_TRUE(contains("2 object(s) selected.")) << transcript();
  EXPECT_TRUE(contains("PDF \"plan - Page 1\"")) << transcript();
  EXPECT_TRUE(contains("PDF \"plan - Page 2\"")) << transcript();
  EXPECT_EQ(pickfirst.getPickfirst().length(), 2);
  EXPECT_TRUE(host().service<QvGiHighlightLog>().isHighlighted(modelSpace()[0]));
}

}  // namespace
