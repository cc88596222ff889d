// Attribute definitions and attributes, alone and owned by block references.
#include <gtest/gtest.h>

#include <memory>

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/sdk/db/DbTestHelpers.h"
#include "tests/sdk/db/EntityTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using QvGe::kHalfPi;
using Vexa::eOk;

QvDbAttributeDefinition definition() {
  QvDbAttributeDefinition def(QvGePoint3d(1, 0, 0), L"default", L"TAG", L"Give a value");
  def.setHeight(0.5);
  def.setVerifiable(true);
  def.setInvisible(true);
  return def;
}

class AttributeTest : public HostFixture {};

TEST_F(AttributeTest, AttributeTakesTheDefinitionThroughTheBlockTransform) {
  QvDbAttributeDefinition def = definition();
  EXPECT_EQ(def.setTag(L"TWO WORDS"), Vexa::eInvalidInput);  // tags are one word
  EXPECT_EQ(def.setTag(L""), Vexa::eInvalidInput);
  const QvGeMatrix3d blockTransform = QvGeMatrix3d::translation(QvGeVector3d(10, 10, 0)) *
                                      QvGeMatrix3d::rotation(kHalfPi, QvGeVector3d::kZAxis) *
                                      QvGeMatrix3d::scaling(2.0);
  QvDbAttribute attribute;
  ASSERT_EQ(attribute.setAttributeFromBlock(&def, blockTransform), eOk);
  EXPECT_EQ(attribute.tag(), QvString(L"TAG"));
  EXPECT_EQ(attribute.textString(), QvString(L"default"));
  EXPECT_TRUE(attribute.isVerifiable());
  EXPECT_TRUE(attribute.isInvisible());
  EXPECT_POINT_NEAR(attribute.position(), QvGePoint3d(10, 12, 0), 1e-12);
  EXPECT_NEAR(attribute.height(), 1.0, 1e-12);
  EXPECT_NEAR(attribute.rotation(), kHalfPi, 1e-12);
  EXPECT_EQ(attribute.setAttributeFromBlock(nullptr, blockTransform), Vexa::eNullPtr);
}

TEST_F(AttributeTest, HostErrorOnDemandComesAfterTheDataIsTaken) {
  const QvDbAttributeDefinition def = definition();
  auto& faults = host().service<VexaFaultInjection>();
  faults.arm("QvDbAttribute::setAttributeFromBlock");
  QvDbAttribute attribute;
  try {
    attribute.setAttributeFromBlock(&def, QvGeMatrix3d::translation(QvGeVector3d(0, 5, 0)));
    ADD_FAILURE() << "no host error";
  } catch (const Vexa::HostError& error) {
    EXPECT_EQ(error.status(), Vexa::eInvalidInput);
  }
  EXPECT_EQ(faults.tripped("QvDbAttribute::setAttributeFromBlock"), 1);
  EXPECT_EQ(attribute.tag(), QvString(L"TAG"));  // the attribute is still usable
  EXPECT_POINT_NEAR(attribute.position(), QvGePoint3d(1, 5, 0), 1e-12);
  // Armed once: the next call passes.
  EXPECT_EQ(attribute.setAttributeFromBlock(&def, QvGeMatrix3d::kIdentity), eOk);
}

TEST_F(AttributeTest, MultiLineAttributesHoldTheirValueInAMultiLineText) {
  QvDbAttribute attribute(QvGePoint3d(2, 2, 0), L"first", L"NOTE");
  EXPECT_FALSE(attribute.isMTextAttribute());
  EXPECT_EQ(attribute.getMTextAttribute(), nullptr);
  ASSERT_EQ(attribute.convertIntoMTextAttribute(), eOk);
  ASSERT_TRUE(attribute.isMTextAttribute());

  std::unique_ptr<QvDbMText> mtext(attribute.getMTextAttribute());
  ASSERT_NE(mtext, nullptr);
  EXPECT_EQ(mtext->contents(), QvString(L"first"));
  mtext->setContents(L"line one\\Pline two");
  ASSERT_EQ(attribute.setMTextAttribute(mtext.get()), eOk);
  EXPECT_EQ(attribute.textString(), QvString(L"line one\\Pline two"));
  // The attribute keeps its own copy.
  mtext->setContents(L"changed");
  std::unique_ptr<QvDbMText> held(attribute.getMTextAttribute());
  EXPECT_EQ(held->contents(), QvString(L"line one\\Pline two"));

  // Moved, then laid out again where it stands.
  attribute.setPosition(QvGePoint3d(20, 0, 0));
  ASSERT_EQ(attribute.updateMTextAttribute(), eOk);
  held.reset(attribute.getMTextAttribute());
  EXPECT_POINT_NEAR(held->location(), QvGePoint3d(20, 0, 0), 0);
  // A transform carries both.
  ASSERT_EQ(attribute.transformBy(QvGeMatrix3d::translation(QvGeVector3d(0, 1, 0))), eOk);
  held.reset(attribute.getMTextAttribute());
  EXPECT_POINT_NEAR(held->location(), QvGePoint3d(20, 1, 0), 1e-12);
  ASSERT_EQ(attribute.convertIntoMTextAttribute(false), eOk);
  EXPECT_EQ(attribute.textString(), QvString(L"line one"));
}

TEST_F(AttributeTest, ReferenceOwnsItsAttributesInMemoryThenInTheDatabase) {
  const QvDbObjectId block = addBlock(db(), L"TAGGED");
  auto* reference = new QvDbBlockReference(QvGePoint3d(), block);
  auto* a = new QvDbAttribute(QvGePoint3d(0, 1, 0), L"one", L"A");
  auto* b = new QvDbAttribute(QvGePoint3d(0, 2, 0), L"two", L"B");
  QvDbObjectId id;
  ASSERT_EQ(reference->appendAttribute(id, a), eOk);
  EXPECT_TRUE(id.isNull());  // no database yet
  ASSERT_EQ(reference->appendAttribute(b), eOk);
  {
    std::unique_ptr<QvDbObjectIterator> it(reference->attributeIterator());
    EXPECT_EQ(it->entity(), a);
    it->step();
    EXPECT_EQ(it->entity(), b);
    EXPECT_TRUE(it->seek(a));
    EXPECT_EQ(reference->numAttributes(), 2);
  }
  // In the drawing the attributes become objects of it, owned by the reference.
  const QvDbObjectId refId = appendToModelSpace(db(), reference);
  ASSERT_FALSE(refId.isNull());
  QvDbObjectIdArray attributeIds;
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    attributeIds = idsOf(ref->attributeIterator());
    ASSERT_EQ(attributeIds.length(), 2);
    std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
    EXPECT_EQ(it->entity(), nullptr);
    EXPECT_TRUE(it->seek(attributeIds[1]));
    EXPECT_EQ(it->objectId(), attributeIds[1]);
  }
  {
    QvDbObjectPointer<QvDbAttribute> attribute(attributeIds[1], QvDb::kForRead);
    ASSERT_TRUE(attribute);
    EXPECT_EQ(attribute->ownerId(), refId);
    EXPECT_EQ(attribute->textString(), QvString(L"two"));
  }
  // Moving the reference moves its attributes.
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForWrite);
    ASSERT_EQ(ref->transformBy(QvGeMatrix3d::translation(QvGeVector3d(5, 0, 0))), eOk);
  }
  {
    QvDbObjectPointer<QvDbAttribute> attribute(attributeIds[0], QvDb::kForRead);
    EXPECT_POINT_NEAR(attribute->position(), QvGePoint3d(5, 1, 0), 1e-12);
  }
  // A deep clone of the reference brings clones of its attributes; a plain clone copies them
  // into memory.
  QvDbIdMapping map;
  ASSERT_EQ(db()->deepCloneObjects(QvDbObjectIdArray{refId}, db()->modelSpaceId(), map), eOk);
  const QvDbObjectId cloneId = cloneOf(map, refId);
  {
    QvDbObjectPointer<QvDbBlockReference> clone(cloneId, QvDb::kForRead);
    const QvDbObjectIdArray clonedIds = idsOf(clone->attributeIterator());
    EXPECT_EQ(clonedIds.length(), 2);
    for (const QvDbObjectId& id : clonedIds) {
      EXPECT_FALSE(attributeIds.contains(id));
      QvDbObjectPointer<QvDbAttribute> attribute(id, QvDb::kForRead);
      ASSERT_TRUE(attribute);
      EXPECT_EQ(attribute->ownerId(), cloneId);
    }
    std::unique_ptr<QvDbBlockReference> copy(static_cast<QvDbBlockReference*>(clone->clone()));
    EXPECT_EQ(copy->numAttributes(), 2);
    std::unique_ptr<QvDbObjectIterator> copyIt(copy->attributeIterator());
    ASSERT_NE(QvDbAttribute::cast(copyIt->entity()), nullptr);
    EXPECT_EQ(QvDbAttribute::cast(copyIt->entity())->textString(), QvString(L"one"));
  }
  // An erased attribute is neither counted nor listed.
  ASSERT_EQ(eraseObject(attributeIds[1]), Vexa::eOk);
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    EXPECT_EQ(ref->numAttributes(), 1);
    EXPECT_EQ(idsOf(ref->attributeIterator()), QvDbObjectIdArray{attributeIds[0]});
  }
  // Erasing the reference erases its attributes.
  ASSERT_EQ(eraseObject(refId), Vexa::eOk);
  EXPECT_TRUE(attributeIds[0].isErased());
  EXPECT_TRUE(attributeIds[1].isErased());
}

}  // namespace
