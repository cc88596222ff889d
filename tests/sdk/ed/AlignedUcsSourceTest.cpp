// The OBject option of the UCS command with an aligned UCS source set, as a loaded module sets
// one: the source's frame wins, and the host's own rule serves when it does not answer.
#include <gtest/gtest.h>

#include "sdk/db/QvDbLine.h"
#include "sdk/ed/IVexaAlignedUcsSource.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedUcs.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

// Answers for lines only: a frame at the line's end, turned a quarter about Z from the
// current UCS it is given, and notes what it was asked.
class QuarterTurnAtEnd final : public IVexaAlignedUcsSource {
 public:
  Vexa::ErrorStatus alignedUcs(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                               QvGeMatrix3d& ucs) override {
    ++calls;
    sawPick = pickPoint != nullptr;
    if (pickPoint) pick = *pickPoint;
    wasReadable = entity && entity->isReadEnabled();
    const QvDbLine* line = QvDbLine::cast(entity);
    if (!line) return Vexa::eNotImplemented;
    QvGePoint3d origin;
    QvGeVector3d x, y, z;
    ucs.getCoordSystem(origin, x, y, z);
    ucs.setCoordSystem(line->endPoint(), y, -x, z);
    return Vexa::eOk;
  }
  int calls = 0;
  bool sawPick = false;
  QvGePoint3d pick;
  bool wasReadable = false;
};

class AlignedUcsSource : public HostFixture {
 protected:
  VexaUcs ucs() { return vars().currentUcs(); }
  void objectUcs(const QvDbObjectId& id) {
    run(QvString::format(L"UCS\nOB\nH %s\n", id.handle().ascii().c_str()));
  }
};

TEST_F(AlignedUcsSource, TheSourceAnswersFirstAndTheHostServesTheRest) {
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(1, 1, 0), QvGePoint3d(4, 5, 0)));
  QuarterTurnAtEnd source;
  EXPECT_EQ(vexaSetAlignedUcsSource(&source), nullptr);

  objectUcs(line);
  EXPECT_EQ(source.calls, 1);
  EXPECT_FALSE(source.sawPick);
  EXPECT_TRUE(source.wasReadable);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(4, 5, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d::kYAxis);
  EXPECT_VECTOR_NEAR(ucs().yAxis(), -QvGeVector3d::kXAxis);
  EXPECT_TRUE(nothingLeftOpen(db()));

  // Taken away again, the host's own rule: the start point, X along the line.
  EXPECT_EQ(vexaSetAlignedUcsSource(nullptr), &source);
  objectUcs(line);
  EXPECT_EQ(source.calls, 1);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(1, 1, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d(0.6, 0.8, 0));
}

TEST_F(AlignedUcsSource, APointPicksTheNearestEntityAndReachesTheSource) {
  ASSERT_FALSE(
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0))).isNull());
  ASSERT_FALSE(
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 1, 5), QvGePoint3d(10, 1, 5))).isNull());
  QuarterTurnAtEnd source;
  vexaSetAlignedUcsSource(&source);
  // Seen from above the second line passes 0.2 from the pick, the first 0.8.
  run(L"UCS\nOB\n4,0.8\n");
  ASSERT_EQ(source.calls, 1);
  EXPECT_TRUE(source.sawPick);
  EXPECT_POINT_NEAR(source.pick, QvGePoint3d(4, 0.8, 0));
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 1, 5));
  // Back in the world UCS, a pick nearer the first line.
  run(L"UCS\nW\nUCS\nOB\n9,-0.5\n");
  ASSERT_EQ(source.calls, 2);
  EXPECT_POINT_NEAR(source.pick, QvGePoint3d(9, -0.5, 0));
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 0, 0));
  // Nothing within the aperture: nothing is selected and the UCS stays.
  run(L"UCS\nOB\n40,40\n\n");
  EXPECT_EQ(source.calls, 2);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 0, 0));
  vexaSetAlignedUcsSource(nullptr);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

TEST_F(AlignedUcsSource, EntitiesTheSourceRefusesFallBackToTheHost) {
  class Refusing final : public IVexaAlignedUcsSource {
   public:
    Vexa::ErrorStatus alignedUcs(QvDbEntity*, const QvGePoint3d*, QvGeMatrix3d& ucs) override {
      ucs.setToIdentity();  // a refusal's frame is not taken
      return Vexa::eNotApplicable;
    }
  } refusing;
  vexaSetAlignedUcsSource(&refusing);
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(2, 0, 0), QvGePoint3d(2, 3, 0)));
  objectUcs(line);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(2, 0, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d::kYAxis);
  vexaSetAlignedUcsSource(nullptr);
  EXPECT_TRUE(nothingLeftOpen(db()));
}

}  // namespace
