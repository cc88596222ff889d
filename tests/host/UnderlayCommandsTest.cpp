// PDFATTACH and UNDERLAYS from a script: definitions made, used again and numbered, the
// references placed, and files refused with their reason, the drawing then unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

class UnderlayCommandsTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    const std::string command =
        "/usr/bin/python3 '" + testDataDir() + "/underlay/make_pdfs.py' '" + folder_.path("") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string other = "/usr/bin/python3 '" + testDataDir() + "/underlay/make_pdfs.py' '" +
                              folder_.path("other") + "'";
    ASSERT_EQ(std::system(other.c_str()), 0) << other;
    const std::string dwfs =
        "/usr/bin/python3 '" + testDataDir() + "/underlay/make_dwfs.py' '" + folder_.path("") + "'";
    ASSERT_EQ(std::system(dwfs.c_str()), 0) << dwfs;
  }

  QvString path(const std::string& name) const { return QvString(folder_.path(name).c_str()); }

  // The PDF definitions by key, and the definition each PDF underlay shows.
  std::vector<std::pair<std::wstring, QvDbObjectId>> definitions() const {
    std::vector<std::pair<std::wstring, QvDbObjectId>> out;
    QvDbObjectPointer<QvDbDictionary> dict(
        QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kPdf), QvDb::kForRead);
    if (!dict) return out;
    std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
    for (; !it->done(); it->next()) out.emplace_back(it->name().wstr(), it->objectId());
    return out;
  }

  TempFolder folder_;
};

TEST_F(UnderlayCommandsTest, PagesAreAttachedOnceAndNamesOfOtherFilesNumbered) {
  const QvString plan = path("plan.pdf");
  const QvString other = path("other/plan.pdf");
  const auto summary =
      run(QvString::format(L"PDFATTACH\n%ls\n2\n10,20\n2\n30\n"  // page 2
                           L"PDFATTACH\n%ls\n2\n0,0\n\n\n"  // the same page: the same definition
                           L"PDFATTACH\n%ls\n\n5,5\n\n\n"   // page 1
                           L"PDFATTACH\n%ls\n2\n0,0\n\n\n"  // another plan.pdf: a numbered name
                           L"UNDERLAYS\n",
                           plan.c_str(), plan.c_str(), plan.c_str(), other.c_str()));
  EXPECT_EQ(summary.done, 5) << transcript();
  const auto defs = definitions();
  ASSERT_EQ(defs.size(), 3u) << transcript();
  EXPECT_EQ(defs[0].first, L"plan - Page 1");
  EXPECT_EQ(defs[1].first, L"plan - Page 2");
  EXPECT_EQ(defs[2].first, L"plan - Page 2_1");

  const std::vector<QvDbObjectId> entities = modelSpace();
  ASSERT_EQ(entities.size(), 4u);
  const QvDbObjectId shownBy[] = {defs[1].second, defs[1].second, defs[0].second, defs[2].second};
  for (size_t i = 0; i < entities.size(); ++i) {
    QvDbObjectPointer<QvDbPdfReference> ref(entities[i], QvDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->definitionId(), shownBy[i]) << i;
  }
  QvDbObjectPointer<QvDbPdfReference> first(entities[0], QvDb::kForRead);
  EXPECT_DOUBLE_EQ(first->position().x, 10.0);
  EXPECT_DOUBLE_EQ(first->scaleFactors().sx, 2.0);
  EXPECT_NEAR(first->rotation(), M_PI / 6, 1e-12);
  QvDbObjectPointer<QvDbPdfDefinition> def(defs[2].second, QvDb::kForRead);
  EXPECT_TRUE(def->isLoaded());
  EXPECT_EQ(def->getSourceFileName(), other);
  EXPECT_TRUE(contains("PDF \"plan - Page 2_1\": loaded, 0 KiB, PDF")) << transcript();
  EXPECT_TRUE(contains("PDF \"plan - Page 1\": loaded")) << transcript();
}

TEST_F(UnderlayCommandsTest, FilesThatDoNotLoadAreRefusedAndTheDrawingStaysAsItWas) {
  const auto summary = run(QvString::format(
      L"PDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\nPDFATTACH\n%ls\n"
      L"UNDERLAYS\n",
      path("notes.pdf").c_str(), path("cut.pdf").c_str(), path("locked.pdf").c_str(),
      path("missing.pdf").c_str(), path("").c_str()));
  EXPECT_EQ(summary.done, 1) << transcript();
  for (const char* reason : {"it is not a PDF file.", "the file is damaged.",
                             "it is protected by a password.", "there is no such file."})
    EXPECT_TRUE(contains(reason)) << reason << "\n" << transcript();
  EXPECT_TRUE(contains("The drawing has no underlays.")) << transcript();
  EXPECT_TRUE(definitions().empty());
  EXPECT_TRUE(modelSpace().empty());
}

TEST_F(UnderlayCommandsTest, DwfSheetsAreAttachedByNameOrNumber) {
  const QvString sheets = path("sheets.dwf");
  const auto summary = run(
      QvString::format(L"DWFATTACH\n%ls\nroof & gutters\n0,0\n\n\n"
                       L"DWFATTACH\n%ls\n1\n5,0\n\n\n"
                       L"DWFATTACH\n%ls\nCellar\n"
                       L"DWFATTACH\n%ls\n"
                       L"UNDERLAYS\n",
                       sheets.c_str(), sheets.c_str(), sheets.c_str(), path("plan.pdf").c_str()));
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains("The file has no sheet \"Cellar\".")) << transcript();
  EXPECT_TRUE(contains("it is not a DWF file.")) << transcript();
  EXPECT_TRUE(contains("DWF \"sheets - Ground floor\": loaded, 0 KiB, DWF, ")) << transcript();
  QvDbObjectPointer<QvDbDictionary> dict(
      QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kDwf), QvDb::kForRead);
  ASSERT_TRUE(dict);
  EXPECT_EQ(dict->numEntries(), 2);
  QvDbObjectId roof;
  ASSERT_EQ(dict->getAt(L"sheets - Roof & gutters", roof), Vexa::eOk);
  QvDbObjectPointer<QvDbDwfDefinition> def(roof, QvDb::kForRead);
  EXPECT_TRUE(def->isLoaded());
  EXPECT_EQ(def->getItemName(), QvString(L"Roof & gutters"));
  EXPECT_EQ(modelSpace().size(), 2u);
}

}  // namespace
