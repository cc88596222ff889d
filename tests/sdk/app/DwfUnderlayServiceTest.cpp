// The DWF format service on containers made by tests/data/underlay/make_dwfs.py: the titled
// sections of the manifest as items, and the refusals of files that are no readable container.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "sdk/app/VexaDwfUnderlayService.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

class DwfUnderlayServiceTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    const std::string command =
        "/usr/bin/python3 '" + testDataDir() + "/underlay/make_dwfs.py' '" + folder_.path("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  Vexa::ErrorStatus open(const std::string& name) {
    QvDbUnderlayFile* file = nullptr;
    const Vexa::ErrorStatus es =
        service_.getFile(QvString(folder_.path(name).c_str()).c_str(), L"", file);
    file_.reset(file);
    return es;
  }

  TempFolder folder_;
  VexaDwfUnderlayService service_;
  std::unique_ptr<QvDbUnderlayFile> file_;
};

TEST_F(DwfUnderlayServiceTest, TitledSectionsOfTheManifestAreTheItems) {
  ASSERT_EQ(open("sheets.dwf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->getItem(0)->name(), QvString(L"Ground floor"));
  EXPECT_EQ(file_->getItem(1)->name(), QvString(L"Roof & gutters"));
  EXPECT_NE(file_->getItem(L"ROOF & GUTTERS"), nullptr);
  // A manifest stored without compression, under another case of its name.
  ASSERT_EQ(open("stored.dwf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 1);
  EXPECT_EQ(file_->getItem(0)->name(), QvString(L"Ground floor"));
}

TEST_F(DwfUnderlayServiceTest, FilesThatAreNoReadableContainerAreRefused) {
  EXPECT_EQ(open("missing.dwf"), Vexa::eFileNotFound);
  EXPECT_EQ(open("notes.dwf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("bare.dwf"), Vexa::eDamagedFile);
  EXPECT_EQ(open("cut.dwf"), Vexa::eDamagedFile);
  EXPECT_EQ(file_, nullptr);
}

}  // namespace
