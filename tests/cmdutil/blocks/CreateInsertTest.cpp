// CreateInsert: finding the block, the target space, units, rotation, arrays, attributes with
// fields, exploding, and the failures that leave nothing behind; and CreateInsertEnt called with a
// given name and file, as the host's commands call it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>

#include "sdk/app/VexaDocData.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaFaultInjection.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/ScaleChecks.h"
#include "tests/support/SymbolRecords.h"
#include "tests/support/TempFolder.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/XqBlockInsert.h"
#include "xqcmdutil/XqInsertCommand.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

using P = QvGePoint3d;
constexpr int kNormal = 5100, kNone = 5000, kError = -5001, kNotFound = -5002;

class CreateInsertTest : public HostFixture {
 protected:
  // The block "Tree": a line and the attributes SPECIES (plain), KIND (preset "tree") and
  // MARK (constant).
  void SetUp() override {
    HostFixture::SetUp();
    tree = addBlock(db(), L"Tree");
    appendEntity(tree, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    species = addAttDef(tree, L"SPECIES", L"unknown", P(0, -1, 0));
    kind = addAttDef(tree, L"KIND", L"tree", P(0, -2, 0), false, true);
    addAttDef(tree, L"MARK", L"*", P(0, -3, 0), true);
  }
  CreateInsertData request(const wchar_t* name, const P& at = P(0, 0, 0)) {
    CreateInsertData data;
    data.setInsertName(name);
    data.setInsertPoint(at);
    return data;
  }
  int insert(const CreateInsertData& data) { return CreateInsert(&context, id, data); }
  void setBlock(QvDbObjectId block, int units, bool uniform = false) {
    QvDbObjectPointer<QvDbBlockTableRecord> record(block, QvDb::kForWrite);
    record->setBlockInsertUnits(static_cast<QvDb::UnitsValue>(units));
    record->setBlockScaling(uniform ? QvDb::kUniform : QvDb::kAny);
  }
  QvGeScale3d scaleOf(QvDbObjectId ref) {
    QvDbObjectPointer<QvDbBlockReference> r(ref, QvDb::kForRead);
    return r->scaleFactors();
  }
  VexaBuildInCommandContext context;
  QvDbObjectId id, tree, species, kind;
};

using Attrs = std::vector<std::pair<std::wstring, std::wstring>>;

TEST_F(CreateInsertTest, AttributesTakeTheRequestsTextsExceptPresetAndConstantOnes) {
  CreateInsertData data = request(L"tree", P(5, 5, 0));
  (*data.getAttributeIdNameMapAdress())[species] = L"Oak";
  (*data.getAttributeIdNameMapAdress())[kind] = L"ignored";
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_EQ(attributeTexts(id), (Attrs{{L"SPECIES", L"Oak"}, {L"KIND", L"tree"}}));
  {  // placed with the reference
    QvDbObjectPointer<QvDbBlockReference> r(id, QvDb::kForRead);
    std::unique_ptr<QvDbObjectIterator> it(r->attributeIterator());
    QvDbObjectPointer<QvDbAttribute> a(it->objectId(), QvDb::kForRead);
    EXPECT_POINT_NEAR(a->position(), P(5, 4, 0));
  }
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"tree");
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->explodedInsert, 0);

  // Without a text in the request the default stays; a host error on one attribute drops
  // nothing.
  host().service<VexaFaultInjection>().arm("QvDbAttribute::setAttributeFromBlock");
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_EQ(attributeTexts(id), (Attrs{{L"SPECIES", L"unknown"}, {L"KIND", L"tree"}}));
}

TEST_F(CreateInsertTest, FieldsOfDefinitionsAreRetargetedToTheNewReference) {
  {
    QvDbObjectPointer<QvDbAttributeDefinition> def(species, QvDb::kForWrite);
    auto* field = new QvDbField(L"%<\\AcObjProp Object(%<\\_ObjId 0>%).Handle>%");
    field->setUnresolvedBlockReference();
    QvDbObjectId fieldId;
    ASSERT_EQ(def->setField(L"TEXT", field, fieldId), Vexa::eOk);
    field->close();
  }
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  QvDbObjectPointer<QvDbBlockReference> r(id, QvDb::kForRead);
  std::unique_ptr<QvDbObjectIterator> it(r->attributeIterator());
  QvDbObjectPointer<QvDbAttribute> a(it->objectId(), QvDb::kForRead);
  QvDbField* field = nullptr;
  ASSERT_EQ(a->getField(L"TEXT", field, QvDb::kForRead), Vexa::eOk);
  EXPECT_EQ(field->blockReferenceId(), id);
  field->close();
}

TEST_F(CreateInsertTest, UnitsUniformScalingAndTheUcsRotation) {
  ASSERT_EQ(setShortVar(L"INSUNITS", 1), kQvNormal);  // inches
  setBlock(tree, 4);                                  // millimetres
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_SCALE_NEAR(scaleOf(id), QvGeScale3d(1 / 25.4), 1e-12);
  QvDbBlockInternals::setUnitsIgnored(true);
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_SCALE_NEAR(scaleOf(id), QvGeScale3d(1), 1e-12);
  QvDbBlockInternals::setUnitsIgnored(false);

  setBlock(tree, 0, true);  // unitless (defaults: inches to inches), uniform
  CreateInsertData data = request(L"Tree");
  data.setScale3d(QvGeScale3d(1, 2, 3));
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_SCALE_NEAR(scaleOf(id), QvGeScale3d(1), 1e-12);

  // A UCS turned 30 degrees: single references turn with it, arrays do not.
  const double a = std::numbers::pi / 6;
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(P(0, 0, 0), QvGeVector3d(std::cos(a), std::sin(a), 0),
                     QvGeVector3d(-std::sin(a), std::cos(a), 0), QvGeVector3d::kZAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_NEAR(QvDbObjectPointer<QvDbBlockReference>(id, QvDb::kForRead)->rotation(), a, 1e-12);
  data = request(L"Tree", P(1, 1, 0));
  data.setCollumnNumber(3);
  data.setRowNumber(2);
  data.setCollumnDistance(4);
  data.setRowDistance(5);
  ASSERT_EQ(insert(data), kNormal);
  {
    QvDbObjectPointer<QvDbMInsertBlock> array(id, QvDb::kForRead);
    ASSERT_TRUE(array);
    EXPECT_NEAR(array->rotation(), 0.0, 1e-12);
    EXPECT_EQ(array->columns(), 3);
    EXPECT_EQ(array->rows(), 2);
    EXPECT_DOUBLE_EQ(array->columnSpacing(), 4);
    EXPECT_DOUBLE_EQ(array->rowSpacing(), 5);
  }
  EXPECT_EQ(attributeTexts(id).size(), 2u);
}

TEST_F(CreateInsertTest, TheTargetSpaceFollowsTheRequestAndCvport) {
  QvDbLayoutManager* layouts = qvdbHostApplicationServices()->layoutManager();
  ASSERT_EQ(layouts->setCurrentLayout(L"Layout1"), Vexa::eOk);
  const QvDbObjectId paper = layouts->getActiveLayoutBTRId();
  ASSERT_EQ(setShortVar(L"CVPORT", 1), kQvNormal);
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_EQ(QvDbObjectPointer<QvDbEntity>(id, QvDb::kForRead)->ownerId(), paper);
  ASSERT_EQ(setShortVar(L"CVPORT", 2), kQvNormal);
  ASSERT_EQ(insert(request(L"Tree")), kNormal);
  EXPECT_EQ(QvDbObjectPointer<QvDbEntity>(id, QvDb::kForRead)->ownerId(), db()->currentSpaceId());
  CreateInsertData data = request(L"Tree");
  data.setSpaceID(addBlock(db(), L"Holder"));
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_EQ(entitiesOf(data.getSpaceID()).length(), 1);
}

TEST_F(CreateInsertTest, ADynamicBlockIsFoundByItsTrueNameAndAnAnnotativeOneGetsTheScale) {
  const QvDbObjectId gate = addBlock(db(), L"*U");
  ASSERT_EQ(db()->registerApplication(L"AcDbDynamicBlockTrueName"), Vexa::eOk);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(gate, QvDb::kForWrite);
    QvDbObjectId graph;
    ASSERT_EQ(QvDbEvalGraph::createGraph(block.object(), graph), Vexa::eOk);
    const QvRbListPtr xdata(
        qvutBuildList(kGcXDataAppName, L"AcDbDynamicBlockTrueName", kGcXDataString, L"Gate", 0));
    ASSERT_EQ(block->setXData(xdata.get()), Vexa::eOk);
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
  }
  ASSERT_EQ(insert(request(L"Gate")), kNormal);
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
  EXPECT_EQ(ref->blockTableRecord(), gate);
  auto* contexts =
      QvDbObjectContextInterface::cast(ref->queryX(QvDbObjectContextInterface::desc()));
  EXPECT_EQ(contexts->contextNames(ref.object()).length(), 1);
  ref.close();
  EXPECT_EQ(insert(request(L"gate")), kNotFound);  // true names compare exactly
}

TEST_F(CreateInsertTest, ExplodingLeavesThePiecesAndFlagsOnlyWhatReallyHappened) {
  const int model = entitiesOf(db()->modelSpaceId()).length();
  CreateInsertData data = request(L"Tree", P(2, 0, 0));
  data.setExplodeFlag(true);
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_TRUE(id.isErased());
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), model + 4);  // line, 2 attributes, MARK
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->explodedInsert, 1);

  // EXPLMODE 0 and unequal factors: refused, the reference stays.
  ASSERT_EQ(setShortVar(L"EXPLMODE", 0), kQvNormal);
  data.setScale3d(QvGeScale3d(1, 2, 1));
  EXPECT_EQ(insert(data), kNone);
  EXPECT_FALSE(id.isErased());
  ASSERT_EQ(setShortVar(L"EXPLMODE", 1), kQvNormal);

  // A definition made only to be exploded goes with it...
  const QvDbObjectId temp = addBlock(db(), kTempBlockName);
  appendEntity(temp, new QvDbLine(P(0, 0, 0), P(0, 1, 0)));
  data = request(kTempBlockName);
  data.setFilePathToBlock(L"/parts/door.dxf");
  data.setExplodeFlag(true);
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_TRUE(temp.isErased());
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"*/parts/door.dxf");

  // ...but stays, with its name, while a reference that did not explode uses it.
  const QvDbObjectId temp2 = addBlock(db(), kTempBlockName);
  appendEntity(temp2, new QvDbLine(P(0, 0, 0), P(0, 1, 0)));
  host().service<VexaFaultInjection>().arm("QvDbEntity::explode", 2, Vexa::eNotApplicable);
  ASSERT_EQ(insert(data), kNormal);
  EXPECT_FALSE(id.isErased());
  EXPECT_FALSE(temp2.isErased());
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), kTempBlockName);
  EXPECT_EQ(GetVexaAppCtxActiveDocData()->explodedInsert, 0);
}

TEST_F(CreateInsertTest, FailuresLeaveNothingBehind) {
  const int model = entitiesOf(db()->modelSpaceId()).length();
  EXPECT_EQ(CreateInsert(nullptr, id, request(L"Tree")), kError);
  EXPECT_EQ(insert(request(L"Nowhere")), kNotFound);
  host().service<VexaFaultInjection>().arm("QvDbBlockTableRecord::appendQvDbEntity", 1,
                                           Vexa::eOutOfMemory);
  EXPECT_EQ(insert(request(L"Tree")), kError);
  EXPECT_TRUE(id.isNull());
  CreateInsertData data = request(L"Tree");
  data.setCollumnNumber(3);
  data.setRowNumber(0);
  EXPECT_EQ(insert(data), kError);
  data = request(L"Tree");
  data.setSpaceID(db()->layerTableId());  // no space
  EXPECT_EQ(insert(data), kError);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), model);
}

class InsertRequestTest : public HostFixture {
 protected:
  bool hasBlock(const wchar_t* name) const {
    return !recordNamed(db()->blockTableId(), name).isNull();
  }
  // A drawing of `lines` horizontal lines saved as `name` in the folder; its path.
  std::string savedPart(const char* name, int lines) {
    QvDbDatabase part(true, true);
    for (int i = 0; i < lines; ++i)
      appendEntity(part.modelSpaceId(), new QvDbLine(P(0, i, 0), P(3, i, 0)));
    const std::string path = folder.path(name);
    EXPECT_EQ(part.saveAs(QvString(path.c_str()).c_str()), Vexa::eOk);
    return path;
  }
  TempFolder folder;
  VexaBuildInCommandContext context;
};

TEST_F(InsertRequestTest, ATemplateRequestStopsBeforeInserting) {
  const std::string path = savedPart("sheet.dwt", 1);
  InsertData data;
  data.nameGiven = true;
  data.blockName = L"sheet";
  data.filePath = QvString(path.c_str());
  data.acceptTemplateFile = true;
  data.stopBeforeInsertTag = 7;
  EXPECT_EQ(CreateInsertEnt(&context, data), -5008);
  EXPECT_FALSE(hasBlock(L"sheet"));
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 0);
  data.stopBeforeInsertTag = 0;
  data.askInsertionPoint = data.askScale = data.askRotation = false;
  EXPECT_EQ(CreateInsertEnt(&context, data), kNormal);
  EXPECT_TRUE(hasBlock(L"sheet"));
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 1);
}

// A caller-given name and file: an existing block is redefined from the file only when the
// request asks it, without a question; a file that is not found changes nothing.
TEST_F(InsertRequestTest, AGivenFileRedefinesAnExistingBlockOnlyWhenAsked) {
  const QvDbObjectId gate = addBlock(db(), L"gate");
  appendEntity(gate, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const std::string path = savedPart("gate.dxf", 3);
  auto request = [&](bool redefine, const std::string& file) {
    InsertData data;
    data.nameGiven = true;
    data.blockName = L" gate ";
    data.filePath = QvString(file.c_str());
    data.redefineFromFile = redefine;
    data.askInsertionPoint = data.askScale = data.askRotation = false;
    const int rc = CreateInsertEnt(&context, data);
    EXPECT_EQ(data.definitionUpdated, redefine && rc == kNormal);
    return rc;
  };
  script(L"");  // no question may be asked
  EXPECT_EQ(request(false, path), kNormal);
  EXPECT_EQ(entitiesOf(gate).length(), 1);
  EXPECT_EQ(request(true, path), kNormal);
  EXPECT_EQ(entitiesOf(gate).length(), 3);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 2);
  EXPECT_EQ(inputScript().readsPastEnd(), 0);

  EXPECT_EQ(request(true, folder.path("nowhere.dxf")), kNone);
  EXPECT_EQ(entitiesOf(gate).length(), 3);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 2);
}

// A block whose annotative setting differs from the current dimension style's is refused when
// the request asks it, nothing placed; an exploded insert that EXPLMODE 0 forbids gives 5000 too.
TEST_F(InsertRequestTest, AnnotativeMismatchAndForbiddenExplodeStopTheInsert) {
  const QvDbObjectId sign = addBlock(db(), L"sign");
  appendEntity(sign, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(sign, QvDb::kForWrite);
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
  }
  context.setNonInteractive(true);  // no annotation scale dialog
  auto insert = [&](const wchar_t* answer, bool check) {
    InsertData data;
    data.checkDimStyleAnnotative = check;
    data.askInsertionPoint = data.askScale = data.askRotation = false;
    data.scale = QvGeScale3d(1.0, 2.0, 1.0);
    script(QvString(answer) + L"\n");
    transcript().clear();
    return CreateInsertEnt(&context, data);
  };
  EXPECT_EQ(insert(L"sign", true), kNone);
  EXPECT_THAT(messages(), testing::Contains(testing::HasSubstr(L"annotative setting differs")));
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 0);
  EXPECT_EQ(insert(L"sign", false), kNormal);
  EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), 1);

  // "*name" explodes; EXPLMODE 0 refuses the uneven scale: 5000, the reference stays unexploded.
  const QvDbObjectId post = addBlock(db(), L"post");
  appendEntity(post, new QvDbLine(P(0, 0, 0), P(0, 1, 0)));
  ASSERT_EQ(setShortVar(L"EXPLMODE", 0), kQvNormal);
  EXPECT_EQ(insert(L"*post", false), kNone);
  const QvDbObjectIdArray placed = entitiesOf(db()->modelSpaceId());
  ASSERT_EQ(placed.length(), 2);
  EXPECT_EQ(placed.last().objectClass(), QvDbBlockReference::desc());
}

}  // namespace
