// CreateBlock and ModifyBlock: contents, order, placement, settings, what becomes of the
// sources, redefinitions, and the refusals that leave the drawing as it was.
#include <gtest/gtest.h>

#include "sdk/app/VexaDocContext.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSmartBlockGlobals.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaPickfirstProcessor.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedUcs.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "xqcmdutil/CreateBlockData.h"
#include "xqcmdutil/XqBlockDefinition.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

using P = QvGePoint3d;

class CreateBlockTest : public HostFixture {
 protected:
  void TearDown() override {
    EXPECT_EQ(vexaGetPickfirstProc()->suspendCount(), 0);
    HostFixture::TearDown();
  }
  CreateBlockData request(const wchar_t* name, std::initializer_list<QvDbObjectId> ids,
                          const P& base = P(0, 0, 0)) {
    CreateBlockData data;
    data.setData(name, QvArray<QvDbObjectId>(ids), base);
    return data;
  }
  QvDbObjectId lockedLine() {
    const QvDbObjectId layer =
        addLayer(db(), L"L", [](QvDbLayerTableRecord& l) { l.setIsLocked(true); });
    return addLine(db(), P(0, 0, 0), P(3, 0, 0), layer);
  }
  VexaBuildInCommandContext context;
};

TEST_F(CreateBlockTest, SourcesGoInDrawOrderWithAttributeDefinitionsLastAndAreErased) {
  const QvDbObjectId a = addLine(db(), P(0, 0, 0), P(1, 0, 0));
  const QvDbObjectId b = addLine(db(), P(0, 0, 0), P(2, 0, 0));
  const QvDbObjectId tag = addAttDef(db()->modelSpaceId(), L"TAG", L"x", P(0, 1, 0));
  const QvDbObjectId locked = lockedLine();
  {  // b is sent below a: drawn first.
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    QvDbSortentsTable* order = nullptr;
    ASSERT_EQ(space->getSortentsTable(order, QvDb::kForWrite, true), Vexa::eOk);
    order->moveToBottom(QvDbObjectIdArray{b});
    order->close();
  }
  // A leftover of an earlier command goes from the removed-objects list.
  GetVexaAppCtxActiveDocData()->removedObjects.append(db()->layerTableId());

  const QvDbObjectId block = CreateBlock(&context, request(L"Door", {tag, a, locked, b}));
  ASSERT_FALSE(block.isNull());
  const QvDbObjectIdArray contents = entitiesOf(block);
  ASSERT_EQ(contents.length(), 4);
  EXPECT_POINT_NEAR(lineEnds(contents[0])[1], P(2, 0, 0));
  EXPECT_POINT_NEAR(lineEnds(contents[1])[1], P(1, 0, 0));
  EXPECT_POINT_NEAR(lineEnds(contents[2])[1], P(3, 0, 0));
  EXPECT_TRUE(QvDbAttributeDefinition::cast(
      QvDbObjectPointer<QvDbObject>(contents[3], QvDb::kForRead).object()));

  EXPECT_TRUE(a.isErased() && b.isErased() && tag.isErased());
  EXPECT_FALSE(locked.isErased());
  const QvDbObjectIdArray& removed = GetVexaAppCtxActiveDocData()->removedObjects;
  EXPECT_EQ(removed.length(), 3);
  EXPECT_FALSE(removed.contains(locked));
  EXPECT_FALSE(removed.contains(db()->layerTableId()));
  EXPECT_EQ(GetVexaAppCtxActiveDocContext()->oopsEnts().length(), 3);
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"Door");
}

TEST_F(CreateBlockTest, SourcesAllOnLockedLayersLeaveNoIdsOfAnEarlierCommand) {
  const QvDbObjectId locked = lockedLine();
  GetVexaAppCtxActiveDocData()->removedObjects.append(db()->layerTableId());
  GetVexaAppCtxActiveDocContext()->appendOopsEntity(db()->layerTableId());
  ASSERT_FALSE(CreateBlock(&context, request(L"Locked", {locked})).isNull());
  EXPECT_FALSE(locked.isErased());
  EXPECT_TRUE(GetVexaAppCtxActiveDocData()->removedObjects.isEmpty());
  EXPECT_TRUE(GetVexaAppCtxActiveDocContext()->oopsEnts().isEmpty());
}

TEST_F(CreateBlockTest, TheBasePointInARotatedUcsBecomesTheOriginInUcsAxes) {
  // UCS turned 90 degrees about Z, origin (10, 0, 0): UCS (1, 0) is world (10, 1).
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(P(10, 0, 0), QvGeVector3d::kYAxis, -QvGeVector3d::kXAxis,
                     QvGeVector3d::kZAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  const QvDbObjectId line = addLine(db(), P(10, 1, 0), P(10, 2, 0));
  CreateBlockData data = request(L"Rot", {line}, P(1, 0, 0));
  data.setCompletionRequest(2);
  const QvDbObjectId block = CreateBlock(&context, data);
  ASSERT_FALSE(block.isNull());
  const std::vector<P> ends = lineEnds(entitiesOf(block)[0]);
  EXPECT_POINT_NEAR(ends[0], P(0, 0, 0));
  EXPECT_POINT_NEAR(ends[1], P(1, 0, 0));
  EXPECT_FALSE(line.isErased());  // kept
  EXPECT_TRUE(GetVexaAppCtxActiveDocData()->removedObjects.isEmpty());
}

TEST_F(CreateBlockTest, SettingsAndTheUnitsRule) {
  ASSERT_EQ(setShortVar(L"INSUNITS", 1), kQvNormal);
  struct Case {
    int index;
    int units;
  } cases[] = {{-1, 1}, {4, 4}, {30, 1}, {0, 0}};
  int n = 0;
  for (const Case& c : cases) {
    const QvString name = QvString::format(L"U%d", n++);
    CreateBlockData data = request(name.c_str(), {addLine(db(), P(0, 0, 0), P(1, 1, 0))});
    data.setSelectedUnitsIndex(c.index);
    data.setScaleUniformly(true);
    data.setAllowExploding(false);
    data.setDescription(L"a door");
    const QvDbObjectId block = CreateBlock(&context, data);
    ASSERT_FALSE(block.isNull());
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
    EXPECT_EQ(record->blockInsertUnits(), c.units) << "index " << c.index;
    EXPECT_EQ(record->blockScaling(), QvDb::kUniform);
    EXPECT_FALSE(record->explodable());
    EXPECT_EQ(record->comments(), L"a door");
  }
}

TEST_F(CreateBlockTest, RedefiningKeepsTheIdAndResetsDynamicReferences) {
  const QvDbObjectId door = addBlock(db(), L"Door");
  const QvDbObjectId old = appendEntity(door, new QvDbLine(P(0, 0, 0), P(9, 9, 0)));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForWrite);
    QvDbObjectId graph;
    ASSERT_EQ(QvDbEvalGraph::createGraph(record.object(), graph), Vexa::eOk);
  }
  QvDbObjectId rep;
  ASSERT_EQ(QvDbSmartBlockGlobals::createAnonymousRepresentation(door, rep), Vexa::eOk);
  const QvDbObjectId varied = addRef(db()->modelSpaceId(), rep, P(5, 5, 0));

  const QvDbObjectId line = addLine(db(), P(0, 0, 0), P(4, 0, 0));
  EXPECT_EQ(CreateBlock(&context, request(L"Door", {line})), door);
  EXPECT_TRUE(old.isErased());
  ASSERT_EQ(entitiesOf(door).length(), 1);
  EXPECT_POINT_NEAR(lineEnds(entitiesOf(door)[0])[1], P(4, 0, 0));
  // The varied reference shows the definition again, which is no dynamic block any more.
  {
    QvDbObjectPointer<QvDbBlockReference> ref(varied, QvDb::kForRead);
    EXPECT_EQ(ref->blockTableRecord(), door);
  }
  EXPECT_FALSE(QvDbDynBlockReference::isDynamicBlock(door));
  const QvDbBlockUpdateLog* log = QvDbBlockUpdateLog::current();
  EXPECT_EQ(log->count(QvDbBlockUpdateLog::Entry::Kind::kNotifyUndo), 1);
  EXPECT_EQ(log->count(QvDbBlockUpdateLog::Entry::Kind::kUpdateDefinition), 1);
}

TEST_F(CreateBlockTest, RefusalsChangeNothing) {
  const QvDbObjectId line = addLine(db(), P(0, 0, 0), P(1, 0, 0));
  const QvDbObjectId inner = addBlock(db(), L"Inner");
  const QvDbObjectId xref = addRecord<QvDbBlockTable, QvDbBlockTableRecord>(
      db(), L"Site", [](QvDbBlockTableRecord& r) { r.setExternalReference(true, false); });
  appendEntity(inner, new QvDbLine(P(0, 0, 0), P(1, 1, 0)));
  const QvDbObjectId innerRef = addRef(db()->modelSpaceId(), inner, P(0, 0, 0));
  const auto blockCount = [&] {
    return QvDbObjectPointer<QvDbBlockTable>(db()->blockTableId(), QvDb::kForRead)->numRecords();
  };
  const int blocks = blockCount();
  const int model = entitiesOf(db()->modelSpaceId()).length();

  EXPECT_TRUE(CreateBlock(nullptr, request(L"B", {line})).isNull());
  EXPECT_TRUE(CreateBlock(&context, request(L"", {line})).isNull());  // no nameless record
  EXPECT_TRUE(CreateBlock(&context, request(L"*Model_Space", {line})).isNull());
  EXPECT_TRUE(CreateBlock(&context, request(L"Site", {line})).isNull());
  EXPECT_TRUE(CreateBlock(&context, request(L"inner", {innerRef})).isNull());  // itself
  EXPECT_EQ(blockCount(), blocks);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), model);
  EXPECT_FALSE(line.isErased());
  EXPECT_EQ(entitiesOf(inner).length(), 1);
  EXPECT_TRUE(entitiesOf(xref).isEmpty());

  // A failed clone on a redefinition keeps the old contents and the sources.
  host().service<VexaFaultInjection>().arm("QvDbDatabase::deepCloneObjects", 1, Vexa::eOutOfMemory);
  EXPECT_TRUE(CreateBlock(&context, request(L"Inner", {line})).isNull());
  ASSERT_EQ(entitiesOf(inner).length(), 1);
  EXPECT_POINT_NEAR(lineEnds(entitiesOf(inner)[0])[1], P(1, 1, 0));
  EXPECT_FALSE(line.isErased());
}

TEST_F(CreateBlockTest, AnAnnotativeReferenceIsReplacedByItsContentsAndFollowsTheKeepRule) {
  const QvDbObjectId sign = addBlock(db(), L"Sign");
  appendEntity(sign, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  auto annotativeRef = [&](const P& at) {
    const QvDbObjectId ref = addRef(db()->modelSpaceId(), sign, at);
    QvDbObjectPointer<QvDbEntity> opened(ref, QvDb::kForWrite);
    EXPECT_EQ(SetObjectAnnotative(opened.object(), true), Vexa::eOk);
    return ref;
  };
  const int model = entitiesOf(db()->modelSpaceId()).length();
  const QvDbObjectId kept = annotativeRef(P(5, 0, 0));
  CreateBlockData data = request(L"Kept", {kept});
  data.setAnnotative(true);
  data.setCompletionRequest(2);
  const QvDbObjectId block = CreateBlock(&context, data);
  ASSERT_FALSE(block.isNull());
  ASSERT_EQ(entitiesOf(block).length(), 1);
  EXPECT_POINT_NEAR(lineEnds(entitiesOf(block)[0])[0], P(5, 0, 0));
  EXPECT_FALSE(kept.isErased());
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), model + 1);

  const QvDbObjectId gone = annotativeRef(P(7, 0, 0));
  data = request(L"Gone", {gone});
  data.setAnnotative(true);
  ASSERT_FALSE(CreateBlock(&context, data).isNull());
  EXPECT_TRUE(gone.isErased());
  EXPECT_TRUE(GetVexaAppCtxActiveDocData()->removedObjects.contains(gone));
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), model + 1);
  QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForRead);
  EXPECT_EQ(record->blockScaling(), QvDb::kUniform);
}

TEST_F(CreateBlockTest, AnAnnotativeBlockTakesTheCurrentAnnotationScale) {
  struct Case {
    const wchar_t* name;
    const wchar_t* scale;
    bool annotative;
    double end;  // of a line four units long from the base point
  };
  const Case cases[] = {
      {L"Quarter", L"1:4", true, 1},
      {L"Double", L"2:1", true, 8},
      {L"Plain", L"1:4", false, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QvString(c.name).utf8());
    ASSERT_EQ(vars().set(L"CANNOSCALE", VexaSysVarValue::ofText(c.scale)), VexaSysVarResult::kOk);
    const QvDbObjectId line = addLine(db(), P(2, 0, 0), P(6, 0, 0));
    CreateBlockData data = request(c.name, {line}, P(2, 0, 0));
    data.setAnnotative(c.annotative);
    const QvDbObjectId block = CreateBlock(&context, data);
    ASSERT_FALSE(block.isNull());
    const std::vector<P> ends = lineEnds(entitiesOf(block)[0]);
    EXPECT_POINT_NEAR(ends[0], P(0, 0, 0));
    EXPECT_POINT_NEAR(ends[1], P(c.end, 0, 0));
  }
}

TEST_F(CreateBlockTest, NestingIsFoundThroughReferencesDimensionsAndCyclesEnd) {
  const QvDbObjectId a = addBlock(db(), L"A");
  const QvDbObjectId b = addBlock(db(), L"B");
  const QvDbObjectId c = addBlock(db(), L"C");
  addRef(b, a, P(0, 0, 0));
  addRef(c, b, P(0, 0, 0));
  addRef(c, b, P(1, 0, 0));  // diamond-like: B twice
  EXPECT_EQ(hasNestedBlockName(a, L"a"), 1);
  EXPECT_EQ(hasNestedBlockName(c, L"A"), 1);
  EXPECT_EQ(hasNestedBlockName(a, L"C"), 0);
  EXPECT_EQ(hasNestedBlockName(QvDbObjectId(), L"A"), 0);
  // A damaged drawing: A holds C, which holds A.
  addRef(a, c, P(0, 0, 0));
  EXPECT_EQ(hasNestedBlockName(c, L"Nowhere"), 0);

  const QvDbObjectId refOfC = addRef(db()->modelSpaceId(), c, P(0, 0, 0));
  EXPECT_EQ(ContainBlockNameInObjArray({db()->layerTableId()}, L"A"), 0);
  EXPECT_EQ(ContainBlockNameInObjArray({db()->layerTableId(), refOfC}, L"B"), 1);
  EXPECT_EQ(ContainBlockNameInObjArray(QvArray<QvDbObjectId>(), L"B"), 0);
  // Lines before and after do not hide a dimension that shows C, nor C itself.
  QvArray<QvDbObjectId> mixed;
  for (int i = 0; i < 3; ++i) mixed.append(addLine(db(), P(0, i, 0), P(1, i, 0)));
  auto* dim = new QvDbRotatedDimension(0.0, P(0, 0, 0), P(1, 0, 0), P(0, 1, 0));
  const QvDbObjectId dimId = appendToModelSpace(db(), dim);
  {
    QvDbObjectPointer<QvDbRotatedDimension> open(dimId, QvDb::kForWrite);
    ASSERT_EQ(open->setDimBlockId(c), Vexa::eOk);
  }
  EXPECT_EQ(ContainBlockNameInObjArray(mixed, L"A"), 0);
  mixed.append(dimId);
  mixed.append(addLine(db(), P(0, 5, 0), P(1, 5, 0)));
  EXPECT_EQ(ContainBlockNameInObjArray(mixed, L"A"), 1);
  EXPECT_EQ(ContainBlockNameInObjArray(mixed, L"Nowhere"), 0);
  EXPECT_EQ(ContainBlockNameInObjArray({mixed[0], b}, L"A"), 1);
  EXPECT_TRUE(IsBlockAlreadyExist(db(), L"b"));
  EXPECT_FALSE(IsBlockAlreadyExist(db(), L""));
  EXPECT_FALSE(IsBlockAlreadyExist(nullptr, L"B"));
}

TEST_F(CreateBlockTest, ModifyBlockMovesItsOwnObjectsAndChangesSettings) {
  const QvDbObjectId door = addBlock(db(), L"Door");
  const QvDbObjectId inside = appendEntity(door, new QvDbLine(P(2, 0, 0), P(3, 0, 0)));
  const QvDbObjectId outside = addLine(db(), P(2, 0, 0), P(3, 0, 0));
  CreateBlockData data = request(L"Door", {inside, outside}, P(2, 0, 0));
  data.setSelectedUnitsIndex(6);
  data.setDescription(L"moved");
  EXPECT_EQ(ModifyBlock(&context, data), door);
  EXPECT_POINT_NEAR(lineEnds(inside)[0], P(0, 0, 0));
  EXPECT_POINT_NEAR(lineEnds(outside)[0], P(2, 0, 0));  // not of the block: left alone
  {
    QvDbObjectPointer<QvDbBlockTableRecord> record(door, QvDb::kForRead);
    EXPECT_EQ(record->blockInsertUnits(), 6);
    EXPECT_EQ(record->comments(), L"moved");
  }
  EXPECT_TRUE(ModifyBlock(&context, request(L"Nowhere", {})).isNull());
  EXPECT_TRUE(ModifyBlock(&context, request(L"*Model_Space", {outside})).isNull());
  EXPECT_TRUE(ModifyBlock(nullptr, data).isNull());
  EXPECT_POINT_NEAR(lineEnds(outside)[0], P(2, 0, 0));
}

}  // namespace
