// The host's own BLOCK, INSERT and EXPLODE commands, answered from the input script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/ed/qvedCommand.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/ScaleChecks.h"
#include "tests/support/SymbolRecords.h"

namespace {

using P = QvGePoint3d;
using testing::Contains;
using testing::HasSubstr;
constexpr double kPi = 3.14159265358979323846;

class BlockInsertExplodeTest : public HostFixture {
 protected:
  QvDbObjectId line(const P& a, const P& b) { return appendToModelSpace(db(), new QvDbLine(a, b)); }
  QvDbObjectId blockNamed(const wchar_t* name) { return recordNamed(db()->blockTableId(), name); }
  // The end points of the lines of a block (or a space), in order.
  std::vector<std::pair<P, P>> linesOf(QvDbObjectId blockId) {
    std::vector<std::pair<P, P>> out;
    for (const QvDbObjectId id : entitiesOf(blockId)) {
      QvDbObjectPointer<QvDbLine> l(id, QvDb::kForRead);
      if (l) out.emplace_back(l->startPoint(), l->endPoint());
    }
    return out;
  }
  // The live references of model space, in order.
  std::vector<QvDbObjectId> references() {
    std::vector<QvDbObjectId> out;
    for (const QvDbObjectId id : entitiesOf(db()->modelSpaceId()))
      if (id.objectClass()->isDerivedFrom(QvDbBlockReference::desc())) out.push_back(id);
    return out;
  }
  // The text and position of the only attribute of a reference.
  static std::pair<QvString, P> attributeOf(QvDbObjectId refId) {
    QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
    EXPECT_EQ(ref->numAttributes(), 1);
    std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
    QvDbObjectPointer<QvDbAttribute> attribute(it->objectId(), QvDb::kForRead);
    return {attribute->textString(), attribute->position()};
  }
  void setExplodable(const wchar_t* name, bool explodable) {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockNamed(name), QvDb::kForWrite);
    block->setExplodable(explodable);
  }
};

TEST_F(BlockInsertExplodeTest, BlockDefinesInTheUcsAndErasesTheSources) {
  const QvDbObjectId a = line(P(10, 0, 0), P(12, 0, 0));
  const QvDbObjectId b = line(P(10, 0, 0), P(10, 3, 0));
  // The UCS moved and turned: the block holds the lines as they are seen in it.
  EXPECT_EQ(run(L"UCS\nO\n10,0\nUCS\nZ\n90\nBLOCK\nPOST\n0,0\nALL\n\n").done, 3);
  const QvDbObjectId post = blockNamed(L"POST");
  ASSERT_FALSE(post.isNull());
  const auto lines = linesOf(post);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_POINT_NEAR(lines[0].second, P(0, -2, 0));
  EXPECT_POINT_NEAR(lines[1].second, P(3, 0, 0));
  EXPECT_TRUE(a.isErased());
  EXPECT_TRUE(b.isErased());

  // Declining the redefinition changes nothing; "_Y" redefines it.
  const QvDbObjectId c = line(P(10, 0, 0), P(10, 0, 5));
  EXPECT_EQ(run(L"BLOCK\nPOST\nN\n").done, 1);
  EXPECT_FALSE(c.isErased());
  EXPECT_EQ(linesOf(post).size(), 2u);
  EXPECT_EQ(run(L"BLOCK\nPOST\n_Y\n0,0\nL\n\n").done, 1);
  ASSERT_EQ(linesOf(post).size(), 1u);
  EXPECT_POINT_NEAR(linesOf(post)[0].second, P(0, 0, 5));
  EXPECT_TRUE(c.isErased());
}

TEST_F(BlockInsertExplodeTest, BlockRefusesWhatWouldLoseOrLoopData) {
  const QvDbObjectId kept = line(P(0, 0, 0), P(1, 0, 0));
  run(L"BLOCK\nA<B\n0,0\nALL\n\n");
  EXPECT_THAT(messages(), Contains(L"\n\"A<B\" is not a valid block name."));
  EXPECT_FALSE(kept.isErased());
  // A block is not redefined by a selection that references it, even through another block.
  run(L"BLOCK\nINNER\n0,0\nALL\n\nINSERT\nINNER\n0,0\n\n\n\nBLOCK\nOUTER\n0,0\nALL\n\n"
      L"INSERT\nOUTER\n5,0\n\n\n\n");
  const QvDbObjectId outer = references().at(0);
  run(L"BLOCK\nINNER\nY\n0,0\nALL\n\n");
  EXPECT_THAT(messages(), Contains(L"\nThe block would reference itself."));
  EXPECT_FALSE(outer.isErased());
  EXPECT_EQ(linesOf(blockNamed(L"INNER")).size(), 1u);
  // Entities on a locked layer are left out; with nothing left nothing is made.
  const QvDbObjectId layer =
      addLayer(db(), L"FIXED", [](QvDbLayerTableRecord& l) { l.setIsLocked(true); });
  QvDbLine* onLocked = new QvDbLine(P(0, 0, 0), P(0, 1, 0));
  onLocked->setLayer(layer);
  const QvDbObjectId locked = appendToModelSpace(db(), onLocked);
  run(L"BLOCK\nLOCKED\n0,0\nL\n\n");
  EXPECT_TRUE(blockNamed(L"LOCKED").isNull());
  EXPECT_FALSE(locked.isErased());
}

// A definition that refuses a copy part way changes nothing: the sources stay, a new block is
// not made and a redefined one keeps its contents.
TEST_F(BlockInsertExplodeTest, BlockThatCannotTakeACopyLosesNothing) {
  const QvDbObjectId a = line(P(0, 0, 0), P(1, 0, 0));
  const QvDbObjectId b = line(P(0, 0, 0), P(0, 1, 0));
  VexaFaultInjection& faults = host().service<VexaFaultInjection>();
  const char* kAppend = "QvDbBlockTableRecord::appendQvDbEntity";
  faults.arm(kAppend, 1, Vexa::eOutOfMemory, 1);  // the second copy is refused
  run(L"BLOCK\nPOST\n0,0\nALL\n\n");
  EXPECT_EQ(faults.tripped(kAppend), 1);
  EXPECT_THAT(messages(), Contains(L"\nThe block cannot take the selected objects."));
  EXPECT_TRUE(blockNamed(L"POST").isNull());
  EXPECT_FALSE(a.isErased());
  EXPECT_FALSE(b.isErased());

  run(L"BLOCK\nPOST\n0,0\nALL\n\n");
  ASSERT_EQ(linesOf(blockNamed(L"POST")).size(), 2u);
  const QvDbObjectId c = line(P(5, 0, 0), P(6, 0, 0));
  const QvDbObjectId d = line(P(5, 0, 0), P(5, 1, 0));
  faults.arm(kAppend, 1, Vexa::eOutOfMemory, 1);
  run(L"BLOCK\nPOST\nY\n0,0\nALL\n\n");
  EXPECT_EQ(faults.tripped(kAppend), 2);
  const auto kept = linesOf(blockNamed(L"POST"));
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_POINT_NEAR(kept[0].second, P(1, 0, 0));
  EXPECT_POINT_NEAR(kept[1].second, P(0, 1, 0));
  EXPECT_FALSE(c.isErased());
  EXPECT_FALSE(d.isErased());
}

TEST_F(BlockInsertExplodeTest, InsertPlacesFactorsPointAndRotationInTheUcs) {
  line(P(0, 0, 0), P(1, 0, 0));
  run(L"BLOCK\nBAR\n0,0\nALL\n\n");
  // Preset factors and a rotation in a turned UCS.
  EXPECT_EQ(run(L"UCS\nZ\n90\nINSERT\nBAR\n_X\n2\n_Y\n3\n_Z\n4\n5,1\n30\n").done, 2);
  QvDbObjectId placed = references().back();
  {
    QvDbObjectPointer<QvDbBlockReference> ref(placed, QvDb::kForRead);
    EXPECT_POINT_NEAR(ref->position(), P(-1, 5, 0));
    EXPECT_NEAR(ref->rotation(), 120 * kPi / 180, 1e-12);
    EXPECT_SCALE_NEAR(ref->scaleFactors(), QvGeScale3d(2, 3, 4), 1e-12);
  }
  // Asked after the point: X, then Y (Enter takes X), Z follows X.
  EXPECT_EQ(run(L"UCS\nW\nINSERT\nBAR\nScale\n0\n2\n7,7\n\n\n\n").done, 2);
  EXPECT_THAT(messages(), Contains(L"\nThe value must not be zero."));
  {
    QvDbObjectPointer<QvDbBlockReference> ref(references().back(), QvDb::kForRead);
    EXPECT_POINT_NEAR(ref->position(), P(7, 7, 0));
    EXPECT_EQ(ref->scaleFactors().sy, 2.0);
    EXPECT_EQ(ref->rotation(), 0.0);
  }
  EXPECT_EQ(run(L"INSERT\n1,1\n2\n-1\n\n").done, 0);  // "1,1" names no block
  EXPECT_THAT(messages(), Contains(L"\nBlock \"1,1\" not found."));
  EXPECT_EQ(run(L"INSERT\nBAR\n1,1\n2\n-1\n\n").done, 1);
  QvDbObjectPointer<QvDbBlockReference> ref(references().back(), QvDb::kForRead);
  // A mirror is kept (the block transform shows it on X), Z takes the X factor.
  EXPECT_EQ(ref->scaleFactors().sx * ref->scaleFactors().sy, -2.0);
  EXPECT_EQ(ref->scaleFactors().sz, 2.0);
}

TEST_F(BlockInsertExplodeTest, InsertAsksAttributesOnlyUnderAttreq) {
  const QvDbObjectId tag = addBlock(db(), L"TAG");
  appendEntity(tag, new QvDbAttributeDefinition(P(1, 0, 0), L"oak", L"KIND", L"Which tree"));
  run(L"INSERT\nTAG\n10,0\n2\n\n\nbirch\n");
  EXPECT_THAT(transcript().text().wstr(), HasSubstr(L"Which tree <oak>: birch"));
  EXPECT_EQ(attributeOf(references().back()).first, L"birch");
  EXPECT_POINT_NEAR(attributeOf(references().back()).second, P(12, 0, 0));
  ASSERT_EQ(setShortVar(L"ATTREQ", 0), kQvNormal);
  EXPECT_EQ(run(L"INSERT\nTAG\n0,0\n\n\n\n").done, 1);
  EXPECT_EQ(attributeOf(references().back()).first, L"oak");
}

TEST_F(BlockInsertExplodeTest, ExplodeHonoursExplmodeAndKeepsNestedAttributes) {
  // A reference with an attribute, made into a block, then inserted unevenly.
  const QvDbObjectId leaf = addBlock(db(), L"LEAF");
  appendEntity(leaf, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const QvDbObjectId inner = appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), leaf));
  ASSERT_FALSE(appendAttribute(inner, new QvDbAttribute(P(2, 0, 0), L"Rowan", L"NAME")).isNull());
  run(L"BLOCK\nWRAP\n0,0\nALL\n\nINSERT\nWRAP\n_X\n3\n0,0\n0\n");
  const QvDbObjectId wrap = references().back();
  ASSERT_EQ(setShortVar(L"EXPLMODE", 0), kQvNormal);
  EXPECT_EQ(run(L"EXPLODE\nL\n\n").done, 1);
  EXPECT_THAT(messages(), Contains(L"\n1 object could not be exploded."));
  EXPECT_FALSE(wrap.isErased());

  ASSERT_EQ(setShortVar(L"EXPLMODE", 1), kQvNormal);
  EXPECT_EQ(run(L"EXPLODE\nL\n\n").done, 1);
  EXPECT_TRUE(wrap.isErased());
  const std::vector<QvDbObjectId> refs = references();
  ASSERT_EQ(refs.size(), 1u);
  {
    QvDbObjectPointer<QvDbBlockReference> ref(refs[0], QvDb::kForRead);
    EXPECT_NEAR(ref->scaleFactors().sx, 3, 1e-12);
    EXPECT_NEAR(ref->scaleFactors().sy, 1, 1e-12);
  }
  EXPECT_EQ(attributeOf(refs[0]).first, L"Rowan");
  EXPECT_POINT_NEAR(attributeOf(refs[0]).second, P(6, 0, 0));
}

TEST_F(BlockInsertExplodeTest, SentExplodeTakesOneAnswerAndRefusesUnexplodableBlocks) {
  line(P(0, 0, 0), P(1, 0, 0));
  run(L"BLOCK\nSOLID\n0,0\nALL\n\nINSERT\nSOLID\n0,0\n\n\n\n");
  setExplodable(L"SOLID", false);
  int64_t last[2];
  ASSERT_EQ(qvdbEntLast(last), kQvNormal);
  // Sent from code, the selection ends after the entity: no "" is needed.
  EXPECT_EQ(qvedCommand(kRbString, L"_.EXPLODE", kRbEntityName, last, 0), kQvNormal);
  EXPECT_FALSE(references().at(0).isErased());
  setExplodable(L"SOLID", true);
  EXPECT_EQ(qvedCommand(kRbString, L"_.EXPLODE", kRbEntityName, last, 0), kQvNormal);
  EXPECT_TRUE(references().empty());
  EXPECT_EQ(linesOf(db()->modelSpaceId()).size(), 1u);
}

}  // namespace
