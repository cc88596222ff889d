// The insert drags: what each accepts, what it writes back, the previews it draws, and that
// nothing of a preview reaches the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/render/QvGiDragFrames.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"
#include "tests/support/ScaleChecks.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqInsertDrag.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

using P = QvGePoint3d;

// Two previews show the same: placement, factors, rotation and attributes.
void expectSamePreview(const InsertDragBase& got, const InsertDragBase& fresh) {
  const QvDbBlockReference *a = got.preview(), *b = fresh.preview();
  EXPECT_POINT_NEAR(a->position(), b->position());
  EXPECT_VECTOR_NEAR(a->normal(), b->normal());
  EXPECT_SCALE_NEAR(a->scaleFactors(), b->scaleFactors(), 1e-12);
  EXPECT_DOUBLE_EQ(a->rotation(), b->rotation());
  ASSERT_EQ(a->numAttributes(), b->numAttributes());
  std::unique_ptr<QvDbObjectIterator> i(a->attributeIterator()), k(b->attributeIterator());
  for (; !i->done(); i->step(), k->step()) {
    const auto *x = QvDbAttribute::cast(i->entity()), *y = QvDbAttribute::cast(k->entity());
    EXPECT_POINT_NEAR(x->position(), y->position());
    EXPECT_EQ(x->textString(), y->textString());
  }
}

class InsertDragTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    QvGiDragFrames::current()->setRecording(true);
    tree = addBlock(db(), L"Tree");
    appendEntity(tree, new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
    addAttDef(tree, L"SPECIES", L"oak", P(0, -1, 0));
    addAttDef(tree, L"MARK", L"*", P(0, -2, 0), true);
    data.blockName = L"Tree";
    before = entitiesOf(db()->modelSpaceId()).length();
  }
  void TearDown() override {
    EXPECT_EQ(entitiesOf(db()->modelSpaceId()).length(), before);  // previews stay out
    HostFixture::TearDown();
  }
  const QvGiDragFrames& frames() { return *QvGiDragFrames::current(); }
  // The preview's first attribute.
  static QvDbAttribute* firstAttribute(const InsertDragBase& jig) {
    std::unique_ptr<QvDbObjectIterator> it(jig.preview()->attributeIterator());
    return QvDbAttribute::cast(it->entity());
  }
  // Copies of the request's fields (a packed record: its fields are read by copy).
  QvGeScale3d scale() const { return data.scale; }
  QvGeScale3d presetScale() const { return data.presetScale; }
  P insertionPoint() const { return data.insertionPoint; }
  P dragPosition() const { return data.dragPosition; }
  double rotation() const { return data.rotation; }
  double presetRotation() const { return data.presetRotation; }
  VexaBuildInCommandContext context;
  InsertData data;
  QvDbObjectId tree;
  int before = 0;
};

TEST_F(InsertDragTest, TheInsertionPointFollowsTheCursorWithTheBasePointOffset) {
  data.basePointOffset = QvGeVector3d(5, 0, 0);
  InsertDragInsertionPoint jig(&context, &data, L"Tree");
  ASSERT_EQ(jig.prepare(), kQvNormal);
  ASSERT_EQ(jig.preview()->numAttributes(), 1);  // the constant one is not previewed
  script(L"~10,10\n~10,10\n15,10\n");
  ASSERT_EQ(jig.drag(), QvEdDrag::kNormal);
  // The repeated sample drew nothing; the point one offset away from it is a new point.
  EXPECT_EQ(frames().frameCount(), 2);
  EXPECT_POINT_NEAR(jig.preview()->position(), P(20, 10, 0));
  EXPECT_POINT_NEAR(firstAttribute(jig)->position(), P(20, 9, 0));
  EXPECT_POINT_NEAR(dragPosition(), P(20, 10, 0));
  jig.finish(kQvNormal);
  EXPECT_POINT_NEAR(insertionPoint(), P(20, 10, 0));
  const auto last = vars().get(L"LASTPOINT")->pointValue();
  EXPECT_POINT_NEAR(P(last[0], last[1], last[2]), P(20, 10, 0));
  // The first frame showed the block at the first sample plus the offset.
  const auto& first = frames().frames()[0];
  EXPECT_TRUE(std::any_of(first.begin(), first.end(),
                          [](const auto& drawn) { return drawn.points.contains(P(15, 10, 0)); }));

  // Accepting the last sample keeps its offset; a cancel writes nothing.
  InsertDragInsertionPoint accepted(&context, &data, L"Tree");
  ASSERT_EQ(accepted.prepare(), kQvNormal);
  script(L"~10,10\n10,10\n");
  ASSERT_EQ(accepted.drag(), QvEdDrag::kNormal);
  accepted.finish(kQvNormal);
  EXPECT_POINT_NEAR(insertionPoint(), P(15, 10, 0));

  InsertDragInsertionPoint cancelled(&context, &data, L"Tree");
  ASSERT_EQ(cancelled.prepare(), kQvNormal);
  script(L"~1,1\n^C\n");
  EXPECT_EQ(cancelled.drag(), QvEdDrag::kCancel);
  cancelled.finish(kQvCancel);
  EXPECT_POINT_NEAR(insertionPoint(), P(15, 10, 0));

  data.blockName = L"Nowhere";
  InsertDragInsertionPoint unknown(&context, &data, L"Tree");
  EXPECT_EQ(unknown.prepare(), kQvError);
  EXPECT_EQ(unknown.entity(), nullptr);
}

TEST_F(InsertDragTest, UniformScaleTakesDistancesAndTypedValues) {
  data.insertionPoint = P(1, 1, 0);
  InsertDragUniformScale jig(&context, &data, L"Tree");
  ASSERT_EQ(jig.prepare(), kQvNormal);
  script(L"~3,1\n-2\n");
  ASSERT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_SCALE_NEAR(jig.currentScale(), QvGeScale3d(-2, -2, 2));  // z keeps the magnitude
  jig.finish(kQvNormal);
  EXPECT_SCALE_NEAR(scale(), QvGeScale3d(-2, -2, 2));
  EXPECT_SCALE_NEAR(presetScale(), QvGeScale3d(-2, -2, 2));
  EXPECT_EQ(frames().frameCount(), 2);
  jig.finish(kQvNone);
  EXPECT_DOUBLE_EQ(scale().sx, 1);
}

TEST_F(InsertDragTest, ScaleCornersGiveTwoFactorsAndTypedOnesOneAndOrthoModeComesBack) {
  ASSERT_EQ(setShortVar(L"ORTHOMODE", 1), kQvNormal);
  {
    InsertDragScale jig(&context, &data, L"Tree");
    ASSERT_EQ(jig.prepare(), kQvNormal);
    EXPECT_EQ(shortVar(L"ORTHOMODE"), 0);
    script(L"3,4\n");
    ASSERT_EQ(jig.drag(), QvEdDrag::kNormal);
    EXPECT_FALSE(jig.singleFactor());
    jig.finish(kQvNormal);
    EXPECT_SCALE_NEAR(scale(), QvGeScale3d(3, 4, 3));
    EXPECT_EQ(shortVar(L"ORTHOMODE"), 1);
    EXPECT_EQ(shortVar(L"LASTPOINTINIT"), 1);
  }
  {
    InsertDragScale jig(&context, &data, L"Tree");
    ASSERT_EQ(jig.prepare(), kQvNormal);
    script(L"3\n");
    ASSERT_EQ(jig.drag(), QvEdDrag::kNormal);
    EXPECT_TRUE(jig.singleFactor());
    EXPECT_DOUBLE_EQ(jig.currentScale().sy, 3);
    script(L"0\n");
    EXPECT_EQ(jig.drag(), InsertDragBase::kZeroValue);
    jig.finish(kQvRejected);
    EXPECT_DOUBLE_EQ(jig.currentScale().sx, 1);
  }
  {  // A cancel without finish: ORTHOMODE still comes back.
    InsertDragScale jig(&context, &data, L"Tree");
    ASSERT_EQ(jig.prepare(), kQvNormal);
    script(L"^C\n");
    EXPECT_EQ(jig.drag(), QvEdDrag::kCancel);
  }
  EXPECT_EQ(shortVar(L"ORTHOMODE"), 1);
}

TEST_F(InsertDragTest, YOfAUniformDefinitionSetsEveryFactor) {
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(tree, QvDb::kForWrite);
    block->setBlockScaling(QvDb::kUniform);
  }
  InsertDragScaleY y(&context, &data, L"Tree");
  ASSERT_EQ(y.prepare(), kQvNormal);
  script(L"3,4\n");
  ASSERT_EQ(y.drag(), QvEdDrag::kNormal);
  y.finish(kQvNormal);
  EXPECT_SCALE_NEAR(scale(), QvGeScale3d(5));
}

// The Y and Z questions share their sampler: Z keeps only the magnitude of a factor. Enter
// takes the X factor for Y and Z.
TEST_F(InsertDragTest, YAndZFactorsComeFromCornersAndTypedValues) {
  struct Case {
    const char* what;
    std::function<std::unique_ptr<InsertDragBase>()> make;
    double QvGeScale3d::*axis;
    bool absolute;
  };
  const Case cases[] = {
      {"Y", [&] { return std::make_unique<InsertDragScaleY>(&context, &data, L"Tree"); },
       &QvGeScale3d::sy, false},
      {"Z", [&] { return std::make_unique<InsertDragScaleZ>(&context, &data, L"Tree"); },
       &QvGeScale3d::sz, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto expected = [&](double v) { return c.absolute ? std::abs(v) : v; };
    data.presetScale = QvGeScale3d(-2, 1, 1);
    std::unique_ptr<InsertDragBase> enter = c.make();
    ASSERT_EQ(enter->prepare(), kQvNormal);
    script(L"\n");
    EXPECT_EQ(enter->drag(), QvEdDrag::kNull);
    enter->finish(kQvNone);
    EXPECT_DOUBLE_EQ(scale().*c.axis, expected(-2));
    EXPECT_DOUBLE_EQ(scale().sz, expected(-2));

    data.insertionPoint = P(1, 1, 0);
    data.presetScale = QvGeScale3d(2, 1, 1);
    std::unique_ptr<InsertDragBase> jig = c.make();
    ASSERT_EQ(jig->prepare(), kQvNormal);
    // The corner (3, -4) from the insertion point; its repeats draw nothing.
    const int framesBefore = frames().frameCount();
    script(L"~4,-3\n~4,-3\n4,-3\n");
    ASSERT_EQ(jig->drag(), QvEdDrag::kNormal);
    EXPECT_EQ(frames().frameCount(), framesBefore + 1);
    jig->finish(kQvNormal);
    EXPECT_DOUBLE_EQ(scale().*c.axis, expected(-4));
    EXPECT_DOUBLE_EQ(scale().sx, 2);
    EXPECT_DOUBLE_EQ(presetScale().*c.axis, expected(-4));

    script(L"-3\n");
    ASSERT_EQ(jig->drag(), QvEdDrag::kNormal);
    jig->finish(kQvNormal);
    EXPECT_DOUBLE_EQ(scale().*c.axis, expected(-3));

    // A zero is refused: the factor goes back to 1 and the request keeps what it had.
    script(L"0\n");
    EXPECT_EQ(jig->drag(), InsertDragBase::kZeroValue);
    jig->finish(kQvRejected);
    EXPECT_DOUBLE_EQ(jig->currentScale().*c.axis, 1);
    EXPECT_DOUBLE_EQ(scale().*c.axis, expected(-3));
  }
}

TEST_F(InsertDragTest, RotationTurnsThePreviewWithTheUcs) {
  const double a = std::numbers::pi / 6;
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(P(0, 0, 0), QvGeVector3d(std::cos(a), std::sin(a), 0),
                     QvGeVector3d(-std::sin(a), std::cos(a), 0), QvGeVector3d::kZAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  InsertDragRotateAroundInsertPoint jig(&context, &data, L"Tree");
  ASSERT_EQ(jig.prepare(), kQvNormal);
  script(L"~0,1\n90\n");
  ASSERT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_NEAR(jig.preview()->rotation(), a + std::numbers::pi / 2, 1e-9);
  jig.finish(kQvNormal);
  EXPECT_NEAR(rotation(), std::numbers::pi / 2, 1e-9);
  EXPECT_NEAR(presetRotation(), std::numbers::pi / 2, 1e-9);
  jig.finish(kQvNone);
  EXPECT_DOUBLE_EQ(rotation(), 0);
}

TEST_F(InsertDragTest, ThePreviewOfAnAnnotativeBlockTakesTheCurrentAnnotationScale) {
  const auto scalesOf = [](const QvDbEntity* preview) {
    const auto* contexts =
        QvDbObjectContextInterface::cast(preview->queryX(QvDbObjectContextInterface::desc()));
    return contexts ? contexts->contextNames(preview) : QvArray<QvString>();
  };
  ASSERT_EQ(vars().set(L"CANNOSCALE", VexaSysVarValue::ofText(L"1:4")), VexaSysVarResult::kOk);
  {  // A plain block takes none.
    InsertDragInsertionPoint jig(&context, &data, L"Tree");
    ASSERT_EQ(jig.prepare(), kQvNormal);
    EXPECT_TRUE(scalesOf(jig.preview()).isEmpty());
  }
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(tree, QvDb::kForWrite);
    ASSERT_EQ(SetObjectAnnotative(block.object(), true), Vexa::eOk);
  }
  data.presetScale = QvGeScale3d(2, 2, 2);
  InsertDragInsertionPoint jig(&context, &data, L"Tree");
  ASSERT_EQ(jig.prepare(), kQvNormal);
  EXPECT_EQ(scalesOf(jig.preview()), (QvArray<QvString>{L"1:4"}));
  EXPECT_DOUBLE_EQ(jig.preview()->scaleFactors().sx, 2);
  // Prepared again under another scale, the new preview shows that one alone.
  ASSERT_EQ(vars().set(L"CANNOSCALE", VexaSysVarValue::ofText(L"1:2")), VexaSysVarResult::kOk);
  ASSERT_EQ(jig.prepare(), kQvNormal);
  EXPECT_EQ(scalesOf(jig.preview()), (QvArray<QvString>{L"1:2"}));

  // An array preview takes none.
  data.columns = 2;
  InsertDragInsertionPoint arrayJig(&context, &data, L"Tree");
  ASSERT_EQ(arrayJig.prepare(), kQvNormal);
  EXPECT_TRUE(scalesOf(arrayJig.entity()).isEmpty());
}

// The drags of one command share one preview: each prepare leaves it as a new preview of the
// request would be, whatever the drag before did to it, and a definition whose attributes
// changed gets a preview built again.
TEST_F(InsertDragTest, DragsSharingAPreviewStartFromWhatANewPreviewShows) {
  std::shared_ptr<InsertDragPreview> shared;
  context.setViewNormal(QvGeVector3d(0, 1, 1));
  data.presetScale = QvGeScale3d(2, 3, 1);
  data.presetRotation = 0.5;
  InsertDragInsertionPoint point(&context, &data, L"Tree");
  point.sharePreview(shared);
  ASSERT_EQ(point.prepare(), kQvNormal);
  script(L"~10,10\n12,10\n");
  ASSERT_EQ(point.drag(), QvEdDrag::kNormal);
  point.finish(kQvNormal);
  ASSERT_TRUE(pointsNear(point.preview()->position(), P(12, 10, 0)));
  // What the command wrote into the preview's attribute does not outlive the drag.
  firstAttribute(point)->setTextString(L"elm");

  // A zero factor is refused by the reference: a new preview keeps its own factors.
  data.presetScale = QvGeScale3d(0, 0.5, 0.5);
  data.presetRotation = 1.25;
  context.setViewNormal(QvGeVector3d::kZAxis);
  InsertDragScale scale(&context, &data, L"Tree");
  scale.sharePreview(shared);
  ASSERT_EQ(scale.prepare(), kQvNormal);
  EXPECT_EQ(scale.preview(), point.preview());  // built once
  InsertDragScale alone(&context, &data, L"Tree");
  ASSERT_EQ(alone.prepare(), kQvNormal);
  EXPECT_NE(alone.preview(), scale.preview());
  EXPECT_EQ(firstAttribute(alone)->textString(), QvString(L"oak"));
  expectSamePreview(scale, alone);
  // The accepted corner places both alike.
  script(L"3,4\n");
  ASSERT_EQ(scale.drag(), QvEdDrag::kNormal);
  script(L"3,4\n");
  ASSERT_EQ(alone.drag(), QvEdDrag::kNormal);
  expectSamePreview(scale, alone);

  // A definition that gained an attribute since: the shared preview shows it too.
  addAttDef(tree, L"HEIGHT", L"12 m", P(0, -3, 0));
  InsertDragRotateAroundInsertPoint rotation(&context, &data, L"Tree");
  rotation.sharePreview(shared);
  ASSERT_EQ(rotation.prepare(), kQvNormal);
  InsertDragRotateAroundInsertPoint rotationAlone(&context, &data, L"Tree");
  ASSERT_EQ(rotationAlone.prepare(), kQvNormal);
  ASSERT_EQ(rotation.preview()->numAttributes(), 2);
  expectSamePreview(rotation, rotationAlone);
}

TEST_F(InsertDragTest, AnArrayRequestPreviewsAnArrayAndTheCellIsDrawnAsFourLines) {
  data.columns = 3;
  data.rows = 2;
  data.columnSpacing = 4;
  data.rowSpacing = 5;
  InsertDragInsertionPoint jig(&context, &data, L"Tree");
  ASSERT_EQ(jig.prepare(), kQvNormal);
  const auto* array = QvDbMInsertBlock::cast(jig.entity());
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(array->columns(), 3);
  EXPECT_EQ(array->rows(), 2);
  EXPECT_DOUBLE_EQ(array->rowSpacing(), 5);

  ASSERT_EQ(setShortVar(L"ORTHOMODE", 1), kQvNormal);
  {
    MInsertDragRowColDistance cell(P(0, 0, 0), QvGeMatrix3d::kIdentity, QvGeMatrix3d::kIdentity);
    cell.setup();
    EXPECT_EQ(shortVar(L"ORTHOMODE"), 0);
    script(L"~4,3\n4,3\n");
    ASSERT_EQ(cell.drag(), QvEdDrag::kNormal);
    EXPECT_POINT_NEAR(cell.currentCorner(), P(4, 3, 0));
    const QvArray<QvDbEntity*> lines = cell.drawnEntities();
    ASSERT_EQ(lines.length(), 4);
    const auto* first = QvDbLine::cast(lines[0]);
    EXPECT_POINT_NEAR(first->endPoint(), P(4, 0, 0));
    EXPECT_POINT_NEAR(QvDbLine::cast(lines[1])->startPoint(), P(0, 3, 0));
    EXPECT_EQ(frames().frames().back().size(), 4u);
  }
  EXPECT_EQ(shortVar(L"ORTHOMODE"), 1);
}

// The drags of one command read the UCS and the definition's units once; each still shows the
// rotation about the UCS and the converted scale. A request for another block reads them anew.
TEST_F(InsertDragTest, DragsSharingAPreviewConvertUnitsAndTurnWithTheUcs) {
  ASSERT_EQ(setShortVar(L"INSUNITS", 1), kQvNormal);  // inches
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(tree, QvDb::kForWrite);
    block->setBlockInsertUnits(QvDb::kUnitsMillimeters);
  }
  const double a = std::numbers::pi / 3;
  QvGeMatrix3d ucs;
  ucs.setCoordSystem(P(5, 0, 0), QvGeVector3d(std::cos(a), std::sin(a), 0),
                     QvGeVector3d(-std::sin(a), std::cos(a), 0), QvGeVector3d::kZAxis);
  ASSERT_EQ(qvedSetCurrentUCS(ucs), Vexa::eOk);
  data.presetScale = QvGeScale3d(2, 4, 1);
  data.presetRotation = 0.25;
  std::shared_ptr<InsertDragPreview> shared;
  InsertDragInsertionPoint point(&context, &data, L"Tree");
  point.sharePreview(shared);
  ASSERT_EQ(point.prepare(), kQvNormal);
  InsertDragScaleY scaleY(&context, &data, L"Tree");
  scaleY.sharePreview(shared);
  ASSERT_EQ(scaleY.prepare(), kQvNormal);
  for (const InsertDragBase* jig :
       {static_cast<const InsertDragBase*>(&point), static_cast<const InsertDragBase*>(&scaleY)}) {
    EXPECT_NEAR(jig->preview()->rotation(), a + 0.25, 1e-12);
    EXPECT_SCALE_NEAR(jig->preview()->scaleFactors(), QvGeScale3d(2, 4, 1) * (1 / 25.4), 1e-12);
  }
  // A sample redraws the preview with what was read at the start.
  const int framesBefore = frames().frameCount();
  script(L"~2,2\n5\n");
  ASSERT_EQ(scaleY.drag(), QvEdDrag::kNormal);
  EXPECT_GT(frames().frameCount(), framesBefore);
  EXPECT_NEAR(scaleY.preview()->rotation(), a + 0.25, 1e-12);
  EXPECT_NEAR(scaleY.preview()->scaleFactors().sx, 2 / 25.4, 1e-12);
  scaleY.finish(kQvNormal);
  EXPECT_DOUBLE_EQ(scale().sy, 5);  // the request keeps the factor as answered

  // Another block in the same command: its own units (none: no conversion from inches).
  const QvDbObjectId bush = addBlock(db(), L"Bush");
  appendEntity(bush, new QvDbLine(P(0, 0, 0), P(0, 1, 0)));
  data.blockName = L"Bush";
  data.presetScale = QvGeScale3d(2, 2, 2);
  InsertDragRotateAroundInsertPoint rotation(&context, &data, L"Bush");
  rotation.sharePreview(shared);
  ASSERT_EQ(rotation.prepare(), kQvNormal);
  InsertDragRotateAroundInsertPoint alone(&context, &data, L"Bush");
  ASSERT_EQ(alone.prepare(), kQvNormal);
  EXPECT_DOUBLE_EQ(rotation.preview()->scaleFactors().sx, 2);
  EXPECT_DOUBLE_EQ(alone.preview()->scaleFactors().sx, 2);
  EXPECT_NEAR(rotation.preview()->rotation(), a + 0.25, 1e-12);

  // The placement functions of a reference do the same.
  QvDbBlockReference ref(P(0, 0, 0), tree);
  BlockReference_Insert::setScaleFactorsWithCheck(&ref, QvGeScale3d(2, 2, 2));
  EXPECT_NEAR(ref.scaleFactors().sx, 2 / 25.4, 1e-12);
  BlockReference_Insert::setRotationWithUCS(&ref, 0.5);
  EXPECT_NEAR(ref.rotation(), a + 0.5, 1e-12);
}

}  // namespace
