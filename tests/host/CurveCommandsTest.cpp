// LINE, ARC, CIRCLE, PLINE, JOIN, ENTINFO and LENGTHEN from scripts: what they leave in the
// drawing, the sources JOIN erases or keeps, and refusals and cancels that change nothing.
// (What ENTINFO and LENGTHEN print for each kind of entity runs end to end in
// examples/lengthen.script.)
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/host/CommandModuleFixture.h"
#include "tests/support/DbSetup.h"

namespace {

using P = QvGePoint3d;
const QvGeTol kTol(1e-9, 1e-9);

class CurveCommandsTest : public CommandModuleFixture {
 protected:
  template <typename T>
  QvDbObjectPointer<T> open(size_t index) const {
    const std::vector<QvDbObjectId> ids = modelSpace();
    EXPECT_LT(index, ids.size());
    return QvDbObjectPointer<T>(index < ids.size() ? ids[index] : QvDbObjectId(), QvDb::kForRead);
  }
  ::testing::AssertionResult isLine(size_t index, const P& start, const P& end) const {
    auto line = open<QvDbLine>(index);
    if (line.openStatus() != Vexa::eOk) return ::testing::AssertionFailure() << "not a line";
    if (!line->startPoint().isEqualTo(start, kTol) || !line->endPoint().isEqualTo(end, kTol))
      return ::testing::AssertionFailure()
             << "line from " << line->startPoint().x << "," << line->startPoint().y << " to "
             << line->endPoint().x << "," << line->endPoint().y;
    return ::testing::AssertionSuccess();
  }
  // The classes of model space's entities, in order.
  std::vector<std::wstring> kinds() const {
    std::vector<std::wstring> out;
    for (const QvDbObjectId& id : modelSpace()) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
      out.push_back(entity.openStatus() == Vexa::eOk ? entity->isA()->name() : L"?");
    }
    return out;
  }
  double lengthOf(const QvDbObjectId& id) const {
    QvDbObjectPointer<QvDbCurve> curve(id, QvDb::kForRead);
    double end = 0.0, length = -1.0;
    EXPECT_EQ(Vexa::eOk, curve.openStatus());
    if (curve.openStatus() == Vexa::eOk) {
      curve->getEndParam(end);
      curve->getDistAtParam(end, length);
    }
    return length;
  }
};

using DrawingCommandsTest = CurveCommandsTest;
using JoinCommandTest = CurveCommandsTest;
using LengthenCommandTest = CurveCommandsTest;

TEST_F(DrawingCommandsTest, LineDrawsSegmentsWithUndoAndCloseInTheUcs) {
  const auto summary = run(L"LINE\n0,0\n10,0\n10,10\nU\n10,5\n0,5\nC\n");
  EXPECT_EQ(summary.done, 1);
  ASSERT_EQ(modelSpace().size(), 4u);  // the undone line is gone
  EXPECT_TRUE(isLine(0, P(0, 0, 0), P(10, 0, 0)));
  EXPECT_TRUE(isLine(1, P(10, 0, 0), P(10, 5, 0)));
  EXPECT_TRUE(isLine(2, P(10, 5, 0), P(0, 5, 0)));
  EXPECT_TRUE(isLine(3, P(0, 5, 0), P(0, 0, 0)));

  // Points typed in a turned and raised UCS land in the world where that UCS puts them.
  run(L"UCS\nO\n0,0,3\nUCS\nZ\n90\nLINE\n1,0\n2,0\n\n");
  ASSERT_EQ(modelSpace().size(), 5u);
  EXPECT_TRUE(isLine(4, P(0, 1, 3), P(0, 2, 3)));
  // Undo with nothing drawn says so; a cancel keeps what was drawn.
  run(L"UCS\nW\nLINE\n0,0\nU\n1,1\n^C\n");
  EXPECT_TRUE(contains("All segments already undone."));
  EXPECT_EQ(modelSpace().size(), 6u);
}

TEST_F(DrawingCommandsTest, ArcThroughThreePointsOrRoundACenter) {
  run(L"ARC\n1,0\n0,1\n-1,0\n"      // counterclockwise over the top
      L"ARC\n1,0\n0,-1\n-1,0\n"     // through the bottom: the arc runs from (-1,0)
      L"ARC\nC\n5,5\n7,5\n5,9\n"    // round (5,5) from angle 0 to 90 degrees, radius 2
      L"ARC\n0,0\n1,0\n2,0\n3,3\n"  // on one line: the end is asked again
  );
  ASSERT_EQ(modelSpace().size(), 4u);
  struct Expected {
    P center;
    double radius, start, end;
  };
  const Expected expected[] = {
      {P(0, 0, 0), 1, 0, M_PI}, {P(0, 0, 0), 1, M_PI, 0}, {P(5, 5, 0), 2, 0, M_PI / 2}};
  for (size_t i = 0; i < 3; ++i) {
    auto arc = open<QvDbArc>(i);
    ASSERT_EQ(arc.openStatus(), Vexa::eOk) << i;
    EXPECT_TRUE(arc->center().isEqualTo(expected[i].center, kTol)) << i;
    EXPECT_NEAR(arc->radius(), expected[i].radius, 1e-12) << i;
    EXPECT_NEAR(arc->startAngle(), expected[i].start, 1e-12) << i;
    EXPECT_NEAR(arc->endAngle(), expected[i].end, 1e-12) << i;
    EXPECT_TRUE(arc->normal().isEqualTo(QvGeVector3d::kZAxis)) << i;
  }
  EXPECT_TRUE(contains("The points make no arc."));
  // The fourth arc passes through all three points it was given at last.
  auto last = open<QvDbArc>(3);
  ASSERT_EQ(last.openStatus(), Vexa::eOk);
  for (const P& p : {P(0, 0, 0), P(1, 0, 0), P(3, 3, 0)})
    EXPECT_NEAR(last->center().distanceTo(p), last->radius(), 1e-9);
}

TEST_F(DrawingCommandsTest, CircleByRadiusDiameterOrPoint) {
  run(L"CIRCLE\n1,1\n2\nCIRCLE\n0,0\nD\n3\nCIRCLE\n0,0\n3,4\nCIRCLE\n0,0\n0\n-1\n1\n");
  ASSERT_EQ(modelSpace().size(), 4u);
  const double radii[] = {2, 1.5, 5, 1};  // zero and negative radii are asked again
  for (size_t i = 0; i < 4; ++i) {
    auto circle = open<QvDbCircle>(i);
    ASSERT_EQ(circle.openStatus(), Vexa::eOk);
    EXPECT_DOUBLE_EQ(circle->radius(), radii[i]);
  }
}

TEST_F(DrawingCommandsTest, PlineWithTangentAndThreePointArcsAndClose) {
  // Along X, a tangent half turn up to (10,10) bulging out to (15,5), back straight and
  // closed; then an open one whose arc passes through a second point below its chord.
  run(L"PLINE\n0,0\n10,0\nA\n10,10\nL\n0,10\nC\n"
      L"PLINE\n0,0\nA\nS\n1,-1\n2,0\n5,5\nU\n\n");
  ASSERT_EQ(modelSpace().size(), 2u);
  auto closed = open<QvDbPolyline>(0);
  ASSERT_EQ(closed.openStatus(), Vexa::eOk);
  ASSERT_EQ(closed->numVerts(), 4u);
  EXPECT_TRUE(closed->isClosed());
  const double bulges[] = {0, 1, 0, 0};
  for (unsigned int i = 0; i < 4; ++i) {
    double b = 0;
    closed->getBulgeAt(i, b);
    EXPECT_NEAR(b, bulges[i], 1e-12) << i;
  }
  P middle;
  ASSERT_EQ(closed->getPointAtParam(1.5, middle), Vexa::eOk);
  EXPECT_TRUE(middle.isEqualTo(P(15, 5, 0), kTol));

  auto open2 = open<QvDbPolyline>(1);
  ASSERT_EQ(open2.openStatus(), Vexa::eOk);
  ASSERT_EQ(open2->numVerts(), 2u);  // the tangent arc to (5,5) was undone
  EXPECT_FALSE(open2->isClosed());
  double b = 0;
  open2->getBulgeAt(0, b);
  EXPECT_NEAR(b, 1.0, 1e-12);  // left to right below the chord: counterclockwise
  ASSERT_EQ(open2->getPointAtParam(0.5, middle), Vexa::eOk);
  EXPECT_TRUE(middle.isEqualTo(P(1, -1, 0), kTol));

  // A start point alone draws nothing.
  run(L"PLINE\n0,0\n\n");
  EXPECT_EQ(modelSpace().size(), 2u);
}

// A fence drawn in pieces, some the other way round, with an arc: one polyline.
constexpr const wchar_t* kFence =
    L"LINE\n0,0\n10,0\n\n"
    L"LINE\n20,0\n10,0\n\n"
    L"ARC\nC\n25,0\n30,0\n20,0\n"
    L"LINE\n30,0\n40,0\n\n";

TEST_F(JoinCommandTest, JoinsAFenceIntoOnePolylineWithTheFirstPiecesLook) {
  run(kFence);
  ASSERT_EQ(modelSpace().size(), 4u);
  {
    QvDbObjectPointer<QvDbLine> first(modelSpace()[0], QvDb::kForWrite);
    ASSERT_EQ(first->setColorIndex(3), Vexa::eOk);
  }
  const auto summary = run(L"JOIN\nALL\n\nY\n");
  EXPECT_EQ(summary.done, 1) << transcript();
  EXPECT_TRUE(contains("4 objects became 1 polyline."));
  ASSERT_EQ(kinds(), std::vector<std::wstring>{L"QvDbPolyline"});
  QvDbObjectPointer<QvDbPolyline> fence(modelSpace()[0], QvDb::kForRead);
  ASSERT_EQ(fence.openStatus(), Vexa::eOk);
  EXPECT_EQ(fence->colorIndex(), 3);
  ASSERT_EQ(fence->numVerts(), 5u);
  P a, b;
  fence->getPointAt(0, a);
  fence->getPointAt(4, b);
  EXPECT_TRUE(a.isEqualTo(P(0, 0, 0)));
  EXPECT_TRUE(b.isEqualTo(P(40, 0, 0)));
  fence.close();
  EXPECT_NEAR(lengthOf(modelSpace()[0]), 30.0 + M_PI * 5.0, 1e-9);  // three 10 m lines, half circle
}

TEST_F(JoinCommandTest, KeepsTheSourcesOnNoAndLeavesWhatCannotBeJoined) {
  run(kFence);
  // A text among the curves: selected, not joined, left alone.
  appendToModelSpace(db(), new QvDbText(P(0, 5, 0), L"Fence", QvDbObjectId(), 1.0, 0.0));
  run(L"JOIN\nALL\n\nN\n");
  EXPECT_TRUE(contains(
      {"4 objects became 1 polyline.", "1 object could not be joined and was left as it was."}));
  EXPECT_EQ(kinds(), (std::vector<std::wstring>{L"QvDbLine", L"QvDbLine", L"QvDbArc", L"QvDbLine",
                                                L"QvDbText", L"QvDbPolyline"}));
}

TEST_F(JoinCommandTest, NothingToJoinAndCancelsChangeNothing) {
  // An empty selection, a cancel at the question, a selection of a text only.
  EXPECT_EQ(run(L"JOIN\n\n").done, 1);
  EXPECT_TRUE(contains("Nothing selected."));
  run(kFence);
  EXPECT_EQ(run(L"JOIN\nALL\n\n^C\n").cancelled, 1);
  EXPECT_EQ(modelSpace().size(), 4u);
  run(L"JOIN\nALL\n\nY\n");
  EXPECT_EQ(modelSpace().size(), 1u);
  run(L"JOIN\nALL\n\nY\n");  // a polyline alone is joined into itself
  EXPECT_EQ(modelSpace().size(), 1u);
  EXPECT_TRUE(contains("1 object became 1 polyline."));
}

TEST_F(LengthenCommandTest, EachEntityIsChangedAtItsOwnPick) {
  run(L"LINE\n0,0\n10,0\n\nLINE\n0,5\n10,5\n\n");
  EXPECT_EQ(run(L"LENGTHEN\n4\nALL\n\n9,0\n1,5\n").done, 1) << transcript();
  EXPECT_TRUE(isLine(0, P(0, 0, 0), P(4, 0, 0)));
  EXPECT_TRUE(isLine(1, P(6, 5, 0), P(10, 5, 0)));
}

TEST_F(LengthenCommandTest, ARefusedValueIsSaidAndChangesNothing) {
  // A straight run of 6 and a half circle of radius 3: what is left of the end arc's circle is
  // 3 pi long, so 10 more cannot be taken round it.
  run(L"PLINE\n0,0\n6,0\nA\n6,6\n\n");
  const QvDbObjectId id = modelSpace().at(0);
  const double before = lengthOf(id);
  const auto summary =
      run(L"LENGTHEN\n" + QvString::format(L"%.6f", before + 10.0) + L"\nALL\n\n6,6\n");
  EXPECT_EQ(1, summary.failed) << transcript();
  EXPECT_TRUE(contains("not changed, the length does not suit it."));
  EXPECT_DOUBLE_EQ(before, lengthOf(id));

  // A circle has no angle to set.
  run(L"CIRCLE\n20,0\n2\n");
  const auto angle = run(L"LENGTHEN\nA\n45\nL\n\n22,0\n");
  EXPECT_EQ(1, angle.failed);
  EXPECT_TRUE(contains("not changed, it cannot be changed that way."));
}

TEST_F(LengthenCommandTest, ACancelAtAPickStopsTheCommand) {
  run(L"LINE\n0,0\n10,0\n\nLINE\n0,5\n10,5\n\n");
  const auto summary = run(L"LENGTHEN\n4\nALL\n\n9,0\n^C\n");
  EXPECT_EQ(1, summary.cancelled) << transcript();
  EXPECT_DOUBLE_EQ(10.0, lengthOf(modelSpace()[1]));
  // An empty selection says so and ends quietly.
  const auto empty = run(L"ENTINFO\n\n");
  EXPECT_EQ(0, empty.failed);
  EXPECT_TRUE(contains("Nothing selected."));
}

}  // namespace
