// The host's check of a new block reference: kept or not, multi-line attributes laid out.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/app/VexaAttributeSync.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

class AttributeSyncTest : public HostFixture {};

TEST_F(AttributeSyncTest, AReferenceIsKeptOnlyInADrawingWithItsDefinition) {
  const QvDbObjectId block = addBlock(db(), L"B");
  auto* ref = new QvDbBlockReference(QvGePoint3d(10, 0, 0), block);
  const QvDbObjectId refId = appendToModelSpace(db(), ref);
  auto* att = new QvDbAttribute(QvGePoint3d(10, 0, 0), L"x", L"NOTE");
  att->convertIntoMTextAttribute(true);
  {
    std::unique_ptr<QvDbMText> text(att->getMTextAttribute());
    text->setContents(L"a\\Pb");
    att->setMTextAttribute(text.get());
  }
  const QvDbObjectId attId = appendAttribute(refId, att);
  ASSERT_FALSE(attId.isNull());
  {
    QvDbObjectPointer<QvDbBlockReference> r(refId, QvDb::kForRead);
    EXPECT_EQ(UpdataBlkAttribute(r.object()), 0);
  }
  {
    QvDbObjectPointer<QvDbAttribute> a(attId, QvDb::kForRead);
    std::unique_ptr<QvDbMText> text(a->getMTextAttribute());
    EXPECT_EQ(text->contents(), QvString(L"a\\Pb"));
  }
  // Outside a drawing, or without a definition, the reference is not kept.
  QvDbBlockReference loose(QvGePoint3d(0, 0, 0), block);
  EXPECT_NE(UpdataBlkAttribute(&loose), 0);
  EXPECT_NE(UpdataBlkAttribute(nullptr), 0);
  ASSERT_EQ(eraseObject(block), Vexa::eOk);
  {
    QvDbObjectPointer<QvDbBlockReference> r(refId, QvDb::kForRead);
    EXPECT_NE(UpdataBlkAttribute(r.object()), 0);
  }
}

}  // namespace
