// Picking one entity, also inside block references, answered from the script.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaNestedPick.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaUcs.h"
#include "sdk/ed/qvedEntSel.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using P = QvGePoint3d;
using V = QvGeVector3d;
using testing::Contains;
using testing::HasSubstr;

// A drawing with a line and a circle in block INNER, a reference of INNER at (5,5) turned a
// quarter and scaled 2 in block OUTER, a reference of OUTER at (100,0) in model space, and a
// line of model space. Through both references the nested line runs from (105,5) to (105,25)
// and the circle (centre (5,3), radius 1 in INNER) has its centre at (99,15) and radius 2.
class NestedPickTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    const QvDbObjectId innerBlock = addBlock(db(), L"INNER");
    line_ = appendEntity(innerBlock, new QvDbLine(P(0, 0, 0), P(10, 0, 0)));
    circle_ = appendEntity(innerBlock, new QvDbCircle(P(5, 3, 0), V::kZAxis, 1.0));
    const QvDbObjectId outerBlock = addBlock(db(), L"OUTER");
    auto* innerRef = new QvDbBlockReference(P(5, 5, 0), innerBlock);
    innerRef->setRotation(std::numbers::pi / 2);
    innerRef->setScaleFactors(QvGeScale3d(2, 2, 2));
    inner_ = appendEntity(outerBlock, innerRef);
    outer_ = appendToModelSpace(db(), new QvDbBlockReference(P(100, 0, 0), outerBlock));
    plain_ = appendToModelSpace(db(), new QvDbLine(P(0, 50, 0), P(10, 50, 0)));
  }

  static QvString h(QvDbObjectId id) { return id.handle().ascii(); }
  QvString path3(const wchar_t* point) const {
    return L"H " + h(outer_) + L" " + h(inner_) + L" " + h(line_) + L" " + point;
  }
  int ask(const QvString& lines, VexaNestedPick& pick) {
    script(lines);
    transcript().clear();
    return VexaNestedPickQuestion().ask(pick);
  }

  QvDbObjectId line_, circle_, inner_, outer_, plain_;
};

// The transform both references make: T(100,0) * T(5,5) * R(90) * S(2), worked by hand.
void expectNestedTransform(const QvGeMatrix3d& m) {
  EXPECT_POINT_NEAR(P(0, 0, 0).transformBy(m), P(105, 5, 0));
  EXPECT_POINT_NEAR(P(10, 0, 0).transformBy(m), P(105, 25, 0));
  EXPECT_POINT_NEAR(P(0, 1, 0).transformBy(m), P(103, 5, 0));
  EXPECT_POINT_NEAR(P(0, 0, 1).transformBy(m), P(105, 5, 2));
}

TEST_F(NestedPickTest, HandlePathGivesEntityPointTransformAndContainers) {
  VexaNestedPick pick;
  ASSERT_EQ(ask(path3(L"105,15"), pick), kQvNormal);
  ASSERT_EQ(pick.path.length(), 3);
  EXPECT_EQ(pick.path[0], outer_);
  EXPECT_EQ(pick.path[1], inner_);
  EXPECT_EQ(pick.entity(), line_);
  EXPECT_POINT_NEAR(pick.point, P(105, 15, 0));
  expectNestedTransform(pick.modelToWorld);

  // A path of one entity of the current space: that entity, the identity.
  ASSERT_EQ(ask(L"handle " + h(plain_) + L" 5,50", pick), kQvNormal);
  ASSERT_EQ(pick.path.length(), 1);
  EXPECT_EQ(pick.entity(), plain_);
  EXPECT_TRUE(pick.modelToWorld.isEqualTo(QvGeMatrix3d::kIdentity));
}

TEST_F(NestedPickTest, PointPickDescendsToTheNearestNestedEntity) {
  VexaNestedPick pick;
  // 0.2 from the nested line; the circle is 4 away.
  ASSERT_EQ(ask(L"105.2,20", pick), kQvNormal);
  ASSERT_EQ(pick.path.length(), 3);
  EXPECT_EQ(pick.path[0], outer_);
  EXPECT_EQ(pick.path[1], inner_);
  EXPECT_EQ(pick.entity(), line_);
  expectNestedTransform(pick.modelToWorld);

  // 0.5 above the top of the circle (99,17); the line is 6 away, beyond the aperture.
  ASSERT_EQ(ask(L"99,17.5", pick), kQvNormal);
  EXPECT_EQ(pick.entity(), circle_);
  EXPECT_POINT_NEAR(pick.point, P(99, 17.5, 0));

  // Nothing near: refused, then the next line answers.
  ASSERT_EQ(ask(L"300,300\n5,50.5", pick), kQvNormal);
  EXPECT_THAT(messages(), Contains(HasSubstr(L"No object passes near that point.")));
  EXPECT_EQ(pick.entity(), plain_);
  EXPECT_EQ(pick.path.length(), 1);
}

TEST_F(NestedPickTest, BadPathsAreRefusedAndAskedAgain) {
  const QvString lines[] = {L"H ZZ* 1,1",                                   // not a handle
                            L"H FFFF0 1,1",                                 // no such object
                            L"H 105,15",                                    // empty path
                            L"H",                                           // nothing at all
                            L"H " + h(plain_) + L" " + h(line_) + L" 1,1",  // not a reference
                            L"H " + h(outer_) + L" " + h(line_) + L" 1,1",  // skips a level
                            L"H " + h(line_) + L" 1,1",                     // not in the space
                            L"H " + h(outer_) + L" " + h(inner_) + L" " + h(line_),  // no point
                            L"H " + h(db()->layerTableId()) + L" 1,1",  // not an entity
                            L"words"};
  QvString text;
  for (const QvString& line : lines) text += line + L"\n";
  VexaNestedPick pick;
  ASSERT_EQ(ask(text + path3(L"105,15"), pick), kQvNormal);
  EXPECT_EQ(pick.entity(), line_) << "the last line answers";
  for (const QvString& expected :
       {QvString(L"'ZZ*' is not a handle."), QvString(L"No object has the handle FFFF0."),
        QvString(L"The pick point (x,y or x,y,z) follows the handles."),
        QvString(L"No handle given"), L"The entity " + h(plain_) + L" is not a block reference",
        L"The entity " + h(line_) + L" is not in the block of " + h(outer_),
        L"The entity " + h(line_) + L" is not in the current space.",
        L"The object " + h(db()->layerTableId()) + L" is not an entity.",
        QvString(L"Expects a point, or H with the handles")})
    EXPECT_THAT(messages(), Contains(HasSubstr(expected.wstr())));
  int refusals = 0;
  for (const std::wstring& m : messages())
    if (!m.empty()) ++refusals;
  EXPECT_EQ(refusals, 10) << "one message per refused line";
}

TEST_F(NestedPickTest, ClassicFunctionsGiveNamesTransformAndReferenceStack) {
  int64_t name[2] = {0, 0};
  double point[3] = {0, 0, 0};
  double xform[4][4] = {};
  resbuf* stack = nullptr;
  // Points come and go in the current UCS: moved to (100,0), the pick 5,15 is (105,15).
  vars().setCurrentUcs(*VexaUcs::fromAxes(P(100, 0, 0), V::kXAxis, V::kYAxis));
  script(path3(L"5,15"));
  ASSERT_EQ(qvedNEntSelP(nullptr, name, point, 0, xform, &stack), kQvNormal);
  const QvRbListPtr owned(stack);
  QvDbObjectId id;
  ASSERT_EQ(qvdbGetObjectId(id, name), Vexa::eOk);
  EXPECT_EQ(id, line_);
  EXPECT_POINT_NEAR(P(point[0], point[1], point[2]), P(5, 15, 0));
  QvGeMatrix3d m;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) m.entry[r][c] = xform[r][c];
  expectNestedTransform(m);
  // The references, innermost first.
  ASSERT_EQ(qvutListLength(stack), 2);
  QvDbObjectId first, second;
  ASSERT_EQ(stack->type, kRbEntityName);
  ASSERT_EQ(qvdbGetObjectId(first, stack->value.name), Vexa::eOk);
  ASSERT_EQ(qvdbGetObjectId(second, stack->next->value.name), Vexa::eOk);
  EXPECT_EQ(first, inner_);
  EXPECT_EQ(second, outer_);

  // The outer entity only: the reference the path starts at.
  script(path3(L"5,15"));
  ASSERT_EQ(qvedEntSel(L"\nPick: ", name, point), kQvNormal);
  ASSERT_EQ(qvdbGetObjectId(id, name), Vexa::eOk);
  EXPECT_EQ(id, outer_);

  // With the pick flag the point given is the pick: UCS (-1,17.5) is world (99,17.5),
  // 0.5 from the circle's top; a top-level entity has no references.
  point[0] = -1;
  point[1] = 17.5;
  point[2] = 0;
  stack = nullptr;
  ASSERT_EQ(qvedNEntSelP(nullptr, name, point, 1, nullptr, &stack), kQvNormal);
  ASSERT_EQ(qvdbGetObjectId(id, name), Vexa::eOk);
  EXPECT_EQ(id, circle_);
  qvutRelRb(stack);
  point[0] = -95;
  point[1] = 50.5;
  stack = reinterpret_cast<resbuf*>(1);
  ASSERT_EQ(qvedNEntSelP(nullptr, name, point, 1, nullptr, &stack), kQvNormal);
  EXPECT_EQ(stack, nullptr);
  point[0] = 500;
  EXPECT_EQ(qvedNEntSelP(nullptr, name, point, 1, nullptr, nullptr), kQvError);

  // Enter, a cancel, a script run out, a missing result.
  script(L"\n^C");
  EXPECT_EQ(qvedNEntSelP(nullptr, name, point, 0, nullptr, nullptr), kQvNone);
  EXPECT_EQ(qvedEntSel(nullptr, name, point), kQvCancel);
  EXPECT_EQ(qvedEntSel(nullptr, name, point), kQvCancel);
  EXPECT_EQ(qvedEntSel(nullptr, nullptr, point), kQvError);
}

}  // namespace
