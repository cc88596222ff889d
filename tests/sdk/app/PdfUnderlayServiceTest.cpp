// The PDF format service on files made by tests/data/underlay/make_pdfs.py: pages and their
// extents, and the refusals of files that are missing, not PDF, cut short or locked.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "sdk/app/VexaPdfUnderlayService.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

class PdfUnderlayServiceTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    const std::string command =
        "/usr/bin/python3 '" + testDataDir() + "/underlay/make_pdfs.py' '" + folder_.path("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }

  // Opens a file of the folder; the status, with the file in `file_`.
  Vexa::ErrorStatus open(const std::string& name, const wchar_t* password = L"") {
    QvDbUnderlayFile* file = nullptr;
    const Vexa::ErrorStatus es =
        service_.getFile(QvString(folder_.path(name).c_str()).c_str(), password, file);
    file_.reset(file);
    return es;
  }

  TempFolder folder_;
  VexaPdfUnderlayService service_;
  std::unique_ptr<QvDbUnderlayFile> file_;
};

TEST_F(PdfUnderlayServiceTest, OneItemPerPageWithItsExtentsInInches) {
  ASSERT_EQ(open("plan.pdf"), Vexa::eOk);
  ASSERT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->path(), QvString(folder_.path("plan.pdf").c_str()));
  const QvDbUnderlayItem* first = file_->getItem(0);
  EXPECT_EQ(first->name(), QvString(L"1"));
  EXPECT_DOUBLE_EQ(first->extentsMin().x, 0.0);
  EXPECT_DOUBLE_EQ(first->extentsMax().x, 8.5);
  EXPECT_DOUBLE_EQ(first->extentsMax().y, 11.0);
  // The second page is turned by 90 degrees: it lies landscape.
  const QvDbUnderlayItem* second = file_->getItem(L"2");
  ASSERT_NE(second, nullptr);
  EXPECT_DOUBLE_EQ(second->extentsMax().x, 842.0 / 72.0);
  EXPECT_DOUBLE_EQ(second->extentsMax().y, 595.0 / 72.0);
  EXPECT_EQ(file_->getItem(2), nullptr);
  EXPECT_EQ(file_->getItem(L"3"), nullptr);
}

TEST_F(PdfUnderlayServiceTest, FilesThatAreNoReadablePdfAreRefusedWithTheirReason) {
  EXPECT_EQ(open("missing.pdf"), Vexa::eFileNotFound);
  EXPECT_EQ(file_, nullptr);
  EXPECT_EQ(open(""), Vexa::eFileNotFound);  // the folder itself
  EXPECT_EQ(open("notes.pdf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("empty.pdf"), Vexa::eNotThisFileFormat);
  EXPECT_EQ(open("cut.pdf"), Vexa::eDamagedFile);
  EXPECT_EQ(file_, nullptr);
  QvDbUnderlayFile* file = nullptr;
  EXPECT_EQ(service_.getFile(nullptr, L"", file), Vexa::eFileNotFound);
  EXPECT_EQ(file, nullptr);
}

TEST_F(PdfUnderlayServiceTest, APathWithLettersBeyondAsciiOpens) {
  std::filesystem::copy_file(folder_.path("plan.pdf"),
                             folder_.path("Lageplan \xC3\xA4 \xC3\xA9.pdf"));
  QvDbUnderlayFile* raw = nullptr;
  const QvString path =
      QvString(folder_.path("").c_str()) + QvString(L"Lageplan \u00E4 \u00E9.pdf");
  ASSERT_EQ(service_.getFile(path.c_str(), L"", raw), Vexa::eOk);
  file_.reset(raw);
  EXPECT_EQ(file_->getItemCount(), 2);
  EXPECT_EQ(file_->path(), path);
}

TEST_F(PdfUnderlayServiceTest, ALockedFileOpensOnlyWithItsPassword) {
  EXPECT_EQ(open("locked.pdf"), Vexa::ePasswordNeeded);
  EXPECT_EQ(file_, nullptr);
  EXPECT_EQ(open("locked.pdf", L"guess"), Vexa::ePasswordNeeded);
  ASSERT_EQ(open("locked.pdf", L"secret"), Vexa::eOk);
  EXPECT_EQ(file_->getItemCount(), 1);
}

}  // namespace
