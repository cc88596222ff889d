#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
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
using testing::Pair;
constexpr double kPi = std::numbers::pi;

class InputTest : public HostFixture {
 protected:
  // Origin (10, 20, 5), X along world Y, Y along world -X.
  void turnedUcs() {
    ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({10, 20, 5}, {0, 1, 0}, {-1, 0, 0})),
              Vexa::eOk);
  }
  // The next point question under `controls` and `keywords`: the text qvedGetInput gives for a
  // keyword or other input, "<normal>" for a point, else "<status N>".
  static QvString pointAnswer(int controls, const wchar_t* keywords) {
    double p[3];
    qvedInitGet(controls, keywords);
    const int rc = qvedGetPoint(nullptr, L"", p);
    QvString text;
    if (rc == kQvKeyword) {
      EXPECT_EQ(qvedGetInput(text), kQvNormal);
    }
    if (rc == kQvNormal) text = L"<normal>";
    return rc == kQvKeyword || rc == kQvNormal ? text : QvString::format(L"<status %d>", rc);
  }
  // The next keyword question on "Ja Nein _Yes No" under `controls`: its text, or "<status N>".
  static QvString keywordAnswer(int controls = 0) {
    QvString kw = L"old";
    qvedInitGet(controls, L"Ja Nein _Yes No");
    const int rc = qvedGetKword(L"", kw);
    return rc == kQvNormal ? kw : QvString::format(L"<status %d>", rc) + kw;
  }
};

TEST_F(InputTest, PointsDistancesAndAnglesAreInTheUcs) {
  // A base point read as a world point would give other distances and angles.
  turnedUcs();
  script(L"1,2\n3,4,6\n4,5\n1,-1\n2,2\n");
  double p[3] = {};
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nPoint: ", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{1.0, 2.0, 0.0}));
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{1, 2, 0}));
  ASSERT_EQ(qvedGetCorner(p, L"\nCorner: ", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 6.0}));
  const double base[3] = {1, 1, 0};
  double d = 0;
  ASSERT_EQ(qvedGetDist(base, L"", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 5.0);
  ASSERT_EQ(qvedGetAngle(base, L"", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 1.5 * kPi);
  // The corner of a base point does not move it.
  ASSERT_EQ(qvedGetCorner(base, L"", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{2.0, 2.0, 0.0}));
  EXPECT_EQ(qvedGetCorner(nullptr, L"\nCorner: ", p), kQvError);
  EXPECT_EQ(qvedGetPoint(nullptr, L"x", nullptr), kQvError);
}

TEST_F(InputTest, DistancesComeTypedOrFromPoints) {
  const double base[3] = {1, 1, 0};
  script(
      L"2.5\n"
      L"0,0\n3,4\n"        // no base: a first point, then a second
      L"1,1,1\n1,1,1\n");  // no base, zero distance under kQvInitNoZero: asked again
  double d = 0;
  ASSERT_EQ(qvedGetDist(base, L"\nDistance: ", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 2.5);
  transcript().clear();
  ASSERT_EQ(qvedGetDist(nullptr, L"\nDistance: ", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 5.0);
  EXPECT_THAT(
      entries(),
      ElementsAre(Pair(Kind::kPrompt, L"\nDistance: "), Pair(Kind::kAnswer, L"0,0"),
                  Pair(Kind::kPrompt, L"\nSpecify second point: "), Pair(Kind::kAnswer, L"3,4")));
  qvedInitGet(kQvInitNoZero, nullptr);
  EXPECT_EQ(qvedGetDist(nullptr, L"\nDistance: ", &d), kQvCancel);  // ran out after the re-ask
  EXPECT_THAT(transcript().texts(Kind::kMessage), ElementsAre(L"\nThe value must not be zero."));
}

TEST_F(InputTest, AnglesAreDegreesRadiansOrDirections) {
  struct Row {
    const wchar_t* line;
    bool fromOrigin;
    double radians;
  };
  const Row rows[] = {{L"90", false, kPi / 2}, {L"-90", false, 1.5 * kPi},  // into one turn
                      {L"0.5r", false, 0.5},   {L"1,1", true, kPi / 4},
                      {L"-1,0", true, kPi},    {L"0,0\n0,-2", false, 1.5 * kPi}};
  const double origin[3] = {0, 0, 0};
  for (const Row& row : rows) {
    SCOPED_TRACE(QvString(row.line).utf8());
    script(QvString(row.line) + L"\n");
    double a = -1;
    ASSERT_EQ(qvedGetAngle(row.fromOrigin ? origin : nullptr, L"", &a), kQvNormal);
    EXPECT_DOUBLE_EQ(a, row.radians);
  }
  // Zero is judged within the turn.
  script(L"360\n-720\n6.283185307179586r\n45\n");
  double a = -1;
  qvedInitGet(kQvInitNoZero, nullptr);
  ASSERT_EQ(qvedGetAngle(nullptr, L"\nAngle: ", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, kPi / 4);
  const std::wstring zero = L"\nThe value must not be zero.";
  EXPECT_THAT(transcript().texts(Kind::kMessage), ElementsAre(zero, zero, zero));
}

TEST_F(InputTest, NumbersAreCheckedAndBadLinesAskAgain) {
  script(L"0\n-3\nabc\n2.5\n40000\n4\n0\n");
  int n = 0;
  qvedInitGet(kQvInitNoZero | kQvInitNoNegative, nullptr);
  ASSERT_EQ(qvedGetInt(L"\nRows: ", &n), kQvNormal);
  EXPECT_EQ(n, 4);
  const std::wstring wantInt = L"\nA whole number from -32768 to 32767 is required.";
  EXPECT_THAT(transcript().texts(Kind::kAnswer),
              ElementsAre(L"0", L"-3", L"abc", L"2.5", L"40000", L"4"));
  EXPECT_EQ(transcript().texts(Kind::kPrompt), std::vector<QvString>(6, L"\nRows: "));
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe value must not be zero.", L"\nThe value must not be negative.",
                          wantInt, wantInt, wantInt));
  // The controls applied to that question only.
  ASSERT_EQ(qvedGetInt(L"\nColumns: ", &n), kQvNormal);
  EXPECT_EQ(n, 0);

  script(L"1e-3\n\n");
  double r = 0;
  ASSERT_EQ(qvedGetReal(L"", &r), kQvNormal);
  EXPECT_DOUBLE_EQ(r, 0.001);
  EXPECT_EQ(qvedGetReal(L"", &r), kQvNone);
  EXPECT_DOUBLE_EQ(r, 0.001);  // unchanged by an empty answer
}

TEST_F(InputTest, EmptyCancelExhaustionAndCursorLines) {
  script(L"\n^C\n\n7\n~5,5\n~bad\n2,3\n");
  int n = 5;
  EXPECT_EQ(qvedGetInt(L"", &n), kQvNone);
  EXPECT_EQ(qvedGetInt(L"", &n), kQvCancel);
  qvedInitGet(kQvInitNoNull, nullptr);
  EXPECT_EQ(qvedGetInt(L"", &n), kQvNormal);  // the empty line asked again
  EXPECT_EQ(n, 7);
  // Cursor lines do not answer plain questions.
  double p[3];
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nP: ", p), kQvNormal);
  EXPECT_DOUBLE_EQ(p[0], 2.0);
  QvString s;
  EXPECT_EQ(qvedGetPoint(nullptr, L"", p), kQvCancel);
  EXPECT_EQ(qvedGetString(1, L"", s), kQvCancel);
  EXPECT_EQ(qvedGetKword(L"", s), kQvCancel);
  EXPECT_EQ(host().service<VexaInputScript>().readsPastEnd(), 3);
  EXPECT_THAT(transcript().texts(Kind::kAnswer),
              ElementsAre(L"", L"*Cancel*", L"", L"7", L"~bad", L"2,3", L"*Cancel*", L"*Cancel*",
                          L"*Cancel*"));
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nAn answer is required.", L"\nThe cursor line holds no point."));
}

TEST_F(InputTest, KeywordsAndOtherInputAnswerPointQuestions) {
  const wchar_t* list =
      L"Basepoint Scale Rotate PScale PRotate _Basepoint Scale Rotate PScale PRotate";
  script(L"ps\nr\n_pscale\nxyz\n2,2\n");
  EXPECT_EQ(pointAnswer(0, list), L"PScale");
  EXPECT_EQ(pointAnswer(0, list), L"Rotate");
  EXPECT_EQ(pointAnswer(0, list), L"PScale");
  EXPECT_EQ(pointAnswer(0, list), L"<normal>");  // "xyz" asked again
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nA point or an option (Basepoint/Scale/Rotate/PScale/PRotate) is "
                          L"required."));
  // A value answer leaves nothing for qvedGetInput.
  QvString input;
  EXPECT_EQ(qvedGetInput(input), kQvError);

  // The array spacing question: a point, other text for a typed distance, or Enter.
  const int controls = kQvInitOther | kQvInit3d;
  script(L"3,4,5\n 12'6  \n\n10\nn\nnix\n");
  double p[3] = {-1, -1, -1};
  qvedInitGet(controls, nullptr);
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nSpacing: ", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 5.0}));
  EXPECT_EQ(qvedGetInput(input), kQvError);  // a point is no text
  EXPECT_EQ(pointAnswer(controls, nullptr), L"12'6");
  qvedInitGet(controls, nullptr);
  EXPECT_EQ(qvedGetPoint(nullptr, L"\nSpacing: ", p), kQvNone);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 5.0}));  // left as it was
  EXPECT_EQ(qvedGetInput(input), kQvError);
  EXPECT_EQ(pointAnswer(controls, nullptr), L"10");
  wchar_t text[8];
  ASSERT_EQ(qvedGetInput(text, 8), kQvNormal);
  EXPECT_EQ(QvString(text), L"10");
  EXPECT_EQ(qvedGetInput(text, 2), kQvError);  // too small for "10"
  // Keywords still win over other text, and give their global form.
  EXPECT_EQ(pointAnswer(kQvInitOther, L"Ja Nein _Yes No"), L"No");
  EXPECT_EQ(pointAnswer(kQvInitOther, L"Ja Nein _Yes No"), L"nix");
  EXPECT_THAT(transcript().texts(Kind::kMessage), testing::SizeIs(1));
}

TEST_F(InputTest, KeywordQuestionsAnswerTheGlobalKeyword) {
  script(L"j\n_no\nyes\nn\n\nwhatever\n");
  EXPECT_EQ(keywordAnswer(), L"Yes");
  EXPECT_EQ(keywordAnswer(), L"No");
  EXPECT_EQ(keywordAnswer(), L"No");  // "yes" is asked again
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nOne of the options (Ja/Nein) is required."));
  // An empty answer leaves an empty text.
  EXPECT_EQ(keywordAnswer(), QvString::format(L"<status %d>", kQvNone));
  // Other input accepted: the text as typed, refused when it does not fit the buffer.
  qvedInitGet(kQvInitOther, L"Ja Nein _Yes No");
  wchar_t buf[4] = L"old";
  EXPECT_EQ(qvedGetKword(L"", buf, 4), kQvError);  // "whatever" does not fit
  script(L"ja\n\n");
  qvedInitGet(0, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetKword(L"", buf, 4), kQvNormal);
  EXPECT_EQ(QvString(buf), L"Yes");
  qvedInitGet(0, L"Yes No");
  ASSERT_EQ(qvedGetKword(L"", buf, 4), kQvNone);
  EXPECT_EQ(buf[0], L'\0');
}

TEST_F(InputTest, StringsWithAndWithoutSpaces) {
  script(L"  two words  \nab cd\n\n123456\n1234\n");
  QvString s;
  ASSERT_EQ(qvedGetString(1, L"", s), kQvNormal);
  EXPECT_EQ(s, L"  two words");
  ASSERT_EQ(qvedGetString(0, L"", s), kQvNormal);
  EXPECT_EQ(s, L"ab");
  // The rest of the line is typed ahead for the next question.
  ASSERT_EQ(qvedGetString(0, L"", s), kQvNormal);
  EXPECT_EQ(s, L"cd");
  // An empty answer is a normal answer with an empty text.
  s = L"old";
  ASSERT_EQ(qvedGetString(1, L"", s), kQvNormal);
  EXPECT_TRUE(s.isEmpty());
  // The buffer form refuses what does not fit and asks again.
  wchar_t buf[5];
  ASSERT_EQ(qvedGetString(1, L"\nName: ", buf, 5), kQvNormal);
  EXPECT_EQ(QvString(buf), L"1234");
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe answer is too long: at most 4 characters."));
  EXPECT_EQ(qvedGetString(1, L"", nullptr, 5), kQvError);
  // A buffer of one character holds the empty answer only (fuzzing found longer ones refused
  // with an error instead of asked again).
  script(L"abc\n\n");
  transcript().clear();
  wchar_t one[1] = {L'x'};
  ASSERT_EQ(qvedGetString(1, L"", one, 1), kQvNormal);
  EXPECT_EQ(one[0], L'\0');
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe answer is too long: at most 0 characters."));
  // String questions ignore keywords.
  script(L"Yes\n");
  qvedInitGet(0, L"Yes No");
  ASSERT_EQ(qvedGetString(1, L"", s), kQvNormal);
  EXPECT_EQ(s, L"Yes");
}

TEST_F(InputTest, ARefusedCallStillTakesTheControlsMeantForIt) {
  // Each call is refused for a bad argument; the no-null control set for it must not reach the
  // next question (which would then ask the empty line again and run out: a cancel).
  double p[3];
  int n = 0;
  const std::vector<std::function<int()>> refused = {
      [&] { return qvedGetCorner(nullptr, L"", p); },
      [&] { return qvedGetPoint(nullptr, L"", nullptr); },
      [&] { return qvedGetDist(nullptr, L"", nullptr); },
      [&] { return qvedGetInt(L"", nullptr); },
      [&] { return qvedGetString(1, L"", nullptr, 8); },
      [&] { return qvedGetKword(L"", nullptr, 8); },
  };
  for (size_t i = 0; i < refused.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_EQ(qvedInitGet(kQvInitNoNull, L"Yes No"), kQvNormal);
    EXPECT_EQ(refused[i](), kQvError);
    script(L"\n");
    EXPECT_EQ(qvedGetInt(L"", &n), kQvNone);
  }
  EXPECT_TRUE(transcript().texts(Kind::kMessage).empty());
}

TEST_F(InputTest, TypedAheadTextIsAnsweredAsTyped) {
  // Without spaces a blank ends the answer; what follows answers the next questions as typed,
  // even where a script line of that form would be a comment, a cursor move or a cancel.
  script(L"Room #1 ~2,3 ^C\nlast\n");
  QvString s;
  std::vector<std::wstring> got;
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(qvedGetString(0, L"\nName: ", s), kQvNormal);
    got.push_back(s.wstr());
  }
  EXPECT_THAT(got, ElementsAre(L"Room", L"#1", L"~2,3", L"^C", L"last"));
  // Each prompt is followed by the answer it got.
  ASSERT_EQ(entries().size(), 10u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_THAT(entries()[2 * i], Pair(Kind::kPrompt, L"\nName: "));
    EXPECT_THAT(entries()[2 * i + 1], Pair(Kind::kAnswer, got[i]));
  }
}

TEST(InputNoHostTest, QuestionsFailWithoutAHost) {
  int n = 0;
  EXPECT_EQ(qvedGetInt(L"", &n), kQvError);
  EXPECT_EQ(qvedInitGet(0, nullptr), kQvError);
  QvGePoint3d p;
  EXPECT_EQ(VexaAcquireInput().getPoint(p), kQvError);
}

// The question object modules use: its settings reach the question it asks.
using AcquireInputTest = InputTest;

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
  ASSERT_EQ(input.getString(buffer, 2049), kQvNormal);
  EXPECT_EQ(QvString(buffer), L"  front door");
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

}  // namespace
