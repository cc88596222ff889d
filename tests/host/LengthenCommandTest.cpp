// ENTINFO and LENGTHEN from a script: refusals are said and leave the drawing alone, a cancel
// at a pick stops the command, several entities are each changed at their own pick. (What they
// print for each kind of entity runs end to end in examples/lengthen.script.)
#include <gtest/gtest.h>

#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "tests/host/CommandModuleFixture.h"

namespace {

class LengthenCommandTest : public CommandModuleFixture {
 protected:
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

TEST_F(LengthenCommandTest, EachEntityIsChangedAtItsOwnPick) {
  run(L"LINE\n0,0\n10,0\n\nLINE\n0,5\n10,5\n\n");
  const auto ids = modelSpace();
  ASSERT_EQ(2u, ids.size());
  const auto summary = run(L"LENGTHEN\n4\nALL\n\n9,0\n1,5\n");
  EXPECT_EQ(1, summary.done) << transcript();
  QvDbObjectPointer<QvDbCurve> first(ids[0], QvDb::kForRead), second(ids[1], QvDb::kForRead);
  QvGePoint3d a, b;
  first->getEndPoint(a);
  second->getStartPoint(b);
  EXPECT_TRUE(a.isEqualTo(QvGePoint3d(4, 0, 0))) << a.x;
  EXPECT_TRUE(b.isEqualTo(QvGePoint3d(6, 5, 0))) << b.x;
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
  EXPECT_TRUE(contains("not changed, the length does not suit it.")) << transcript();
  EXPECT_DOUBLE_EQ(before, lengthOf(id));

  // A circle has no angle to set.
  run(L"CIRCLE\n20,0\n2\n");
  const auto angle = run(L"LENGTHEN\nA\n45\nL\n\n22,0\n");
  EXPECT_EQ(1, angle.failed);
  EXPECT_TRUE(contains("not changed, it cannot be changed that way.")) << transcript();
}

TEST_F(LengthenCommandTest, ACancelAtAPickStopsTheCommand) {
  run(L"LINE\n0,0\n10,0\n\nLINE\n0,5\n10,5\n\n");
  const auto summary = run(L"LENGTHEN\n4\nALL\n\n9,0\n^C\n");
  EXPECT_EQ(1, summary.cancelled) << transcript();
  EXPECT_DOUBLE_EQ(10.0, lengthOf(modelSpace()[1]));
  // An empty selection says so and ends quietly.
  const auto empty = run(L"ENTINFO\n\n");
  EXPECT_EQ(0, empty.failed);
  EXPECT_TRUE(contains("Nothing selected.")) << transcript();
}

}  // namespace
