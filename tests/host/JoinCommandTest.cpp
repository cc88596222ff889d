// JOIN from a script: the polylines it leaves, the sources it erases or keeps, what it says.
#include <gtest/gtest.h>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/rx/QvRxClass.h"
#include "tests/host/CommandModuleFixture.h"

namespace {

using P = QvGePoint3d;

class JoinCommandTest : public CommandModuleFixture {
 protected:
  // The classes of model space's entities, in order.
  std::vector<std::wstring> kinds() const {
    std::vector<std::wstring> out;
    for (const QvDbObjectId& id : modelSpace()) {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
      out.push_back(entity.openStatus() == Vexa::eOk ? entity->isA()->name() : L"?");
    }
    return out;
  }
};

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
  EXPECT_TRUE(contains("4 objects became 1 polyline.")) << transcript();
  ASSERT_EQ(kinds(), std::vector<std::wstring>{L"QvDbPolyline"});
  QvDbObjectPointer<QvDbPolyline> fence(modelSpace()[0], QvDb::kForRead);
  ASSERT_EQ(fence.openStatus(), Vexa::eOk);
  EXPECT_EQ(fence->colorIndex(), 3);
  ASSERT_EQ(fence->numVerts(), 5u);
  double start = 0, end = 0, length = 0;
  fence->getStartParam(start);
  fence->getEndParam(end);
  fence->getDistAtParam(end, length);
  EXPECT_NEAR(length, 30.0 + M_PI * 5.0, 1e-9);  // three 10 m lines and a half circle
  P a, b;
  fence->getPointAt(0, a);
  fence->getPointAt(4, b);
  EXPECT_TRUE(a.isEqualTo(P(0, 0, 0)));
  EXPECT_TRUE(b.isEqualTo(P(40, 0, 0)));
}

TEST_F(JoinCommandTest, KeepsTheSourcesOnNoAndLeavesWhatCannotBeJoined) {
  run(kFence);
  {
    // A text among the curves: selected, not joined, left alone.
    auto* text = new QvDbText(P(0, 5, 0), L"Fence", QvDbObjectId(), 1.0, 0.0);
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    ASSERT_EQ(space->appendQvDbEntity(text), Vexa::eOk);
    text->close();
  }
  run(L"JOIN\nALL\n\nN\n");
  EXPECT_TRUE(contains("4 objects became 1 polyline.")) << transcript();
  EXPECT_TRUE(contains("1 object could not be joined and was left as it was.")) << transcript();
  EXPECT_EQ(kinds(), (std::vector<std::wstring>{L"QvDbLine", L"QvDbLine", L"QvDbArc", L"QvDbLine",
                                                L"QvDbText", L"QvDbPolyline"}));
}

TEST_F(JoinCommandTest, NothingToJoinAndCancelsChangeNothing) {
  // An empty selection, a cancel at the question, a selection of a text only.
  EXPECT_EQ(run(L"JOIN\n\n").done, 1);
  EXPECT_TRUE(contains("Nothing selected.")) << transcript();
  run(kFence);
  EXPECT_EQ(run(L"JOIN\nALL\n\n^C\n").cancelled, 1);
  EXPECT_EQ(modelSpace().size(), 4u);
  run(L"JOIN\nALL\n\nY\n");
  EXPECT_EQ(modelSpace().size(), 1u);
  run(L"JOIN\nALL\n\nY\n");  // a polyline alone is joined into itself
  EXPECT_EQ(modelSpace().size(), 1u);
  EXPECT_TRUE(contains("1 object became 1 polyline.")) << transcript();
}

}  // namespace
