// The insert command's scale stages (uniform blocks, Corner, XYZ, Z) and the name dialog for
// a file whose name is no block name.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/TempFolder.h"

namespace {

using P = QvGePoint3d;

class InsertStagesTest : public CommandModuleFixture {
 protected:
  void SetUp() override {
    CommandModuleFixture::SetUp();
    const QvDbObjectId post = addBlock(db(), L"post");
    appendEntity(post, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    const QvDbObjectId even = addBlock(db(), L"even");
    appendEntity(even, new QvDbLine(P(0, 0, 0), P(1, 1, 0)));
    QvDbObjectPointer<QvDbBlockTableRecord> block(even, QvDb::kForWrite);
    block->setBlockScaling(QvDb::kUniform);
  }
  QvGeScale3d lastScale() const {
    QvDbObjectPointer<QvDbBlockReference> r(modelSpace().back(), QvDb::kForRead);
    return r->scaleFactors();
  }
  bool hasBlock(const wchar_t* name) const {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    return table->has(name);
  }
  TempFolder folder;
};

TEST_F(InsertStagesTest, AUniformBlockAsksOneFactorAndTheFreeStagesFollowTheKeywords) {
  run(L"INSERT\neven\n0,0\n0\n-2\n0\n");
  // The uniform keyword list (no X, Y, Z), one factor, zero refused and asked again.
  EXPECT_TRUE(
      contains("[Basepoint/Scale/Rotation]: 0,0\nSpecify scale factor <1>: 0\nThe value must "
               "not be zero.\nSpecify scale factor <1>: -2"))
      << transcript();
  ASSERT_EQ(modelSpace().size(), 1u);
  EXPECT_EQ(lastScale(), QvGeScale3d(-2, -2, -2));  // a uniform block takes X on every axis

  // Corner: a point from the insertion point gives X and Y (Z takes X), no more questions.
  run(L"INSERT\npost\n0,0\nCorner\n3,4\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(3, 4, 3)) << transcript();
  // XYZ: X typed, then Y, then Z asked with the factors so far.
  run(L"INSERT\npost\n0,0\nXYZ\n2\n5\n-7\n0\n");
  EXPECT_TRUE(contains("Specify Z scale factor (X = 2.0000, Y = 5.0000) <2.0000>: -7"))
      << transcript();
  EXPECT_EQ(lastScale(), QvGeScale3d(2, 5, 7));
  // XYZ then Corner: the corner, then Z (Enter: the absolute X).
  run(L"INSERT\npost\n0,0\nXYZ\nC\n-3,2\n\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(-3, 2, 3)) << transcript();
  // The Xscale keyword at the point: X only, then no scale question.
  run(L"INSERT\npost\nX\n6\n1,1\n0\n");
  EXPECT_EQ(lastScale(), QvGeScale3d(6, 1, 1)) << transcript();
  EXPECT_EQ(modelSpace().size(), 5u);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(InsertStagesTest, AFileNameThatIsNoBlockNameIsNamedInTheDialog) {
  QvDbDatabase part(true, true);
  appendEntity(part.modelSpaceId(), new QvDbLine(P(0, 0, 0), P(3, 0, 0)));
  const std::string path = folder.path("gate;2.dxf");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  const std::wstring file = QvString(path.c_str()).wstr();
  // A bad name is refused in a box and asked again; a new name is taken at once.
  run(L"INSERT\n" + file + L"\nbad<name\ngate2\n0,0\n\n\n0\n");
  EXPECT_TRUE(contains("Invalid Block Name: The block name is not valid.")) << transcript();
  EXPECT_TRUE(hasBlock(L"gate2"));
  ASSERT_EQ(modelSpace().size(), 1u);
  // An existing name asks whether to redefine: No keeps the dialog open, Yes redefines.
  run(L"INSERT\n" + file + L"\npost\n\npost\ny\n0,0\n\n\n0\n");
  EXPECT_TRUE(contains("Redefine Block: A block named \"post\" already exists")) << transcript();
  EXPECT_TRUE(contains("Redefining block \"post\".")) << transcript();
  ASSERT_EQ(modelSpace().size(), 2u);
  // Cancel in the dialog, or FILEDIA 0: the name cannot be used.
  run(L"INSERT\n" + file + L"\n^C\n");
  setShortVar(L"FILEDIA", 0);
  run(L"INSERT\n" + file + L"\n");
  EXPECT_TRUE(contains("The block name cannot be used.")) << transcript();
  EXPECT_EQ(modelSpace().size(), 2u);
}

TEST_F(InsertStagesTest, AnAnnotativeFileAsksTheAnnotationScaleAndScalesUniformly) {
  QvDbDatabase part(true, true);
  appendEntity(part.modelSpaceId(), new QvDbLine(P(0, 0, 0), P(3, 0, 0)));
  part.setAnnotativeDwg(true);
  const std::string path = folder.path("tag.dxf");
  ASSERT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
  // A scale the list lacks is refused in a box; then 1:50 becomes current.
  run(L"INSERT\n" + QvString(path.c_str()).wstr() + L"\n1:3\n1:50\n0,0\n2\n0\n");
  EXPECT_TRUE(contains("Annotation scale <1:1>: 1:3")) << transcript();
  EXPECT_TRUE(contains("The drawing has no annotation scale \"1:3\"")) << transcript();
  EXPECT_EQ(db()->cannoscaleName(), QvString(L"1:50"));
  ASSERT_TRUE(hasBlock(L"tag"));
  {
    QvDbObjectPointer<QvDbBlockTable> table(db()->blockTableId(), QvDb::kForRead);
    QvDbObjectId id;
    table->getAt(L"tag", id);
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    EXPECT_EQ(block->blockScaling(), QvDb::kUniform);
  }
  // One factor only (the uniform question), and no array of it.
  EXPECT_TRUE(contains("Specify scale factor <1>: 2")) << transcript();
  run(L"MINSERT\ntag\n");
  EXPECT_TRUE(contains("An annotative block cannot be inserted as an array.")) << transcript();
  EXPECT_EQ(modelSpace().size(), 1u);
}

}  // namespace
