#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>

#include "sdk/ed/VexaAcquireInput.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedInput.h"
#include "tests/support/HostFixture.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;
using testing::ElementsAre;
constexpr double kPi = std::numbers::pi;

class AcquireInputTest : public HostFixture {
 protected:
  void turnedUcs() {
    // Origin (10, 20, 5), X along world Y, Y along world -X.
    ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({10, 20, 5}, {0, 1, 0}, {-1, 0, 0})),
              Vexa::eOk);
  }
};

TEST_F(AcquireInputTest, AnglesFromABasePointInTheUcs) {
  turnedUcs();
  script(L"90\n1,-1\n\n^C\n");
  VexaAcquireInput input;
  input.setPrompt(L"\nSpecify rotation angle <0>: ");
  input.setCursor(VexaAcquireInput::kCursorRubberBand);
  input.setBasePoint(QvGePoint3d(1, 1, 0));
  double angle = -1;
  ASSERT_EQ(input.getAngle(angle), kQvNormal);
  EXPECT_DOUBLE_EQ(angle, kPi / 2);
  // (1, 1) to (1, -1) points along the UCS -Y, whatever the world says.
  ASSERT_EQ(input.getAngle(angle), kQvNormal);
  EXPECT_DOUBLE_EQ(angle, 1.5 * kPi);
  // Enter leaves the caller's value alone (the caller takes it as 0).
  EXPECT_EQ(input.getAngle(angle), kQvNone);
  EXPECT_DOUBLE_EQ(angle, 1.5 * kPi);
  EXPECT_EQ(input.getAngle(angle), kQvCancel);
  EXPECT_EQ(input.cursor(), VexaAcquireInput::kCursorRubberBand);
  EXPECT_THAT(transcript().texts(Kind::kPrompt),
              testing::Each(testing::Eq(L"\nSpecify rotation angle <0>: ")));
  EXPECT_THAT(transcript().texts(Kind::kAnswer), ElementsAre(L"90", L"1,-1", L"", L"*Cancel*"));
}

TEST_F(AcquireInputTest, PointsAreUcsPointsAndKeywordsComeBackAsSuch) {
  turnedUcs();
  script(L"3,4,5\nb\nsomething else\n6,7\n");
  VexaAcquireInput input;
  input.setPrompt(L"\nSpecify base point: ");
  QvGePoint3d p;
  ASSERT_EQ(input.getPoint(p), kQvNormal);
  EXPECT_EQ(p, QvGePoint3d(3, 4, 5));
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{3, 4, 5}));

  input.setKeywords(L"Basepoint _Basepoint");
  input.addInputControls(VexaAcquireInput::kAcceptOtherInput | VexaAcquireInput::kKeepLastPoint);
  ASSERT_EQ(input.prompt(), kQvKeyword);
  EXPECT_EQ(input.keyword(), L"Basepoint");
  ASSERT_EQ(input.prompt(), kQvKeyword);
  EXPECT_EQ(input.keyword(), L"something else");
  QvString typed;
  ASSERT_EQ(qvedGetInput(typed), kQvNormal);  // the host keeps it for qvedGetInput too
  EXPECT_EQ(typed, L"something else");
  // kKeepLastPoint: the accepted point does not become the last point.
  ASSERT_EQ(input.prompt(), kQvNormal);
  EXPECT_EQ(input.point(), QvGePoint3d(6, 7, 0));
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{3, 4, 5}));
}

TEST_F(AcquireInputTest, ControlsRefuseZeroUntilRemoved) {
  script(L"0\n");
  VexaAcquireInput input;
  input.setInputControls(VexaAcquireInput::kNoZeroResponse | VexaAcquireInput::kSpaceEndsString);
  double angle = -1;
  EXPECT_EQ(input.getAngle(angle), kQvCancel);  // "0" asked again, then the script ran out
  EXPECT_THAT(transcript().texts(Kind::kMessage), ElementsAre(L"\nThe value must not be zero."));
  input.removeInputControls(VexaAcquireInput::kNoZeroResponse);
  EXPECT_EQ(input.inputControls(), VexaAcquireInput::kSpaceEndsString);
  script(L"0\n");
  ASSERT_EQ(input.getAngle(angle), kQvNormal);
  EXPECT_DOUBLE_EQ(angle, 0.0);
}

TEST_F(AcquireInputTest, StringsFollowTheStringControls) {
  script(L"  front door  \n  front door  \n  front door  \n\n123456789\n12345\n");
  VexaAcquireInput input;
  input.setCursor(VexaAcquireInput::kCursorText);
  wchar_t buffer[2049];
  // As typed.
  ASSERT_EQ(input.getString(buffer, 2049), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"  front door");
  // Trimmed.
  input.setInputControls(VexaAcquireInput::kTrimString);
  ASSERT_EQ(input.getString(buffer, 2049), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"front door");
  // A blank ends it; the rest answers the next question.
  input.addInputControls(VexaAcquireInput::kSpaceEndsString);
  ASSERT_EQ(input.getString(buffer, 2049), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"front");
  ASSERT_EQ(input.getString(buffer, 2049), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"door");
  // An empty answer is reported as such, and the buffer is left alone.
  EXPECT_EQ(input.getString(buffer, 2049), kQvNone);
  EXPECT_EQ(QvString(buffer), L"door");
  // Too long for the buffer: asked again.
  wchar_t small[6];
  ASSERT_EQ(input.getString(small, 6), kQvNormal);
  EXPECT_EQ(QvString(small), L"12345");
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe answer is too long: at most 5 characters."));
  EXPECT_EQ(input.getString(nullptr, 10), kQvError);
  EXPECT_EQ(input.getString(small, 1), kQvError);
}

TEST_F(AcquireInputTest, QvedInitGetControlsAreNotItsOwn) {
  script(L"\n\n7\n");
  qvedInitGet(kQvInitNoNull, nullptr);
  VexaAcquireInput input;
  double angle = 0;
  EXPECT_EQ(input.getAngle(angle), kQvNone);  // Enter is not refused here...
  int n = 0;
  EXPECT_EQ(qvedGetInt(L"", &n), kQvNormal);  // ...but by the question it was set for
  EXPECT_EQ(n, 7);
}

TEST(AcquireInputNoHostTest, FailsWithoutAHost) {
  VexaAcquireInput input;
  QvGePoint3d p;
  EXPECT_EQ(input.getPoint(p), kQvError);
}

}  // namespace
