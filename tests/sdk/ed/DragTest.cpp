#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbLine.h"
#include "sdk/ed/QvEdDrag.h"
#include "sdk/ed/QvEdJig.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/render/QvGiDragFrames.h"
#include "tests/support/HostFixture.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;
using testing::ElementsAre;

// A point jig as the insert flow writes them: no change for a repeated point.
class PointJig : public QvEdDrag {
 public:
  DragStatus sampler() override {
    ++samplerCalls;
    QvGePoint3d p;
    const DragStatus status = acquirePoint(p);
    if (status != kNormal) return status;
    if (havePoint && p.isEqualTo(point)) return kNoChange;
    point = p;
    havePoint = true;
    return kNormal;
  }
  bool update() override {
    updates.push_back(point);
    return true;
  }
  QvGePoint3d point;
  bool havePoint = false;
  int samplerCalls = 0;
  std::vector<QvGePoint3d> updates;
};

// A distance jig whose sampler refuses a zero value with its own status.
class ScaleJig : public QvEdDrag {
 public:
  static constexpr DragStatus kZero = static_cast<DragStatus>(-17);
  DragStatus sampler() override {
    double d = 0;
    const DragStatus status = acquireDist(d, QvGePoint3d(0, 0, 0));
    if (status != kNormal) return status;
    if (std::abs(d) <= 1e-10) return kZero;
    value = d;
    return kNormal;
  }
  bool update() override {
    ++updates;
    return true;
  }
  double value = 0;
  int updates = 0;
};

class SilentJig : public QvEdDrag {
 public:
  DragStatus sampler() override { return kNoChange; }
};

class DragTest : public HostFixture {};

MATCHER_P3(IsPoint, x, y, z, "") {
  return arg.isEqualTo(QvGePoint3d(x, y, z));
}

TEST_F(DragTest, SamplesUpdateThePreviewAndAPlainLineIsAccepted) {
  script(L"~1,1\n~1,1\n~2,2\n3,3\n");
  PointJig jig;
  jig.setDispPrompt(L"\nInsertion point: ");
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  // The repeated sample answered no change, so it got no update.
  EXPECT_EQ(jig.samplerCalls, 4);
  EXPECT_THAT(jig.updates, ElementsAre(IsPoint(1, 1, 0), IsPoint(2, 2, 0), IsPoint(3, 3, 0)));
  EXPECT_THAT(jig.point, IsPoint(3, 3, 0));
  // One prompt for the whole drag; samples are no answers.
  EXPECT_EQ(transcript().texts(Kind::kPrompt).size(), 1u);
  EXPECT_THAT(transcript().texts(Kind::kAnswer), ElementsAre(L"3,3"));
  // The accepted point is the last point (in UCS coordinates).
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{3, 3, 0}));

  // Accepting the sampled point gets no other update; kKeepLastPoint leaves LASTPOINT alone.
  script(L"~4,4\n4,4\n");
  PointJig kept;
  kept.setUserInputControls(QvEdDrag::kKeepLastPoint);
  EXPECT_EQ(kept.drag(), QvEdDrag::kNormal);
  EXPECT_EQ(kept.updates.size(), 1u);
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{3, 3, 0}));
}

TEST_F(DragTest, TerminalInputsEndTheDragWithTheirStatuses) {
  script(L"~1,1\nsc\n\n^C\nother\n");
  PointJig jig;
  jig.setKeywordList(L"Basepoint Scale Rotate _Basepoint Scale Rotate");
  EXPECT_EQ(jig.drag(), QvEdDrag::kKeyword2);
  EXPECT_EQ(QvEdDrag::keywordIndex(QvEdDrag::kKeyword2), 1);
  EXPECT_EQ(jig.lastInputText(), L"sc");
  EXPECT_EQ(jig.updates.size(), 1u);
  EXPECT_EQ(jig.drag(), QvEdDrag::kNull);
  EXPECT_EQ(jig.drag(), QvEdDrag::kCancel);
  jig.setUserInputControls(QvEdDrag::kAcceptOtherInput);
  EXPECT_EQ(jig.drag(), QvEdDrag::kOtherInput);
  EXPECT_EQ(jig.lastInputText(), L"other");
  double d = 0;
  EXPECT_EQ(jig.acquireDistFromInput(d), QvEdDrag::kOtherInput);  // "other" is no distance
  // The script has run out: a cancel.
  EXPECT_EQ(jig.drag(), QvEdDrag::kCancel);
  EXPECT_EQ(jig.updates.size(), 1u);

  // A sampler that reads nothing must not hang the drag.
  script(L"1,1\n");
  SilentJig silent;
  EXPECT_EQ(silent.drag(), QvEdDrag::kNoChange);
  EXPECT_EQ(host().service<VexaInputScript>().linesLeft(), 1);
}

TEST_F(DragTest, ABadLineAsksAgainInsideTheDrag) {
  script(L"~1,1\nabc\n~2,2\n5,5\n");
  PointJig jig;
  jig.setDispPrompt(L"\nP: ");
  jig.setKeywordList(L" ");
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_THAT(jig.point, IsPoint(5, 5, 0));
  EXPECT_THAT(
      entries(),
      ElementsAre(testing::Pair(Kind::kPrompt, L"\nP: "), testing::Pair(Kind::kAnswer, L"abc"),
                  testing::Pair(Kind::kMessage, L"\nA point is required."),
                  testing::Pair(Kind::kPrompt, L"\nP: "), testing::Pair(Kind::kAnswer, L"5,5")));
}

TEST_F(DragTest, ASamplerStatusOtherThanNormalEndsTheDragUnlessAControlAsksAgain) {
  script(L"~3,4\n~0,0\n2\n");
  ScaleJig jig;
  EXPECT_EQ(jig.drag(), ScaleJig::kZero);  // the cursor at the base point
  EXPECT_EQ(jig.updates, 1);
  EXPECT_DOUBLE_EQ(jig.value, 5.0);
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(jig.value, 2.0);
  EXPECT_EQ(jig.updates, 2);

  // The no-zero and no-negative controls ask again for typed values instead.
  script(L"0\n-2\n4\n");
  jig.setUserInputControls(QvEdDrag::kNoZeroResponse | QvEdDrag::kNoNegativeResponse);
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(jig.value, 4.0);
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe value must not be zero.", L"\nThe value must not be negative."));
  // Without them the jig's own zero status comes through.
  script(L"0\n");
  jig.setUserInputControls(0);
  EXPECT_EQ(jig.drag(), ScaleJig::kZero);
}

TEST_F(DragTest, ScaleFactorsAreCornerDistancesInTheUcsOrATypedValue) {
  // A UCS turned a quarter turn about Z: factors follow its axes, not the world's.
  ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({0, 0, 0}, {0, 1, 0}, {-1, 0, 0})), Vexa::eOk);
  script(L"3,4\n-2\nsomething\n1.5\n");
  auto jig = std::make_unique<QvEdJig>();
  QvGePoint3d corner;
  double x = 0;
  double y = 0;
  const QvGePoint3d base(0, 0, 0);
  EXPECT_EQ(jig->acquireScaleFactor(base, corner, x, y), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(x, 3.0);
  EXPECT_DOUBLE_EQ(y, 4.0);
  EXPECT_THAT(corner, IsPoint(-4, 3, 0));  // the UCS point (3, 4) in the world
  EXPECT_EQ(jig->acquireScaleFactor(base, corner, x, y), QvEdDrag::kTypedValue);
  EXPECT_DOUBLE_EQ(x, -2.0);
  EXPECT_DOUBLE_EQ(y, -2.0);
  EXPECT_THAT(corner, IsPoint(-4, 3, 0));  // left alone
  // Other text, then read as a distance.
  jig->setUserInputControls(QvEdDrag::kAcceptOtherInput);
  EXPECT_EQ(jig->acquireScaleFactor(base, corner, x, y), QvEdDrag::kOtherInput);
  jig->setUserInputControls(QvEdDrag::kAcceptOtherInput);
  double d = 0;
  EXPECT_EQ(jig->acquirePoint(corner), QvEdDrag::kOtherInput);  // "1.5" is no point
  EXPECT_EQ(jig->acquireDistFromInput(d), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(d, 1.5);
}

TEST_F(DragTest, AnglesAndDistancesFromABaseOrTheLastPoint) {
  ASSERT_EQ(vars().set(L"LASTPOINT", VexaSysVarValue::ofPoint({1, 1, 0})), VexaSysVarResult::kOk);
  script(L"~4,5\n4,5\n~1,2\n0,2\n45\n");
  QvEdJig jig;  // no base point: from LASTPOINT (1, 1)
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(jig.distance(), 5.0);
  double a = 0;
  EXPECT_EQ(jig.acquireAngle(a, QvGePoint3d(1, 1, 0)), QvEdDrag::kNormal);  // cursor skipped
  EXPECT_DOUBLE_EQ(a, 0.75 * std::numbers::pi);
  EXPECT_EQ(jig.acquireAngle(a), QvEdDrag::kNormal);
  EXPECT_DOUBLE_EQ(a, 0.25 * std::numbers::pi);
}

// A jig whose preview is a line from the origin to the sampled point, with a marker line
// drawn besides; a sample on the x axis asks for no redraw.
class LineJig : public QvEdDrag {
 public:
  LineJig() { marker.setEndPoint(QvGePoint3d(0, -1, 0)); }
  DragStatus sampler() override {
    QvGePoint3d p;
    const DragStatus status = acquirePoint(p);
    if (status == kNormal) point = p;
    return status;
  }
  bool update() override {
    preview.setEndPoint(point);
    return point.y != 0.0;
  }
  QvDbEntity* entity() const override {
    ++asked;
    return const_cast<QvDbLine*>(&preview);
  }
  QvArray<QvDbEntity*> drawnEntities() override {
    QvArray<QvDbEntity*> extra;
    extra.append(&marker);
    return extra;
  }
  QvGePoint3d point;
  QvDbLine preview;
  QvDbLine marker;
  mutable int asked = 0;  // calls of entity()
};

TEST_F(DragTest, EachRedrawIsAFrameOfThePreviewDrawnOnlyWhenRecorded) {
  // With nothing watching, frames are counted and the preview is not asked for.
  script(L"~1,1\n~2,3\n4,4\n");
  QvGiDragFrames* frames = QvGiDragFrames::current();
  LineJig unseen;
  EXPECT_EQ(unseen.drag(), QvEdDrag::kNormal);
  EXPECT_EQ(frames->frameCount(), 3);
  EXPECT_TRUE(frames->frames().empty());
  EXPECT_EQ(unseen.asked, 0);

  frames->clear();
  frames->setRecording(true);
  script(L"~1,1\n~5,0\n~2,3\n4,4\n");
  LineJig jig;
  EXPECT_EQ(jig.drag(), QvEdDrag::kNormal);
  // The sample on the x axis asked for no redraw.
  ASSERT_EQ(frames->frameCount(), 3);
  const QvGiDragFrames::Frame& second = frames->frames()[1];
  ASSERT_EQ(second.size(), 2u);  // the preview, then the drawn entity
  EXPECT_THAT(second[0].points[1], IsPoint(2, 3, 0));
  EXPECT_THAT(second[1].points[1], IsPoint(0, -1, 0));
  EXPECT_THAT(frames->frames()[2][0].points[1], IsPoint(4, 4, 0));
}

// A long drag keeps its last frames, oldest first, and counts them all.
TEST_F(DragTest, OnlyTheLastFramesAreKept) {
  QvGiDragFrames* frames = QvGiDragFrames::current();
  frames->setRecording(true);
  const int drawn = QvGiDragFrames::kKeptFrames + 4;
  for (int i = 0; i < drawn; ++i) {
    QvDbLine line(QvGePoint3d(0, 0, 0), QvGePoint3d(i, 0, 0));
    frames->drawFrame({&line});
  }
  EXPECT_EQ(frames->frameCount(), drawn);
  ASSERT_EQ(frames->frames().size(), static_cast<size_t>(QvGiDragFrames::kKeptFrames));
  EXPECT_THAT(frames->frames().front()[0].points[1], IsPoint(4, 0, 0));
  EXPECT_THAT(frames->frames().back()[0].points[1], IsPoint(drawn - 1, 0, 0));
  frames->clear();
  EXPECT_EQ(frames->frameCount(), 0);
  EXPECT_TRUE(frames->frames().empty());
}

}  // namespace
