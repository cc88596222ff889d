// LINE, ARC, CIRCLE and PLINE from scripts: what they leave in the drawing.
#include <gtest/gtest.h>

#include <cmath>

#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "tests/host/CommandModuleFixture.h"

namespace {

using P = QvGePoint3d;
const QvGeTol kTol(1e-9, 1e-9);

class DrawingCommandsTest : public CommandModuleFixture {
 protected:
  template <typename T>
  QvDbObjectPointer<T> open(size_t index) {
    const std::vector<QvDbObjectId> ids = modelSpace();
    EXPECT_LT(index, ids.size());
    return QvDbObjectPointer<T>(index < ids.size() ? ids[index] : QvDbObjectId(), QvDb::kForRead);
  }
  ::testing::AssertionResult isLine(size_t index, const P& start, const P& end) {
    auto line = open<QvDbLine>(index);
    if (line.openStatus() != Vexa::eOk) return ::testing::AssertionFailure() << "not a line";
    if (!line->startPoint().isEqualTo(start, kTol) || !line->endPoint().isEqualTo(end, kTol))
      return ::testing::AssertionFailure()
             << "line from " << line->startPoint().x << "," << line->startPoint().y << " to "
             << line->endPoint().x << "," << line->endPoint().y;
    return ::testing::AssertionSuccess();
  }
};

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
  EXPECT_NE(transcript().find("All segments already undone."), std::string::npos);
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
  EXPECT_NE(transcript().find("The points make no arc."), std::string::npos);
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

}  // namespace
