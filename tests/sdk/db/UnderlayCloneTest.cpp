// Underlay references cloned within a drawing and inserted with a drawing as a block.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/ge/QvGeScale3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/support/DbChecks.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/UnderlaySetup.h"

namespace {

using Vexa::eOk;

// A PDF reference of `defId` at `at`, scaled by 2 and turned by 0.5.
QvDbObjectId placeReference(QvDbDatabase* db, QvDbObjectId defId, const QvGePoint3d& at) {
  auto* ref = new QvDbPdfReference();
  ref->setDefinitionId(defId);
  ref->setPosition(at);
  ref->setScaleFactors(QvGeScale3d(2.0));
  ref->setRotation(0.5);
  return appendToModelSpace(db, ref);
}

class UnderlayCloneTest : public HostFixture {
 protected:
  QvDbObjectPointer<QvDbDictionary> pdfDictionary() {
    return {QvDbUnderlayDefinition::dictionaryId(db(), QvDbUnderlayFormat::kPdf), QvDb::kForRead};
  }
};

TEST_F(UnderlayCloneTest, ClonesShowTheSameDefinitionAndJoinItsReactors) {
  const QvDbObjectId def =
      addUnderlayDefinition<QvDbPdfDefinition>(db(), L"survey - Page 1", L"/nowhere/survey.pdf");
  const QvDbObjectId a = placeReference(db(), def, {1, 2, 0});
  const QvDbObjectId b = placeReference(db(), def, {5, 2, 0});

  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{a, b}, db()->modelSpaceId(), map), eOk);
  const QvDbObjectId ca = cloneOf(map, a), cb = cloneOf(map, b);
  ASSERT_FALSE(ca.isNull());
  EXPECT_NE(ca, a);
  EXPECT_EQ(reactorsOf(def), (std::vector<QvDbObjectId>{a, b, ca, cb}));
  {
    QvDbObjectPointer<QvDbPdfReference> copy(ca, QvDb::kForRead);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->definitionId(), def);
    EXPECT_TRUE(copy->position().isEqualTo(QvGePoint3d(1, 2, 0)));
    EXPECT_DOUBLE_EQ(copy->scaleFactors().sx, 2.0);
    EXPECT_DOUBLE_EQ(copy->rotation(), 0.5);
  }
  // The dictionary still holds the one definition.
  EXPECT_EQ(pdfDictionary()->numEntries(), 1);

  // An erased copy stays a reactor (it may come back), named as erased.
  ASSERT_EQ(eraseObject(cb), Vexa::eOk);
  EXPECT_EQ(reactorsOf(def), (std::vector<QvDbObjectId>{a, b, ca, cb}));
  EXPECT_TRUE(cb.isErased());
}

TEST_F(UnderlayCloneTest, ADrawingWithUnderlaysInsertedAsABlockBringsItsDefinition) {
  auto source = std::make_unique<QvDbDatabase>();
  const QvDbObjectId sourceDef = addUnderlayDefinition<QvDbPdfDefinition>(
      source.get(), L"survey - Page 1", L"/nowhere/survey.pdf");
  const QvDbObjectId sourceRef = placeReference(source.get(), sourceDef, {3, 4, 0});

  QvDbObjectId block;
  ASSERT_EQ(db()->insert(block, L"Survey", source.get()), eOk);
  const QvDbObjectIdArray contents = entitiesOf(block);
  ASSERT_EQ(contents.length(), 1);
  QvDbObjectId copiedDef;
  {
    QvDbObjectPointer<QvDbPdfReference> copy(contents[0], QvDb::kForRead);
    ASSERT_TRUE(copy);
    copiedDef = copy->definitionId();
    EXPECT_TRUE(copy->position().isEqualTo(QvGePoint3d(3, 4, 0)));
  }
  ASSERT_FALSE(copiedDef.isNull());
  EXPECT_EQ(copiedDef.database(), db());
  EXPECT_EQ(reactorsOf(copiedDef), (std::vector<QvDbObjectId>{contents[0]}));
  {
    QvDbObjectId found;
    EXPECT_EQ(pdfDictionary()->getAt(L"survey - Page 1", found), eOk);
    EXPECT_EQ(found, copiedDef);
    QvDbObjectPointer<QvDbPdfDefinition> def(copiedDef, QvDb::kForRead);
    EXPECT_EQ(def->getSourceFileName(), QvString(L"/nowhere/survey.pdf"));
  }
  // The source is as it was.
  EXPECT_EQ(reactorsOf(sourceDef), (std::vector<QvDbObjectId>{sourceRef}));
  EXPECT_TRUE(nothingLeftOpen(source.get()));

  // Again under another name: the definition now here is used.
  QvDbObjectId again;
  ASSERT_EQ(db()->insert(again, L"Survey again", source.get()), eOk);
  const QvDbObjectIdArray second = entitiesOf(again);
  ASSERT_EQ(second.length(), 1);
  EXPECT_EQ(reactorsOf(copiedDef), (std::vector<QvDbObjectId>{contents[0], second[0]}));

  // Another file under the same key: the definition comes along under a numbered key.
  auto other = std::make_unique<QvDbDatabase>();
  const QvDbObjectId otherDef = addUnderlayDefinition<QvDbPdfDefinition>(
      other.get(), L"survey - Page 1", L"/elsewhere/survey.pdf");
  placeReference(other.get(), otherDef, {0, 0, 0});
  QvDbObjectId third;
  ASSERT_EQ(db()->insert(third, L"Other survey", other.get()), eOk);
  QvDbObjectPointer<QvDbDictionary> dict = pdfDictionary();
  EXPECT_EQ(dict->numEntries(), 2);
  QvDbObjectId numbered;
  ASSERT_EQ(dict->getAt(L"survey - Page 1_1", numbered), eOk);
  QvDbObjectPointer<QvDbPdfReference> ref(entitiesOf(third).at(0), QvDb::kForRead);
  EXPECT_EQ(ref->definitionId(), numbered);
}

}  // namespace
