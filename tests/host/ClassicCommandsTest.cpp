// BCOUNT, BSCALE, CHLAYER and ANONBLOCK from a script; the host's own commands beside the
// module's of the same name.
#include <gtest/gtest.h>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"

namespace {

using P = QvGePoint3d;

class ClassicCommandsTest : public CommandModuleFixture {};

TEST_F(ClassicCommandsTest, CensusAndRescalingOfTheSelectedReferences) {
  const QvDbObjectId block = addBlock(db(), L"DOOR");
  appendEntity(block, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const QvDbObjectId a = appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), block));
  appendToModelSpace(db(), new QvDbBlockReference(P(5, 0, 0), block));
  appendToModelSpace(db(), new QvDbLine(P(0, 5, 0), P(1, 5, 0)));
  auto summary = run(L"BCOUNT\nALL\n\nBSCALE\nALL\n\nSet\n2\n3\n\n");
  EXPECT_EQ(summary.done, 2) << transcript();
  EXPECT_TRUE(contains("DOOR..........................2")) << transcript();
  {
    QvDbObjectPointer<QvDbBlockReference> ref(a, QvDb::kForRead);
    EXPECT_EQ(ref->scaleFactors().sx, 2.0);
    EXPECT_EQ(ref->scaleFactors().sy, 3.0);
    EXPECT_EQ(ref->scaleFactors().sz, 2.0);
  }
  summary = run(L"BSCALE\nALL\n\nSet\n0\n\n\n");
  EXPECT_EQ(summary.failed, 1) << transcript();  // a zero factor is refused
}

TEST_F(ClassicCommandsTest, TaggedReferencesAreRescaledQuietlyThroughTheHostsCommands) {
  const QvDbObjectId block = addBlock(db(), L"TREE");
  appendEntity(block, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const QvDbObjectId tree = appendToModelSpace(db(), new QvDbBlockReference(P(3, 3, 0), block));
  {
    QvDbObjectPointer<QvDbBlockReference> ref(tree, QvDb::kForWrite);
    auto* tag = new QvDbAttribute();
    tag->setTag(L"NAME");
    tag->setTextString(L"Oak");
    tag->setPosition(P(4, 3, 0));
    QvDbObjectId tagId;
    ASSERT_EQ(ref->appendAttribute(tagId, tag), Vexa::eOk);
    tag->close();
  }
  EXPECT_EQ(run(L"BSCALE\nALL\n\nMultiply\n2\n\n\n").done, 1) << transcript();
  EXPECT_FALSE(contains("_.BLOCK")) << transcript();  // CMDECHO is off meanwhile
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
  EXPECT_TRUE(contains("Block name: *Cancel*")) << transcript();  // the module's question
  EXPECT_TRUE(contains("Enter block name: PLAIN")) << transcript();
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
  EXPECT_TRUE(contains("1 object(s) moved to layer Kerb stones.")) << transcript();
  EXPECT_TRUE(contains("Anonymous block *U")) << transcript();
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
