// INSERTAT from a script: the reference it leaves, its attributes, arrays, the drag of its
// insertion point, and the refusals.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/render/QvGiDragFrames.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using P = QvGePoint3d;

class InsertAtCommandTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForWrite);
    auto* tree = new QvDbBlockTableRecord();
    tree->setName(L"Tree");
    QvDbObjectId treeId;
    ASSERT_EQ(table->add(treeId, tree), Vexa::eOk);
    auto* line = new QvDbLine(P(0, 0, 0), P(1, 0, 0));
    tree->appendQvDbEntity(line);
    line->close();
    auto* def = new QvDbAttributeDefinition();
    def->setTag(L"SPECIES");
    def->setTextString(L"oak");
    def->setPosition(P(0, -1, 0));
    def->setHeight(0.5);
    tree->appendQvDbEntity(def);
    def->close();
    tree->close();
  }
};

TEST_F(InsertAtCommandTest, InsertsWithScaleRotationAndAttributeAfterADrag) {
  const auto summary = run(L"INSERTAT\nTree\n~3,3\n~4,4\n10,5\n2\n\n\n90\n\n\nNo\nBirch\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("\"Tree\" inserted.")) << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
  QvDbObjectPointer<QvDbBlockReference> ref(modelSpace()[0], QvDb::kForRead);
  EXPECT_POINT_NEAR(ref->position(), P(10, 5, 0));
  EXPECT_DOUBLE_EQ(ref->scaleFactors().sy, 2);
  EXPECT_NEAR(ref->rotation(), M_PI / 2, 1e-12);
  std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
  QvDbObjectPointer<QvDbAttribute> attribute(it->objectId(), QvDb::kForRead);
  EXPECT_EQ(attribute->textString(), L"Birch");
  // The two cursor moves and the point given were drawn; nothing of the preview stayed.
  EXPECT_EQ(QvGiDragFrames::current()->frameCount(), 3);
}

TEST_F(InsertAtCommandTest, ArraysExplodingAndRefusals) {
  run(L"INSERTAT\nTree\n0,0\n1\n\n\n0\n2\n3\n5\n4\nSpruce\n");
  ASSERT_EQ(modelSpace().size(), 1u);
  {
    QvDbObjectPointer<QvDbMInsertBlock> array(modelSpace()[0], QvDb::kForRead);
    ASSERT_TRUE(array);
    EXPECT_EQ(array->rows(), 2);
    EXPECT_EQ(array->columns(), 3);
    EXPECT_DOUBLE_EQ(array->rowSpacing(), 5);
  }
  run(L"INSERTAT\nTree\n20,0\n1\n\n\n0\n\n\nYes\n\n");
  EXPECT_TRUE(contains("\"Tree\" inserted and exploded.")) << transcript();
  EXPECT_GT(modelSpace().size(), 2u);  // the array and the pieces of the exploded one

  const size_t before = modelSpace().size();
  EXPECT_EQ(run(L"INSERTAT\nNowhere\n").done, 1);
  EXPECT_TRUE(contains("There is no block \"Nowhere\".")) << transcript();
  run(L"INSERTAT\nTree\n0,0\n0\n^C\n");
  EXPECT_TRUE(contains("The value must not be zero.")) << transcript();
  EXPECT_EQ(run(L"INSERTAT\nTree\n~1,1\n").cancelled, 1);  // the script ends in the drag
  EXPECT_EQ(modelSpace().size(), before);
}

}  // namespace
