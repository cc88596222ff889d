// Binding a DGN underlay (tests/data/underlay/site.dgn) into the drawing: the block and the
// references that replace the underlays, what stays when the bind cannot finish, the temporary
// drawing, and which objects count as erased.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaSessionTempFolder.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TestPaths.h"
#include "xqcmdutil/QvDbUnderlayService.h"
#include "xqcmdutil/XqDgnBind.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class DgnBindTest : public HostFixture {
 protected:
  void TearDown() override {
    EXPECT_TRUE(nothingLeftOpen(db()));
    HostFixture::TearDown();
  }

  // A loaded definition of site.dgn.
  QvDbObjectId addDefinition(const wchar_t* key = L"site - Default") {
    auto* def = new QvDbDgnDefinition();
    def->setSourceFileName(QvString((testDataDir() + "/underlay/site.dgn").c_str()).c_str());
    QvDbObjectId id;
    EXPECT_EQ(QvDbUnderlayDefinition::addToDatabase(db(), key, def, id), Vexa::eOk);
    QvDbObjectPointer<QvDbDgnDefinition> open(id, QvDb::kForWrite);
    EXPECT_EQ(open->load(), Vexa::eOk);
    return id;
  }

  QvDbObjectId addReference(QvDbObjectId ownerId, QvDbObjectId defId,
                            const QvGePoint3d& at = QvGePoint3d::kOrigin, double scale = 1.0,
                            double rotation = 0.0,
                            const QvGeVector3d& normal = QvGeVector3d::kZAxis) {
    auto* ref = new QvDbDgnReference();
    ref->setDefinitionId(defId);
    ref->setPosition(at);
    ref->setScaleFactors(QvGeScale3d(scale));
    ref->setRotation(rotation);
    ref->setNormal(normal);
    return appendEntity(ownerId, ref);
  }

  QvDbObjectId block(const wchar_t* name) {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    QvDbObjectId id;
    table->getAt(name, id);
    return id;
  }

  static std::vector<std::wstring> recordNames(QvDbObjectId tableId) {
    std::vector<std::wstring> names;
    QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
    QvDbSymbolTableIterator* raw = nullptr;
    EXPECT_EQ(table->newIterator(raw), Vexa::eOk);
    const std::unique_ptr<QvDbSymbolTableIterator> it(raw);
    for (; !it->done(); it->step()) {
      QvDbObjectId id;
      it->getRecordId(id);
      names.push_back(QvDbSymbolTableRecord::nameOf(id).wstr());
    }
    return names;
  }

  // The keys of the DGN dictionary; none without it.
  std::vector<std::wstring> dgnKeys() {
    std::vector<std::wstring> keys;
    QvDbObjectPointer<QvDbDictionary> dict(QvDbDgnUnderlayService().underlayDictionary(db()),
                                           QvDb::kForRead);
    if (!dict) return keys;
    std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
    for (; !it->done(); it->next()) keys.push_back(it->name().wstr());
    return keys;
  }

  std::vector<std::string> tempFiles() {
    std::vector<std::string> names;
    const std::string folder = host().service<VexaSessionTempFolder>().folder().utf8();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    return names;
  }
};

TEST_F(DgnBindTest, ThreeUnderlaysBecomeOneBlockAndThreeReferences) {
  const QvDbObjectId defId = addDefinition();
  const QvDbObjectId space = db()->modelSpaceId();
  const QvDbObjectId refs[] = {addReference(space, defId, {100, 50, 0}, 2.0, kPi / 2),
                               addReference(space, defId),
                               addReference(space, defId, {-20, 5, 3}, 0.5, kPi / 6)};
  std::vector<QvGeMatrix3d> transforms;
  for (const QvDbObjectId& id : refs) {
    QvDbObjectPointer<QvDbDgnReference> ref(id, QvDb::kForRead);
    transforms.push_back(ref->transform());
  }

  bool kept = true;
  ASSERT_TRUE(doDgnBind(defId, L"SITE", kept, false));
  EXPECT_FALSE(kept);
  const QvDbObjectId blockId = block(L"SITE");
  ASSERT_FALSE(blockId.isNull());
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(blockId, QvDb::kForRead);
    EXPECT_FALSE(record->isFromExternalReference());
    EXPECT_TRUE(record->pathName().isEmpty());
    EXPECT_EQ(record->entityIds().length(), 8);  // the converted contents of site.dgn
  }
  {
    QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForRead);
    EXPECT_TRUE(layers->has(L"SITE$0$Level 3"));
    EXPECT_FALSE(layers->has(L"SITE|Level 3"));
  }
  // Model space holds the three references of the block, in the underlays' order and with
  // their transforms; the underlays and their definition are gone.
  const QvDbObjectIdArray entities = entitiesOf(space);
  ASSERT_EQ(entities.length(), 3);
  for (int i = 0; i < entities.length(); ++i) {
    QvDbObjectPointer<QvDbBlockReference> ref(entities[i], QvDb::kForRead);
    ASSERT_TRUE(ref) << i;
    EXPECT_EQ(ref->blockTableRecord(), blockId);
    EXPECT_TRUE(ref->blockTransform().isEqualTo(transforms[i])) << i;
  }
  for (const QvDbObjectId& id : refs) EXPECT_TRUE(id.isErased());
  EXPECT_TRUE(defId.isErased());
  EXPECT_TRUE(tempFiles().empty());
}

TEST_F(DgnBindTest, ReplacementsLandWhereTheUnderlaysWereAndKeepTheirNormal) {
  const QvDbObjectId defId = addDefinition();
  const QvDbObjectId detail = addBlock(db(), L"Detail");
  const QvGeVector3d tilted = QvGeVector3d(0, 1, 1).normal();
  addReference(detail, defId, {1, 2, 3}, 1.0, 0.0, tilted);
  addReference(db()->modelSpaceId(), defId, {5, 5, 0});
  const QvDbObjectId placed = appendToModelSpace(db(), new QvDbBlockReference({0, 0, 0}, detail));

  bool kept = true;
  ASSERT_TRUE(doDgnBind(defId, L"SITE", kept, false));
  const QvDbObjectIdArray inDetail = entitiesOf(detail);
  ASSERT_EQ(inDetail.length(), 1);
  QvDbObjectPointer<QvDbBlockReference> first(inDetail[0], QvDb::kForRead);
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->normal().isEqualTo(tilted));
  EXPECT_EQ(first->position(), QvGePoint3d(1, 2, 3));
  first.close();
  // Model space: the reference of Detail and the second replacement.
  const QvDbObjectIdArray inModel = entitiesOf(db()->modelSpaceId());
  ASSERT_EQ(inModel.length(), 2);
  EXPECT_EQ(inModel[0], placed);
  QvDbObjectPointer<QvDbBlockReference> second(inModel[1], QvDb::kForRead);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->blockTableRecord(), block(L"SITE"));
}

TEST_F(DgnBindTest, AReferenceHeldOpenKeepsTheDefinitionAndItsReferences) {
  const QvDbObjectId defId = addDefinition();
  const QvDbObjectId a = addReference(db()->modelSpaceId(), defId);
  const QvDbObjectId b = addReference(db()->modelSpaceId(), defId, {9, 0, 0});
  bool kept = false;
  {
    QvDbObjectPointer<QvDbDgnReference> held(b, QvDb::kForWrite);
    ASSERT_TRUE(held);
    ASSERT_TRUE(doDgnBind(defId, L"SITE", kept, false));
  }
  EXPECT_TRUE(kept);
  EXPECT_FALSE(defId.isErased());
  EXPECT_FALSE(a.isErased());
  EXPECT_FALSE(b.isErased());
  EXPECT_FALSE(block(L"SITE").isNull());
  // The held reference does not read, so only the other one was replaced: both underlays and
  // one block reference.
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 3);
}

TEST_F(DgnBindTest, NothingIsBoundWithoutLiveReferencesOrAUsableName) {
  const QvDbObjectId defId = addDefinition();
  bool kept = true;
  EXPECT_FALSE(doDgnBind(defId, L"SITE", kept, false));  // no references at all
  const QvDbObjectId ref = addReference(db()->modelSpaceId(), defId);
  EXPECT_FALSE(doDgnBind(QvDbObjectId(), L"SITE", kept, false));
  EXPECT_FALSE(doDgnBind(defId, nullptr, kept, false));
  EXPECT_FALSE(doDgnBind(defId, L"BAD|NAME", kept, false));
  addBlock(db(), L"TAKEN");
  EXPECT_FALSE(doDgnBind(defId, L"TAKEN", kept, false));
  {
    QvDbObjectPointer<QvDbDgnDefinition> held(defId, QvDb::kForWrite);  // another caller's
    EXPECT_FALSE(doDgnBind(defId, L"SITE", kept, false));
  }
  ASSERT_EQ(eraseObject(ref), Vexa::eOk);
  EXPECT_FALSE(doDgnBind(defId, L"SITE", kept, false));  // its only reference erased
  EXPECT_TRUE(kept);                                     // never touched by a failed bind
  EXPECT_TRUE(block(L"SITE").isNull());
  EXPECT_FALSE(defId.isErased());
  EXPECT_TRUE(tempFiles().empty());
}

// A failure after the external reference was attached (in the attach, its bind, or while the
// other underlays are replaced) takes everything back: no block, no dependent or bound layers,
// the underlays and their definition as they were, no temporary file; a second try then binds.
TEST_F(DgnBindTest, AFailureWhileAttachingBindingOrReplacingLeavesTheDrawingAsItWas) {
  struct Fault {
    const char* point;
    int after;  // passes through the point that succeed first
    const wchar_t* block;
  };
  // Appends: the attached reference, then the second underlay's replacement; the third fails.
  const Fault faults[] = {{"QvDbDatabase::insert", 0, L"SITE_A"},
                          {"qvedXrefBind", 0, L"SITE_B"},
                          {"QvDbBlockTableRecord::appendQvDbEntity", 2, L"SITE_C"}};
  auto& injection = host().service<VexaFaultInjection>();
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.point);
    const QvDbObjectId defId = addDefinition();
    const QvDbObjectId space = db()->modelSpaceId();
    const QvDbObjectId refs[] = {addReference(space, defId, {100, 50, 0}, 2.0, kPi / 2),
                                 addReference(space, defId),
                                 addReference(space, defId, {-20, 5, 3}, 0.5, kPi / 6)};
    const QvDbObjectIdArray model = entitiesOf(space);
    const std::vector<std::wstring> blocks = recordNames(db()->blockTableId());
    const std::vector<std::wstring> layers = recordNames(db()->layerTableId());

    injection.arm(fault.point, 1, Vexa::eOutOfMemory, fault.after);
    bool kept = true;
    EXPECT_FALSE(doDgnBind(defId, fault.block, kept, false));
    EXPECT_EQ(injection.tripped(fault.point), 1);
    injection.disarm(fault.point);
    EXPECT_TRUE(kept);
    EXPECT_TRUE(block(fault.block).isNull());
    EXPECT_EQ(recordNames(db()->blockTableId()), blocks);
    EXPECT_EQ(recordNames(db()->layerTableId()), layers);
    EXPECT_EQ(entitiesOf(space), model);
    for (const QvDbObjectId& id : refs) EXPECT_FALSE(id.isErased());
    {
      QvDbObjectPointer<QvDbDgnDefinition> def(defId, QvDb::kForRead);
      ASSERT_TRUE(def);
      EXPECT_TRUE(def->isLoaded());
      EXPECT_EQ(def->reactors().length(), 3);
    }
    EXPECT_EQ(dgnKeys(), std::vector<std::wstring>{L"site - Default"});
    EXPECT_TRUE(tempFiles().empty());
    EXPECT_TRUE(nothingLeftOpen(db()));

    ASSERT_TRUE(doDgnBind(defId, fault.block, kept, false));
    EXPECT_FALSE(kept);
    const QvDbObjectIdArray after = entitiesOf(space);
    ASSERT_EQ(after.length(), model.length());
    for (int i = model.length() - 3; i < after.length(); ++i) {
      QvDbObjectPointer<QvDbBlockReference> ref(after[i], QvDb::kForRead);
      ASSERT_TRUE(ref) << i;
      EXPECT_EQ(ref->blockTableRecord(), block(fault.block));
    }
  }
}

// The DGN dictionary stays while it holds another definition and goes with its last one.
TEST_F(DgnBindTest, TheDgnDictionaryGoesWithItsLastDefinition) {
  const QvDbObjectId first = addDefinition(L"site - Default");
  const QvDbObjectId second = addDefinition(L"site copy");
  addReference(db()->modelSpaceId(), first);
  addReference(db()->modelSpaceId(), second, {200, 0, 0});
  const QvDbObjectId dictId = QvDbDgnUnderlayService().underlayDictionary(db());
  ASSERT_FALSE(dictId.isNull());

  bool kept = true;
  ASSERT_TRUE(doDgnBind(first, L"FIRST", kept, false));
  EXPECT_EQ(dgnKeys(), std::vector<std::wstring>{L"site copy"});
  EXPECT_EQ(QvDbDgnUnderlayService().underlayDictionary(db()), dictId);

  ASSERT_TRUE(doDgnBind(second, L"SECOND", kept, false));
  EXPECT_FALSE(kept);
  EXPECT_TRUE(QvDbDgnUnderlayService().underlayDictionary(db()).isNull());
  EXPECT_TRUE(dictId.isErased());
  {
    QvDbObjectPointer<QvDbDictionary> root(db()->namedObjectsDictionaryId(), QvDb::kForRead);
    EXPECT_FALSE(root->has(L"ACAD_DGNDEFINITIONS"));
  }
  // A later attach makes a dictionary again.
  const QvDbObjectId again = addDefinition(L"site again");
  EXPECT_FALSE(again.isNull());
  EXPECT_EQ(dgnKeys(), std::vector<std::wstring>{L"site again"});
}

TEST_F(DgnBindTest, AnExistingTemporaryNameIsLeftAloneAndTheNextOneUsed) {
  const std::string folder = host().service<VexaSessionTempFolder>().folder().utf8();
  std::ofstream(folder + "TarvoTempDgnXref1.dwg") << "someone else's";
  const QvDbObjectId defId = addDefinition();
  addReference(db()->modelSpaceId(), defId);
  bool kept = true;
  ASSERT_TRUE(doDgnBind(defId, L"SITE", kept, false));
  EXPECT_EQ(tempFiles(), std::vector<std::string>{"TarvoTempDgnXref1.dwg"});
  std::ifstream in(folder + "TarvoTempDgnXref1.dwg");
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "someone else's");
}

TEST_F(DgnBindTest, ATemporaryPathPastItsBufferFailsInsteadOfBeingCut) {
  const std::string base = testBinaryDir() + "/dgnbind-tmp";
  const std::string deep = base + "/" + std::string(240, 'd');
  std::filesystem::create_directories(deep);
  bool bound = true;
  std::string folder;
  {
    ScopedEnv tmp("TMPDIR", deep);
    const QvDbObjectId defId = addDefinition();
    addReference(db()->modelSpaceId(), defId);
    bool kept = true;
    bound = doDgnBind(defId, L"SITE", kept, false);
    folder = host().service<VexaSessionTempFolder>().folder().utf8();
  }
  EXPECT_FALSE(bound);
  EXPECT_GT(folder.size() + std::string("TarvoTempDgnXref1.dwg").size(), 259u);
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_TRUE(block(L"SITE").isNull());
  std::filesystem::remove_all(base);
}

TEST_F(DgnBindTest, ErasedOwnersAndOwnerLoopsMakeTheirObjectsErased) {
  EXPECT_TRUE(isEffectivelyErased(QvDbObjectId()));
  const QvDbObjectId inModel = appendToModelSpace(db(), new QvDbLine({0, 0, 0}, {1, 0, 0}));
  EXPECT_FALSE(isEffectivelyErased(inModel));
  const QvDbObjectId blockId = addBlock(db(), L"Gone");
  const QvDbObjectId inBlock = appendEntity(blockId, new QvDbLine({0, 0, 0}, {1, 0, 0}));
  EXPECT_FALSE(isEffectivelyErased(inBlock));
  ASSERT_EQ(eraseObject(blockId), Vexa::eOk);
  EXPECT_FALSE(inBlock.isErased());
  EXPECT_TRUE(isEffectivelyErased(inBlock));

  // A damaged drawing whose owner chain loops (a block owned by its own entity): erased.
  const QvDbObjectId a = addBlock(db(), L"A");
  const QvDbObjectId line = appendEntity(a, new QvDbLine({0, 0, 0}, {1, 0, 0}));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(a, QvDb::kForWrite);
    ASSERT_EQ(record->setOwnerId(line), Vexa::eOk);
  }
  EXPECT_TRUE(isEffectivelyErased(line));
}

}  // namespace
