#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"
#include "sdk/ge/QvGeScale3d.h"
#include "sdk/render/QvGiSvgWriter.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

class RoundImageTest : public HostFixture {};

// A circle seen through a map that stretches one axis by a hair: the geometry library, the
// database, the draw recorder and the SVG writer each decide whether it stays a circle, and
// they must decide alike, on either side of the shape tolerance.
TEST_F(RoundImageTest, EveryAreaCallsTheSameStretchedCircleRound) {
  const QvDbObjectId block = addBlock(db(), L"RING");
  appendEntity(block, new QvDbCircle({0, 0, 0}, {0, 0, 1}, 5.0));
  for (const double stretch : {QvGePrecision::kRelative / 4, QvGePrecision::kRelative * 4}) {
    SCOPED_TRACE(stretch);
    const bool round = stretch < QvGePrecision::kRelative;
    QvGeMatrix3d map;
    map.entry[1][1] = 1.0 + stretch;

    QvGeCircArc3d arc(QvGePoint3d(1, 2, 0), QvGeVector3d::kZAxis, 5.0);
    EXPECT_EQ(arc.transformBy(map) == Vexa::eOk, round);

    QvDbCircle circle({1, 2, 0}, {0, 0, 1}, 5.0);
    EXPECT_EQ(circle.transformBy(map) == Vexa::eOk, round);

    auto* reference = new QvDbBlockReference({0, 0, 0}, block);
    reference->setScaleFactors(QvGeScale3d(1.0, 1.0 + stretch, 1.0));
    const QvDbObjectId referenceId = appendEntity(db()->modelSpaceId(), reference);
    {
      QvDbObjectPointer<QvDbBlockReference> opened(referenceId, QvDb::kForRead);
      ASSERT_EQ(opened.openStatus(), Vexa::eOk);
      QvGiWorldDrawRecorder recorder;
      recorder.drawTopLevel(opened.object());
      EXPECT_EQ(recorder.count(QvGiWorldDrawRecorder::kCircle), round ? 1 : 0);
      EXPECT_EQ(recorder.count(QvGiWorldDrawRecorder::kEllipticArc), round ? 0 : 1);
    }
    std::ostringstream svg;
    ASSERT_EQ(QvGiSvgWriter::write(db(), L"", svg), Vexa::eOk);
    EXPECT_EQ(svg.str().find("<circle ") != std::string::npos, round);

    QvDbObjectPointer<QvDbBlockReference> erased(referenceId, QvDb::kForWrite);
    ASSERT_EQ(erased->erase(), Vexa::eOk);
  }
}

}  // namespace
