// BLOCK, BLOCKMOD, OOPS, BCOUNT, BSCALE, CHLAYER and ANONBLOCK from a script: the definitions
// they leave, what becomes of the sources, the refusals, and the host's own commands beside
// the module's of the same name.
#include <gtest/gtest.h>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"
#include "tests/support/PointChecks.h"

namespace {

using P = QvGePoint3d;

class BlockCommandTest : public CommandModuleFixture {
 protected:
  QvDbObjectIdArray contents(const wchar_t* name) { return entitiesOf(blockNamed(name)); }
  P startOf(QvDbObjectId id) {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
    return line ? line->startPoint() : P(-1, -1, -1);
  }
};

constexpr const wchar_t* kDoor = L"LINE\n10,10\n11,10\n\nLINE\n10,10\n10,12\n\n";

TEST_F(BlockCommandTest, BlockMakesADefinitionAtTheBasePointAndOopsBringsTheSourcesBack) {
  run(kDoor);
  const auto made = run(L"BLOCK\nDoor\nUnits\n4\nDescription\nfront door\n10,10\nALL\n\n");
  EXPECT_EQ(made.done, 1) << transcript();
  EXPECT_TRUE(contains("Block \"Door\" defined from 2 objects."));
  ASSERT_EQ(contents(L"Door").length(), 2);
  EXPECT_POINT_NEAR(startOf(contents(L"Door")[0]), P(0, 0, 0));
  EXPECT_TRUE(modelSpace().empty());
  EXPECT_EQ(run(L"OOPS\n").done, 1);
  EXPECT_EQ(modelSpace().size(), 2u);
  EXPECT_TRUE(contains("2 objects brought back."));
  run(L"OOPS\n");
  EXPECT_TRUE(contains("Nothing to bring back."));

  // Redefined from a moved copy, with a new base point through BLOCKMOD.
  run(L"BLOCK\nDoor\nYes\nKeep\nYes\n10,10\nALL\n\n");
  EXPECT_EQ(modelSpace().size(), 2u);  // kept
  EXPECT_EQ(run(L"BLOCKMOD\nDoor\n1,0\n").done, 1) << transcript();
  EXPECT_POINT_NEAR(startOf(contents(L"Door")[0]), P(-1, 0, 0));
}

TEST_F(BlockCommandTest, RefusalsSayWhyAndChangeNothing) {
  run(kDoor);
  run(L"BLOCK\nDoor\n10,10\nALL\n\nOOPS\n");
  // A reference of Door in model space: Door may not be remade from it.
  ASSERT_FALSE(
      appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), blockNamed(L"Door"))).isNull());
  run(L"BLOCK\nDoor\nYes\n0,0\nALL\n\n");
  EXPECT_TRUE(contains("a block cannot contain itself"));
  EXPECT_EQ(modelSpace().size(), 3u);
  EXPECT_EQ(run(L"BLOCK\nbad name?\n").done, 1);
  EXPECT_TRUE(contains("is not a valid block name"));
  run(L"BLOCK\n*Model_Space\n");
  EXPECT_TRUE(contains("is a layout or an external reference"));
  run(L"BLOCK\nDoor\nNo\n");
  EXPECT_EQ(contents(L"Door").length(), 2);
  run(L"BLOCK\nEmpty\n0,0\n\n");
  EXPECT_TRUE(contains("Nothing selected."));
  EXPECT_TRUE(contents(L"Empty").isEmpty());
  EXPECT_EQ(run(L"BLOCK\nCut\n0,0\n^C\n").cancelled, 1);
  run(L"BLOCKMOD\nNowhere\n");
  EXPECT_TRUE(contains("There is no block \"Nowhere\" to change."));
  EXPECT_EQ(modelSpace().size(), 3u);
}

class ClassicCommandsTest : public CommandModuleFixture {};

TEST_F(ClassicCommandsTest, CensusAndRescalingOfTheSelectedReferences) {
  const QvDbObjectId block = addBlock(db(), L"DOOR");
  appendEntity(block, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const QvDbObjectId a = appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), block));
  appendToModelSpace(db(), new QvDbBlockReference(P(5, 0, 0), block));
  appendToModelSpace(db(), new QvDbLine(P(0, 5, 0), P(1, 5, 0)));
  auto summary = run(L"BCOUNT\nALL\n\nBSCALE\nALL\n\nSet\n2\n3\n\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains("DOOR..........................2"));
  EXPECT_EQ(QvDbObjectPointer<QvDbBlockReference>(a, QvDb::kForRead)->scaleFactors(),
            QvGeScale3d(2, 3, 2));
  summary = run(L"BSCALE\nALL\n\nSet\n0\n\n\n");
  EXPECT_EQ(summary.failed, 1) << transcript();  // a zero factor is refused
}

TEST_F(ClassicCommandsTest, TaggedReferencesAreRescaledQuietlyThroughTheHostsCommands) {
  const QvDbObjectId block = addBlock(db(), L"TREE");
  appendEntity(block, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const QvDbObjectId tree = appendToModelSpace(db(), new QvDbBlockReference(P(3, 3, 0), block));
  ASSERT_FALSE(appendAttribute(tree, new QvDbAttribute(P(4, 3, 0), L"Oak", L"NAME")).isNull());
  EXPECT_EQ(run(L"BSCALE\nALL\n\nMultiply\n2\n\n\n").done, 1) << transcript();
  EXPECT_FALSE(contains("_.BLOCK"));  // CMDECHO is off meanwhile
  EXPECT_EQ(shortVar(L"CMDECHO"), 1);
  const std::vector<QvDbObjectId> ids = modelSpace();
  ASSERT_EQ(ids.size(), 1u);
  QvDbObjectPointer<QvDbBlockReference> ref(ids[0], QvDb::kForRead);
  ASSERT_EQ(ref.openStatus(), Vexa::eOk);
  EXPECT_EQ(ref->scaleFactors().sx, 2.0);
  EXPECT_EQ(ref->numAttributes(), 1);
}

TEST_F(ClassicCommandsTest, ADotReachesTheHostsBlockBesideTheModulesBlock) {
  appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  run(L"BLOCK\n^C\n._BLOCK\nPLAIN\n0,0\nALL\n\n.INSERT\nPLAIN\n2,0\n\n\n\n_.EXPLODE\nL\n\n");
  EXPECT_TRUE(contains("Block name: *Cancel*"));  // the module's question
  EXPECT_TRUE(contains("Enter block name: PLAIN"));
  const std::vector<QvDbObjectId> ids = modelSpace();
  ASSERT_EQ(ids.size(), 1u) << transcript();
  QvDbObjectPointer<QvDbLine> line(ids[0], QvDb::kForRead);
  ASSERT_EQ(line.openStatus(), Vexa::eOk);
  EXPECT_EQ(line->startPoint(), P(2, 0, 0));
}

TEST_F(ClassicCommandsTest, LayersChangeAndAnonymousBlocksAreMade) {
  const QvDbObjectId line = appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(4, 0, 0)));
  auto summary = run(L"CHLAYER\nALL\n\nKerb stones\nANONBLOCK\nALL\n\n2,0\n10,10\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains({"1 object(s) moved to layer Kerb stones.", "Anonymous block *U"}));
  {
    QvDbObjectPointer<QvDbLine> moved(line, QvDb::kForRead);
    EXPECT_EQ(moved->layer(), L"Kerb stones");
  }
  const std::vector<QvDbObjectId> ids = modelSpace();
  ASSERT_EQ(ids.size(), 2u);
  QvDbObjectPointer<QvDbBlockReference> ref(ids[1], QvDb::kForRead);
  ASSERT_EQ(ref.openStatus(), Vexa::eOk);
  EXPECT_EQ(ref->position(), P(10, 10, 0));
  summary = run(L"CHLAYER\nALL\n\nbad<name\n");
  EXPECT_EQ(summary.failed, 1) << transcript();
}

}  // namespace
