// The underlay dictionaries of a drawing through the module's underlay services: the three
// dictionaries, names for new definitions, the listing of definitions and file information.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaUnderlayServices.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/win/VexaFileServices.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnderlaySetup.h"
#include "xqcmdutil/QvDbUnderlayService.h"

namespace {

using Vexa::eOk;

std::wstring w(const CString& s) {
  return std::wstring(static_cast<const wchar_t*>(s));
}

XqUnderlayItemInfo named(const wchar_t* name, const wchar_t* found) {
  XqUnderlayItemInfo item;
  item.name = name;
  item.foundPath = found;
  return item;
}

class UnderlayServiceTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    for (QvDbUnderlayFormat format : {QvDbUnderlayFormat::kPdf, QvDbUnderlayFormat::kDgn})
      host().service<VexaUnderlayServices>().setFormatService(
          format, std::make_unique<OneItemUnderlayService>());
  }
  void TearDown() override {
    EXPECT_TRUE(nothingLeftOpen(db()));
    HostFixture::TearDown();
  }

  template <class Definition>
  QvDbObjectId addDefinition(const wchar_t* key, const std::string& path, bool load) {
    const QvDbObjectId id =
        addUnderlayDefinition<Definition>(db(), key, QvString(path.c_str()), load);
    EXPECT_FALSE(id.isNull());
    return id;
  }

  TempFolder folder_;
};

TEST_F(UnderlayServiceTest, TheThreeDictionariesAreMadeFoundAndTakenOut) {
  const QvDbDwfUnderlayService dwf;
  const QvDbPdfUnderlayService pdf;
  const QvDbDgnUnderlayService dgn;
  const std::vector<std::pair<const QvDbUnderlayService*, const wchar_t*>> services = {
      {&dwf, L"ACAD_DWFDEFINITIONS"},
      {&pdf, L"ACAD_PDFDEFINITIONS"},
      {&dgn, L"ACAD_DGNDEFINITIONS"}};
  for (const auto& [service, key] : services) {
    SCOPED_TRACE(std::wstring(key));
    QvDbObjectId id;
    EXPECT_TRUE(service->underlayDictionary(nullptr).isNull());
    EXPECT_EQ(service->createUnderlayDictionary(nullptr, id), Vexa::eNoDatabase);
    EXPECT_EQ(service->removeUnderlayDictionary(nullptr), Vexa::eNoDatabase);
    EXPECT_TRUE(service->underlayDictionary(db()).isNull());
    EXPECT_EQ(service->removeUnderlayDictionary(db()), Vexa::eKeyNotFound);

    ASSERT_EQ(service->createUnderlayDictionary(db(), id), eOk);
    ASSERT_FALSE(id.isNull());
    EXPECT_EQ(service->underlayDictionary(db()), id);
    {
      QvDbObjectPointer<QvDbDictionary> root(db()->namedObjectsDictionaryId(), QvDb::kForRead);
      QvDbObjectId found;
      EXPECT_EQ(root->getAt(key, found), eOk);
      EXPECT_EQ(found, id);
    }
    // Made already: success, and the out-parameter is left as it was.
    QvDbObjectId untouched;
    EXPECT_EQ(service->createUnderlayDictionary(db(), untouched), eOk);
    EXPECT_TRUE(untouched.isNull());

    // Taken out, not erased: the dictionary object stays.
    EXPECT_EQ(service->removeUnderlayDictionary(db()), eOk);
    EXPECT_TRUE(service->underlayDictionary(db()).isNull());
    QvDbObjectPointer<QvDbDictionary> removed(id, QvDb::kForRead);
    EXPECT_TRUE(removed);
  }
  // Another caller holding the named-objects dictionary: its refusal passes up.
  {
    QvDbObjectPointer<QvDbDictionary> busy(db()->namedObjectsDictionaryId(), QvDb::kForWrite);
    QvDbObjectId id;
    EXPECT_EQ(pdf.createUnderlayDictionary(db(), id), Vexa::eWasOpenForWrite);
    EXPECT_EQ(pdf.removeUnderlayDictionary(db()), Vexa::eWasOpenForWrite);
  }
}

TEST_F(UnderlayServiceTest, AFailedStoreOfTheNewDictionaryIsReported) {
  const QvDbPdfUnderlayService pdf;
  host().service<VexaFaultInjection>().arm("QvDbDictionary::setAt", 1, Vexa::eOutOfMemory);
  QvDbObjectId id = db()->namedObjectsDictionaryId();  // a stale value is cleared
  EXPECT_EQ(pdf.createUnderlayDictionary(db(), id), Vexa::eOutOfMemory);
  EXPECT_TRUE(id.isNull());
  EXPECT_TRUE(pdf.underlayDictionary(db()).isNull());
  // The next try succeeds.
  EXPECT_EQ(pdf.createUnderlayDictionary(db(), id), eOk);
  EXPECT_FALSE(id.isNull());
}

TEST_F(UnderlayServiceTest, NamesAreFreeReusedOrNumberedWithoutRegardToCase) {
  QvString out = L"stale";
  std::vector<XqUnderlayItemInfo> none;
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"A", nullptr, L"plan", out, none), kUnderlayNameFree);
  EXPECT_EQ(out, QvString(L"plan"));

  std::vector<XqUnderlayItemInfo> items = {named(L"plan", L"A"), named(L"Plan_1", L"B")};
  // The same file under the same name, in another case: reuse the name as it stands.
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"A", nullptr, L"PLAN", out, items),
            kUnderlayNameReused);
  EXPECT_EQ(out, QvString(L"plan"));
  // Another file: plan_1 would replace Plan_1 in the dictionary, so plan_2.
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"C", nullptr, L"plan", out, items),
            kUnderlayNameNumbered);
  EXPECT_EQ(out, QvString(L"plan_2"));
  // Paths compare exactly: a in another case is another file.
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"a", nullptr, L"plan", out, items),
            kUnderlayNameNumbered);
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"C", nullptr, L"site", out, items),
            kUnderlayNameFree);
  EXPECT_EQ(out, QvString(L"site"));
  EXPECT_EQ(QvDbUnderlayService::getDictName(L"C", nullptr, nullptr, out, items),
            kUnderlayNameFree);
  EXPECT_TRUE(out.isEmpty());

  QvDbUnderlayService::defaultDictName(out, L"C:\\plans\\site.pdf", L"Page 1");
  EXPECT_EQ(out, QvString(L"site - Page 1"));
  QvDbUnderlayService::defaultDictName(out, L"/srv/partner.v7.dgn", L"Default");
  EXPECT_EQ(out, QvString(L"partner.v7 - Default"));

  XqUnderlayItemInfo item = named(L"old", L"old");
  item.secondFlag = true;
  EXPECT_EQ(QvDbPdfUnderlayService().pdfItemFromPath(item, L"/x/site.pdf"), eOk);
  EXPECT_EQ(w(item.name), L"");
  EXPECT_EQ(w(item.foundPath), L"/x/site.pdf");
  EXPECT_FALSE(item.secondFlag);
}

TEST_F(UnderlayServiceTest, FileInformationTakesTheWholeSize) {
  XqUnderlayItemInfo item;
  EXPECT_FALSE(QvDbUnderlayService::GetUnderLayItemInfo(
      QvString(folder_.path("missing.pdf").c_str()).c_str(), item));
  const std::string small = folder_.file("site.pdf", std::string(1536, 'x'));
  ASSERT_TRUE(QvDbUnderlayService::GetUnderLayItemInfo(QvString(small.c_str()).c_str(), item));
  EXPECT_EQ(item.size, 1);
  EXPECT_EQ(w(item.type), L"PDF");
  VexaFileInformation info;
  ASSERT_TRUE(GetFileInformation(QvString(small.c_str()).wstr(), info));
  EXPECT_EQ(item.date.GetTime(), info.creationTime);

  // 5 GiB (a sparse file): 5 Mi KiB, not what its low 32 bits would say.
  const std::string big = folder_.path("survey.Dgn");
  const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  const bool grown = ::ftruncate(fd, 5LL << 30) == 0;
  ::close(fd);
  if (!grown) GTEST_SKIP() << "the file system refuses a 5 GiB sparse file";
  ASSERT_TRUE(QvDbUnderlayService::GetUnderLayItemInfo(QvString(big.c_str()).c_str(), item));
  EXPECT_EQ(item.size, 5 * 1024 * 1024);
  EXPECT_EQ(w(item.type), L"DGN");
}

TEST_F(UnderlayServiceTest, PdfListingSaysLoadedUnreferencedMissingAndNotLoaded) {
  const std::string here = folder_.file("here.pdf", std::string(4096, 'p'));
  const QvDbObjectId shown = addDefinition<QvDbPdfDefinition>(L"shown", here, true);
  const QvDbObjectId idle = addDefinition<QvDbPdfDefinition>(L"idle", here, true);
  const QvDbObjectId later = addDefinition<QvDbPdfDefinition>(L"later", here, false);
  const QvDbObjectId gone = addDefinition<QvDbPdfDefinition>(L"gone", "/nowhere/gone.pdf", false);
  const QvDbObjectId r1 = addUnderlayReference<QvDbPdfReference>(db(), shown);
  const QvDbObjectId r2 = addUnderlayReference<QvDbPdfReference>(db(), shown);
  const QvDbObjectId erased = addUnderlayReference<QvDbPdfReference>(db(), idle);
  ASSERT_EQ(eraseObject(erased), eOk);
  // A DGN definition in the PDF dictionary is not a PDF definition.
  addDefinition<QvDbDgnDefinition>(L"dgn", here, false);

  const QvDbPdfUnderlayService pdf;
  std::vector<XqUnderlayItemInfo> items = {named(L"left over", L"")};
  pdf.collectUnderlayItems(nullptr, items);
  EXPECT_EQ(items.size(), 1u);
  pdf.collectUnderlayItems(db(), items);
  pdf.collectUnderlayItems(db(), items);  // emptied first: each once
  ASSERT_EQ(items.size(), 4u);
  auto find = [&](const wchar_t* name) -> const XqUnderlayItemInfo& {
    for (const XqUnderlayItemInfo& item : items)
      if (w(item.name) == name) return item;
    ADD_FAILURE() << "no item";
    return items.front();
  };
  const XqUnderlayItemInfo& a = find(L"shown");
  EXPECT_EQ(a.status, XqUnderlayItemInfo::kLoaded);
  EXPECT_EQ(a.initialStatus, XqUnderlayItemInfo::kLoaded);
  EXPECT_EQ(a.definitionId, shown);
  EXPECT_EQ(w(a.savedPath), QvString(here.c_str()).wstr());
  EXPECT_EQ(w(a.foundPath), QvString(here.c_str()).wstr());
  EXPECT_EQ(a.size, 4);
  EXPECT_EQ(w(a.type), L"PDF");
  EXPECT_EQ(find(L"idle").status, XqUnderlayItemInfo::kPdfUnreferenced);
  EXPECT_EQ(find(L"later").status, XqUnderlayItemInfo::kPdfNotLoaded);
  const XqUnderlayItemInfo& missing = find(L"gone");
  EXPECT_EQ(missing.status, XqUnderlayItemInfo::kPdfFileNotFound);
  EXPECT_EQ(missing.initialStatus, XqUnderlayItemInfo::kPdfFileNotFound);
  EXPECT_EQ(w(missing.foundPath), L"");
  EXPECT_EQ(missing.size, 0);
  EXPECT_EQ(later, find(L"later").definitionId);
  EXPECT_EQ(gone, missing.definitionId);

  // The references of a definition in reactor order; the erased one is not among them.
  QvArray<QvDbObjectId> refs;
  QvDbPdfUnderlayService::getRefsIdFromDef(nullptr, refs);
  EXPECT_TRUE(refs.isEmpty());
  {
    QvDbObjectPointer<QvDbPdfDefinition> def(shown, QvDb::kForRead);
    QvDbPdfUnderlayService::getRefsIdFromDef(def.object(), refs);
  }
  ASSERT_EQ(refs.length(), 2);
  EXPECT_EQ(refs[0], r1);
  EXPECT_EQ(refs[1], r2);
}

TEST_F(UnderlayServiceTest, DgnAndDwfListingsAppend) {
  const std::string here = folder_.file("partner.dgn", "dgn");
  const QvDbObjectId loaded = addDefinition<QvDbDgnDefinition>(L"loaded", here, true);
  addDefinition<QvDbDgnDefinition>(L"idle", here, false);
  addDefinition<QvDbDwfDefinition>(L"sheets", "/nowhere/s.dwf", false);

  std::vector<XqUnderlayItemInfo> items;
  const QvDbDgnUnderlayService dgn;
  dgn.collectUnderlayItems(db(), items);
  dgn.collectUnderlayItems(db(), items);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(w(items[0].name), L"idle");  // keys in dictionary order
  EXPECT_EQ(items[0].status, XqUnderlayItemInfo::kNotLoaded);
  EXPECT_EQ(items[1].status, XqUnderlayItemInfo::kLoaded);
  EXPECT_EQ(items[1].definitionId, loaded);
  EXPECT_EQ(w(items[1].foundPath), QvString(here.c_str()).wstr());

  items.clear();
  QvDbDwfUnderlayService().collectUnderlayItems(db(), items);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].status, XqUnderlayItemInfo::kNotLoaded);
  EXPECT_EQ(w(items[0].savedPath), L"/nowhere/s.dwf");
  EXPECT_EQ(w(items[0].foundPath), L"");
}

TEST_F(UnderlayServiceTest, LoadingNeedsTheFormatsService) {
  const std::string here = folder_.file("plan.pdf", "pdf");
  host().service<VexaUnderlayServices>().setFormatService(QvDbUnderlayFormat::kDwf, nullptr);
  QvDbUnderlayFile* file = nullptr;
  EXPECT_EQ(QvDbDwfUnderlayService::LoadDwfUnderlayFile(QvString(here.c_str()).c_str(), file),
            Vexa::eInvalidInput);
  EXPECT_EQ(file, nullptr);
  ASSERT_EQ(QvDbPdfUnderlayService::LoadPdfUnderlayFile(QvString(here.c_str()).c_str(), file), eOk);
  std::unique_ptr<QvDbUnderlayFile> owned(file);
  EXPECT_EQ(owned->getItemCount(), 1);
  host().service<VexaUnderlayServices>().setFormatService(QvDbUnderlayFormat::kDgn, nullptr);
  file = nullptr;
  EXPECT_EQ(QvDbDgnUnderlayService::LoadDgnUnderlayFile(QvString(here.c_str()).c_str(), file),
            Vexa::eInvalidInput);
  EXPECT_EQ(file, nullptr);
}

}  // namespace
