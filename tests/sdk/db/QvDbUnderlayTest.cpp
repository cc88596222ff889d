// Underlay definitions and references: dictionaries, reactors, loading and placement.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "sdk/app/VexaUnderlayServices.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnderlaySetup.h"

namespace {

using Vexa::eOk;

// A format service that answers every existing file with two items, 10 x 5 and 4 x 3.
class TwoItemService : public QvDbUnderlayFormatService {
 public:
  Vexa::ErrorStatus getFile(const wchar_t* path, const wchar_t* password,
                            QvDbUnderlayFile*& file) const override {
    if (QvString(password) != QvString(L"") && QvString(password) != QvString(L"key"))
      return Vexa::ePasswordNeeded;
    file = new QvDbUnderlayFile(QvString(path), {QvDbUnderlayItem(QvString(L"A"), {0, 0}, {10, 5}),
                                                 QvDbUnderlayItem(QvString(L"B"), {0, 0}, {4, 3})});
    return eOk;
  }
};

class QvDbUnderlayTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    host().service<VexaUnderlayServices>().setFormatService(QvDbUnderlayFormat::kDgn,
                                                            std::make_unique<TwoItemService>());
    file_ = folder_.file("site.dgn", "contents");
  }

  template <class Definition>
  QvDbObjectId addDefinition(const wchar_t* name, const std::string& path) {
    return addUnderlayDefinition<Definition>(db(), name, QvString(path.c_str()));
  }

  TempFolder folder_;
  std::string file_;
};

TEST_F(QvDbUnderlayTest, DefinitionsLiveInTheDictionaryOfTheirFormat) {
  const QvDbObjectId pdf = addDefinition<QvDbPdfDefinition>(L"plan - 1", "/nowhere/plan.pdf");
  const QvDbObjectId dgn = addDefinition<QvDbDgnDefinition>(L"site", file_);
  const QvDbObjectId dwf = addDefinition<QvDbDwfDefinition>(L"sheet", "/nowhere/s.dwf");
  for (auto [format, id, key] : {std::tuple{QvDbUnderlayFormat::kPdf, pdf, L"plan - 1"},
                                 std::tuple{QvDbUnderlayFormat::kDgn, dgn, L"site"},
                                 std::tuple{QvDbUnderlayFormat::kDwf, dwf, L"sheet"}}) {
    const QvDbObjectId dictId = QvDbUnderlayDefinition::dictionaryId(db(), format);
    ASSERT_FALSE(dictId.isNull());
    QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForRead);
    ASSERT_TRUE(dict);
    QvDbObjectId found;
    EXPECT_EQ(dict->getAt(key, found), eOk);
    EXPECT_EQ(found, id);
    EXPECT_EQ(dict->numEntries(), 1);
  }
  // An empty name or a definition already in a drawing is refused.
  auto* loose = new QvDbPdfDefinition();
  QvDbObjectId id;
  EXPECT_EQ(QvDbUnderlayDefinition::addToDatabase(db(), L"", loose, id), Vexa::eInvalidInput);
  delete loose;
  QvDbObjectPointer<QvDbPdfDefinition> resident(pdf, QvDb::kForRead);
  EXPECT_EQ(QvDbUnderlayDefinition::addToDatabase(db(), L"x", resident.object(), id),
            Vexa::eAlreadyInDb);
}

TEST_F(QvDbUnderlayTest, ReferencesAreReactorsOfTheirDefinitionInOrder) {
  const QvDbObjectId a = addDefinition<QvDbDgnDefinition>(L"a", file_);
  const QvDbObjectId b = addDefinition<QvDbDgnDefinition>(L"b", file_);
  const QvDbObjectId r1 = addUnderlayReference<QvDbDgnReference>(db(), a);
  const QvDbObjectId r2 = addUnderlayReference<QvDbDgnReference>(db(), a);
  const QvDbObjectId r3 = addUnderlayReference<QvDbDgnReference>(db(), b);
  EXPECT_EQ(reactorsOf(a), (std::vector<QvDbObjectId>{r1, r2}));
  EXPECT_EQ(reactorsOf(b), (std::vector<QvDbObjectId>{r3}));

  // Another definition: the reference moves from one reactor list to the other.
  {
    QvDbObjectPointer<QvDbDgnReference> ref(r1, QvDb::kForWrite);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->setDefinitionId(b), eOk);
  }
  EXPECT_EQ(reactorsOf(a), (std::vector<QvDbObjectId>{r2}));
  EXPECT_EQ(reactorsOf(b), (std::vector<QvDbObjectId>{r3, r1}));

  // A definition of another format, or one held open for write, is refused; nothing changes.
  const QvDbObjectId pdf = addDefinition<QvDbPdfDefinition>(L"p", file_);
  {
    QvDbObjectPointer<QvDbDgnReference> ref(r2, QvDb::kForWrite);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->setDefinitionId(pdf), Vexa::eWrongObjectType);
    QvDbObjectPointer<QvDbDgnDefinition> busy(b, QvDb::kForWrite);
    EXPECT_EQ(ref->setDefinitionId(b), Vexa::eWasOpenForWrite);
    EXPECT_EQ(ref->definitionId(), a);
  }
  EXPECT_EQ(reactorsOf(a), (std::vector<QvDbObjectId>{r2}));
  EXPECT_TRUE(reactorsOf(pdf).empty());
}

TEST_F(QvDbUnderlayTest, LoadingFindsTheFileAndTheItem) {
  const QvDbObjectId missing = addDefinition<QvDbDgnDefinition>(L"gone", "/nowhere/gone.dgn");
  const QvDbObjectId named = addDefinition<QvDbDgnDefinition>(L"site", file_);
  const QvDbObjectId pdf = addDefinition<QvDbPdfDefinition>(L"pdf", file_);
  {
    QvDbObjectPointer<QvDbDgnDefinition> def(missing, QvDb::kForWrite);
    QvString active = L"stale";
    EXPECT_EQ(def->getActiveFileName(active), Vexa::eFileNotFound);
    EXPECT_TRUE(active.isEmpty());
    EXPECT_EQ(def->load(), Vexa::eFileNotFound);
    EXPECT_FALSE(def->isLoaded());
  }
  {
    QvDbObjectPointer<QvDbDgnDefinition> def(named, QvDb::kForWrite);
    QvString active;
    EXPECT_EQ(def->getActiveFileName(active), eOk);
    EXPECT_EQ(active, QvString(file_.c_str()));
    // No such item: not loaded. The service's refusal passes up.
    EXPECT_EQ(def->setItemName(L"C"), eOk);
    EXPECT_EQ(def->load(), Vexa::eKeyNotFound);
    EXPECT_FALSE(def->isLoaded());
    EXPECT_EQ(def->load(L"wrong"), Vexa::ePasswordNeeded);
    // Item names are found without regard to case; an empty one takes the first item.
    EXPECT_EQ(def->setItemName(L"b"), eOk);
    ASSERT_EQ(def->load(L"key"), eOk);
    ASSERT_NE(def->getUnderlayItem(), nullptr);
    EXPECT_EQ(def->getUnderlayItem()->name(), QvString(L"B"));
    EXPECT_EQ(def->setItemName(L""), eOk);
    ASSERT_EQ(def->load(), eOk);
    EXPECT_EQ(def->getItemName(), QvString(L"A"));
    EXPECT_EQ(def->getUnderlayFile()->getItemCount(), 2);
    EXPECT_EQ(def->unload(), eOk);
    EXPECT_FALSE(def->isLoaded());
    EXPECT_EQ(def->getUnderlayItem(), nullptr);
  }
  // The host has no DWF service here, and the PDF service knows no such file.
  QvDbObjectPointer<QvDbPdfDefinition> def(pdf, QvDb::kForWrite);
  EXPECT_EQ(def->load(), Vexa::eNotThisFileFormat);
  host().service<VexaUnderlayServices>().setFormatService(QvDbUnderlayFormat::kPdf, nullptr);
  EXPECT_EQ(def->load(), Vexa::eInvalidInput);
}

TEST_F(QvDbUnderlayTest, PlacementFrameAndClipBoundary) {
  const QvDbObjectId defId = addDefinition<QvDbDgnDefinition>(L"site", file_);
  const QvDbObjectId refId = addUnderlayReference<QvDbDgnReference>(db(), defId);
  QvDbObjectPointer<QvDbDgnReference> ref(refId, QvDb::kForWrite);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->setPosition({100, 50, 0}), eOk);
  EXPECT_EQ(ref->setScaleFactors(QvGeScale3d(2, 2, 1)), eOk);
  EXPECT_EQ(ref->setRotation(M_PI / 2), eOk);
  // Not loaded and not clipped: no frame.
  QvDbExtents box;
  EXPECT_EQ(ref->getGeomExtents(box), Vexa::eInvalidExtents);
  {
    QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForWrite);
    ASSERT_EQ(def->load(), eOk);
  }
  QvGePoint3dArray frame;
  ASSERT_EQ(ref->getFrame(frame), eOk);
  EXPECT_POINTS_NEAR(frame, {{100, 50, 0}, {100, 70, 0}, {90, 70, 0}, {90, 50, 0}, {100, 50, 0}},
                     1e-9);

  // A rectangle by two corners, then a polygon; bad boundaries change nothing.
  ASSERT_EQ(ref->setClipBoundary(QvGePoint2dArray{{1, 1}, {2, 3}}), eOk);
  EXPECT_TRUE(ref->isClipped());
  frame.removeAll();
  ASSERT_EQ(ref->getFrame(frame), eOk);
  EXPECT_POINTS_NEAR(frame, {{98, 52, 0}, {98, 54, 0}, {94, 54, 0}, {94, 52, 0}, {98, 52, 0}},
                     1e-9);
  EXPECT_EQ(ref->setClipBoundary(QvGePoint2dArray{{1, 1}, {1, 3}}), Vexa::eInvalidInput);
  EXPECT_EQ(ref->clipBoundary().length(), 2);
  EXPECT_EQ(ref->setClipBoundary(QvGePoint2dArray()), eOk);
  EXPECT_FALSE(ref->isClipped());

  // The transform comes apart into the same placement, also after a transformation.
  const QvGeMatrix3d before = ref->transform();
  const QvGeMatrix3d move = QvGeMatrix3d::translation({1, 2, 3}) *
                            QvGeMatrix3d::rotation(0.3, QvGeVector3d(0, 1, 1).normal());
  ASSERT_EQ(ref->transformBy(move), eOk);
  EXPECT_TRUE(ref->transform().isEqualTo(move * before, QvGeTol(1e-9, 1e-9)));
  EXPECT_EQ(ref->setScaleFactors(QvGeScale3d(0, 1, 1)), Vexa::eInvalidInput);
  EXPECT_EQ(ref->setNormal(QvGeVector3d(0, 0, 0)), Vexa::eInvalidInput);
  EXPECT_EQ(ref->setContrast(10), Vexa::eOutOfRange);
  EXPECT_EQ(ref->setFade(81), Vexa::eOutOfRange);
}

}  // namespace
