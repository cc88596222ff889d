// The annotative and paper-orientation settings of objects.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

class ObjectAnnotationTest : public HostFixture {
 protected:
};

TEST_F(ObjectAnnotationTest, SettingsGoThroughTheExtensions) {
  const QvDbObjectId id = addBlock(db(), L"Tag");
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    EXPECT_FALSE(IsObjectAnnotative(block.object()));
    EXPECT_FALSE(IsObjectPaperOrientation(block.object()));
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
    ASSERT_EQ(SetObjectPaperOrientation(block.object(), true), Vexa::eOk);
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForRead);
    EXPECT_TRUE(IsObjectAnnotative(block.object()));
    EXPECT_TRUE(IsObjectPaperOrientation(block.object()));
    // Already so: nothing is written, so a read open is enough.
    EXPECT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
    EXPECT_EQ(SetObjectPaperOrientation(block.object(), true), Vexa::eOk);
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(id, QvDb::kForWrite);
    ASSERT_EQ(SetObjectAnnotative(block.object(), false), Vexa::eOk);
    EXPECT_FALSE(IsObjectAnnotative(block.object()));
    EXPECT_TRUE(IsObjectPaperOrientation(block.object()));
  }
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(ObjectAnnotationTest, ObjectsWithoutTheExtensionsAndNull) {
  QvDbObjectPointer<QvDbLayerTable> layers(db()->layerTableId(), QvDb::kForWrite);
  EXPECT_FALSE(IsObjectAnnotative(layers.object()));
  EXPECT_FALSE(IsObjectPaperOrientation(layers.object()));
  EXPECT_EQ(SetObjectAnnotative(layers.object(), true), Vexa::eNotApplicable);
  EXPECT_EQ(SetObjectPaperOrientation(layers.object(), true), Vexa::eNotApplicable);
  EXPECT_FALSE(IsObjectAnnotative(nullptr));
  EXPECT_FALSE(IsObjectPaperOrientation(nullptr));
  EXPECT_EQ(SetObjectAnnotative(nullptr, true), Vexa::eNullPtr);
  EXPECT_EQ(SetObjectPaperOrientation(nullptr, false), Vexa::eNullPtr);
}

}  // namespace
