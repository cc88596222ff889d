// BCOUNT, BSCALE, CHLAYER and ANONBLOCK from a script.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"

namespace {

using P = QvGePoint3d;

class ClassicCommandsTest : public CommandModuleFixture {
 protected:
  bool contains(const std::string& part) const {
    return transcript().find(part) != std::string::npos;
  }
};

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
