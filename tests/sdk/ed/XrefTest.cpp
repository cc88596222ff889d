// External references: a drawing file attached with its symbols as dependent records and bound
// into ordinary ones, and the refusals that leave the drawing as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/ed/qvedXref.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/SymbolRecords.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class XrefTest : public HostFixture {
 protected:
  // Gives `side` a line on layer "Walls" and a reference of block "Door" (a line on "0"); the
  // layer's and the block's ids.
  static std::pair<QvDbObjectId, QvDbObjectId> fillSideDrawing(QvDbDatabase& side) {
    const QvDbObjectId walls = addLayer(&side, L"Walls");
    auto* wall = new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0));
    wall->setLayer(walls);
    appendToModelSpace(&side, wall);
    const QvDbObjectId door = addBlock(&side, L"Door");
    appendEntity(door, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
    appendToModelSpace(&side, new QvDbBlockReference(QvGePoint3d(5, 0, 0), door));
    return {walls, door};
  }
  // That drawing saved as house.dxf; its path.
  std::string saveSideDrawing() {
    QvDbDatabase side(true, true);
    fillSideDrawing(side);
    const std::string path = folder_.path("house.dxf");
    EXPECT_EQ(side.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
    return path;
  }

  bool dependent(QvDbObjectId id) {
    QvDbObjectPointer<QvDbSymbolTableRecord> rec(id, QvDb::kForRead);
    return rec && rec->isDependent();
  }

  TempFolder folder_;
};

TEST_F(XrefTest, AttachMakesAnExternalBlockWithDependentSymbolsAndAReference) {
  const std::string path = saveSideDrawing();
  QvDbObjectId blockId;
  QvDbObjectId refId;
  const QvGePoint3d at(100, 50, 0);
  const QvGeScale3d scale(2.0);
  const double rotation = kPi / 2;
  ASSERT_EQ(qvedXrefAttach(QvString(path.c_str()).c_str(), L"HOUSE", &blockId, &refId, &at, &scale,
                           &rotation),
            Vexa::eOk);
  // The block's contents are checked with those of an attach from memory below.
  const QvDbObjectId walls = recordNamed(db()->layerTableId(), L"HOUSE|Walls");
  const QvDbObjectId door = recordNamed(db()->blockTableId(), L"HOUSE|Door");
  EXPECT_TRUE(dependent(walls));
  EXPECT_TRUE(dependent(door));
  EXPECT_TRUE(recordNamed(db()->layerTableId(), L"Walls").isNull());
  EXPECT_FALSE(dependent(recordNamed(db()->layerTableId(), L"0")));
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->ownerId(), db()->modelSpaceId());
    EXPECT_EQ(ref->blockTableRecord(), blockId);
    EXPECT_EQ(ref->position(), at);
    EXPECT_NEAR(ref->rotation(), rotation, 1e-12);
    EXPECT_NEAR(ref->scaleFactors().sx, 2.0, 1e-12);
  }

  // Bind: ordinary records named BLOCK$0$NAME, the flag and the path gone, ids kept.
  ASSERT_EQ(qvedXrefBind(L"HOUSE"), Vexa::eOk);
  EXPECT_EQ(recordNamed(db()->layerTableId(), L"HOUSE$0$Walls"), walls);
  EXPECT_EQ(recordNamed(db()->blockTableId(), L"HOUSE$0$Door"), door);
  EXPECT_FALSE(dependent(walls));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    EXPECT_FALSE(block->isFromExternalReference());
    EXPECT_TRUE(block->pathName().isEmpty());
  }
  EXPECT_EQ(qvedXrefBind(L"HOUSE"), Vexa::eNotApplicable);  // no longer a reference
}

TEST_F(XrefTest, BindTakesTheNextFreeNumberAndInsertBindTheOwnNames) {
  const std::string path = saveSideDrawing();
  addLayer(db(), L"A$0$Walls");
  ASSERT_EQ(qvedXrefAttach(QvString(path.c_str()).c_str(), L"A"), Vexa::eOk);
  ASSERT_EQ(qvedXrefBind(L"a"), Vexa::eOk);  // block names in any case
  EXPECT_FALSE(recordNamed(db()->layerTableId(), L"A$1$Walls").isNull());

  addLayer(db(), L"Walls");
  ASSERT_EQ(qvedXrefAttach(QvString(path.c_str()).c_str(), L"B"), Vexa::eOk);
  ASSERT_EQ(qvedXrefBind(L"B", true), Vexa::eOk);
  EXPECT_FALSE(recordNamed(db()->blockTableId(), L"Door").isNull());       // free: its own name
  EXPECT_FALSE(recordNamed(db()->layerTableId(), L"B$0$Walls").isNull());  // taken: numbered
}

TEST_F(XrefTest, RefusalsLeaveTheDrawingAsItWas) {
  const std::string path = saveSideDrawing();
  const QvString file(path.c_str());
  const int before = db()->numObjects();
  EXPECT_EQ(qvedXrefAttach(QvString(folder_.path("none.dxf").c_str()).c_str(), L"X"),
            Vexa::eFileNotFound);
  EXPECT_EQ(qvedXrefAttach(QvString(folder_.file("bad.dxf", "0\nNOPE\n").c_str()).c_str(), L"X"),
            Vexa::eBadDxfFile);
  EXPECT_EQ(qvedXrefAttach(file.c_str(), L"A|B"), Vexa::eInvalidSymbolName);
  EXPECT_EQ(qvedXrefAttach(nullptr, L"X"), Vexa::eNullPtr);
  addBlock(db(), L"Taken");
  const int withBlock = db()->numObjects();
  EXPECT_EQ(qvedXrefAttach(file.c_str(), L"Taken"), Vexa::eDuplicateKey);
  EXPECT_EQ(qvedXrefBind(L"Missing"), Vexa::eKeyNotFound);
  EXPECT_EQ(qvedXrefBind(L"Taken"), Vexa::eNotApplicable);
  EXPECT_EQ(db()->numObjects(), withBlock);
  EXPECT_GT(withBlock, before);
  EXPECT_TRUE(recordNamed(db()->layerTableId(), L"X|Walls").isNull());
}

TEST_F(XrefTest, ResolveReadsTheFilesAgainAndKeepsBlocksWhoseFileIsGone) {
  const std::string path = saveSideDrawing();
  const QvString file(path.c_str());
  QvDbObjectId house;
  ASSERT_EQ(qvedXrefAttach(file.c_str(), L"HOUSE", &house), Vexa::eOk);
  const QvString moved(folder_.path("moved.dxf").c_str());
  std::filesystem::copy_file(path, moved.utf8());
  QvDbObjectId gone;
  ASSERT_EQ(qvedXrefAttach(moved.c_str(), L"GONE", &gone), Vexa::eOk);
  std::filesystem::remove(moved.utf8());
  {
    // The file changes: a second wall on a new layer.
    QvDbDatabase side(false, true);
    ASSERT_EQ(side.readDwgFile(file.c_str()), Vexa::eOk);
    const QvDbObjectId roof = addLayer(&side, L"Roof");
    auto* line = new QvDbLine(QvGePoint3d(0, 5, 0), QvGePoint3d(10, 5, 0));
    line->setLayer(roof);
    appendToModelSpace(&side, line);
    ASSERT_EQ(side.saveAs(file.c_str(), false), Vexa::eOk);
  }
  const QvDbObjectId walls = recordNamed(db()->layerTableId(), L"HOUSE|Walls");
  EXPECT_EQ(qvdbResolveCurrentXRefs(db(), true, false), Vexa::eFileNotFound);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(house, QvDb::kForRead);
    EXPECT_EQ(block->entityIds().length(), 3);
    EXPECT_TRUE(block->isResolved());
    QvDbObjectPointer<QvDbBlockTableRecord> kept(gone, QvDb::kForRead);
    EXPECT_EQ(kept->entityIds().length(), 2);  // its file is gone: the contents stay
    EXPECT_FALSE(kept->isResolved());
  }
  EXPECT_EQ(recordNamed(db()->layerTableId(), L"HOUSE|Walls"), walls);  // the same record again
  EXPECT_TRUE(dependent(recordNamed(db()->layerTableId(), L"HOUSE|Roof")));
  // Only the unresolved one is tried again, and it is still missing.
  EXPECT_EQ(qvdbResolveCurrentXRefs(db(), true, true), Vexa::eFileNotFound);
}

// A drawing just saved is attached from memory: the same block, dependent records and reference
// as reading its file gives, the host's own records of the same names left alone and the saved
// drawing unchanged. Without a file behind it, it is refused.
TEST_F(XrefTest, AttachOfASavedDrawingTakesItsContentsFromMemory) {
  QvDbDatabase side(true, true);
  const auto [sideWalls, sideDoor] = fillSideDrawing(side);
  const std::string path = folder_.path("saved.dxf");
  const QvString file(path.c_str());
  EXPECT_EQ(qvedXrefAttachSaved(&side, L"EARLY"), Vexa::eFileNotFound);  // not saved yet
  ASSERT_EQ(side.saveAs(file.c_str()), Vexa::eOk);

  const QvDbObjectId hostWalls = addLayer(db(), L"Walls");
  QvDbObjectId fromMemory, refId, fromFile;
  const QvGePoint3d at(7, 8, 0);
  ASSERT_EQ(qvedXrefAttachSaved(&side, L"MEM", &fromMemory, &refId, &at), Vexa::eOk);
  ASSERT_EQ(qvedXrefAttach(file.c_str(), L"FILE", &fromFile), Vexa::eOk);

  // Both blocks: the wall on the dependent layer, the reference of the dependent door block.
  for (const auto& [prefix, blockId] :
       {std::pair<std::wstring, QvDbObjectId>{L"MEM", fromMemory}, {L"FILE", fromFile}}) {
    SCOPED_TRACE(prefix);
    const QvDbObjectId walls = recordNamed(db()->layerTableId(), (prefix + L"|Walls").c_str());
    const QvDbObjectId door = recordNamed(db()->blockTableId(), (prefix + L"|Door").c_str());
    EXPECT_TRUE(dependent(walls));
    EXPECT_TRUE(dependent(door));
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->isFromExternalReference());
    EXPECT_EQ(block->pathName(), file);
    const QvDbObjectIdArray ids = block->entityIds();
    ASSERT_EQ(ids.length(), 2);
    QvDbObjectPointer<QvDbLine> line(ids[0], QvDb::kForRead);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->layerId(), walls);
    QvDbObjectPointer<QvDbBlockReference> nested(ids[1], QvDb::kForRead);
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->blockTableRecord(), door);
  }
  EXPECT_FALSE(dependent(hostWalls));
  EXPECT_EQ(recordNamed(db()->layerTableId(), L"Walls"), hostWalls);
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->blockTableRecord(), fromMemory);
    EXPECT_EQ(ref->position(), at);
  }
  // The saved drawing keeps its own names.
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(sideWalls), QvString(L"Walls"));
  EXPECT_EQ(QvDbSymbolTableRecord::nameOf(sideDoor), QvString(L"Door"));

  const int before = db()->numObjects();
  EXPECT_EQ(qvedXrefAttachSaved(nullptr, L"X"), Vexa::eNullPtr);
  EXPECT_EQ(qvedXrefAttachSaved(db(), L"X"), Vexa::eInvalidInput);
  EXPECT_EQ(qvedXrefAttachSaved(&side, L"MEM"), Vexa::eDuplicateKey);
  std::filesystem::remove(path);
  EXPECT_EQ(qvedXrefAttachSaved(&side, L"X"), Vexa::eFileNotFound);
  EXPECT_EQ(db()->numObjects(), before);
  EXPECT_TRUE(nothingLeftOpen(&side));
}

}  // namespace
