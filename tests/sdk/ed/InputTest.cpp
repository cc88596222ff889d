#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGePoint3d.h"
#include "tests/support/HostFixture.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;
using testing::ElementsAre;
using testing::Pair;
constexpr double kPi = std::numbers::pi;

class InputTest : public HostFixture {};

TEST_F(InputTest, PointsComeAndGoInTheUcs) {
  // UCS at (10, 20, 5), X along world Y, Y along world -X.
  ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({10, 20, 5}, {0, 1, 0}, {-1, 0, 0})),
            Vexa::eOk);
  script(L"1,2\n3,4,6\n");
  double p[3] = {};
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nPoint: ", p), kQvNormal);
  // A typed point comes back as typed; qvedTrans carries it to the world:
  // origin + 1 * X + 2 * Y = (10 - 2, 20 + 1, 5).
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{1.0, 2.0, 0.0}));
  QvGePoint3d world;
  ASSERT_EQ(qvedTrans(QvGePoint3d(p[0], p[1], p[2]), kQvTransUcs, kQvTransWorld, false, world),
            kQvNormal);
  EXPECT_DOUBLE_EQ(world.x, 8.0);
  EXPECT_DOUBLE_EQ(world.y, 21.0);
  EXPECT_DOUBLE_EQ(world.z, 5.0);
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{1, 2, 0}));
  ASSERT_EQ(qvedGetCorner(p, L"\nCorner: ", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 6.0}));
  EXPECT_EQ(qvedGetCorner(nullptr, L"\nCorner: ", p), kQvError);
  EXPECT_EQ(qvedGetPoint(nullptr, L"x", nullptr), kQvError);
}

TEST_F(InputTest, BasePointsAreUcsPoints) {
  // Away from the world origin and turned: a base point read as a world point would give
  // other distances and angles.
  ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({10, 20, 5}, {0, 1, 0}, {-1, 0, 0})),
            Vexa::eOk);
  script(L"4,5\n1,-1\n2,2\n");
  const double base[3] = {1, 1, 0};
  double d = 0;
  ASSERT_EQ(qvedGetDist(base, L"", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 5.0);
  double a = 0;
  ASSERT_EQ(qvedGetAngle(base, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, 1.5 * kPi);
  // The corner of a base point does not move it.
  double c[3];
  ASSERT_EQ(qvedGetCorner(base, L"", c), kQvNormal);
  EXPECT_EQ((std::array{c[0], c[1], c[2]}), (std::array{2.0, 2.0, 0.0}));
}

TEST_F(InputTest, DistancesComeTypedOrFromPoints) {
  const double base[3] = {1, 1, 0};
  script(
      L"2.5\n"
      L"4,5\n"             // from the base: a 3-4-5 triangle
      L"0,0\n3,4\n"        // no base: a first point, then a second
      L"1,1,1\n1,1,1\n");  // no base, zero distance under kQvInitNoZero: asked again
  double d = 0;
  ASSERT_EQ(qvedGetDist(base, L"\nDistance: ", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 2.5);
  ASSERT_EQ(qvedGetDist(base, L"\nDistance: ", &d), kQvNormal);
  EXPECT_DOUBLE_EQ(d, 5.0);
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

TEST_F(InputTest, AnglesAreDegreesRadiansOrDirectionsInTheUcs) {
  script(L"90\n-90\n0.5r\n1,1\n-1,0\n0,0\n0,-2\n");
  double a = 0;
  ASSERT_EQ(qvedGetAngle(nullptr, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, kPi / 2);
  ASSERT_EQ(qvedGetAngle(nullptr, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, 1.5 * kPi);  // brought into one turn
  ASSERT_EQ(qvedGetAngle(nullptr, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, 0.5);
  const double origin[3] = {0, 0, 0};
  ASSERT_EQ(qvedGetAngle(origin, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, kPi / 4);
  ASSERT_EQ(qvedGetAngle(origin, L"", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, kPi);
  // A rotated UCS: directions are measured from its X axis, whatever the world says.
  ASSERT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({0, 0, 0}, {0, 1, 0}, {-1, 0, 0})), Vexa::eOk);
  ASSERT_EQ(qvedGetAngle(nullptr, L"", &a), kQvNormal);  // (0,0) to (0,-2) in the UCS
  EXPECT_DOUBLE_EQ(a, 1.5 * kPi);
}

TEST_F(InputTest, NumbersAreCheckedAndBadLinesAskAgain) {
  script(L"0\n-3\nabc\n2.5\n40000\n4\n0\n");
  int n = 0;
  qvedInitGet(kQvInitNoZero | kQvInitNoNegative, nullptr);
  ASSERT_EQ(qvedGetInt(L"\nRows: ", &n), kQvNormal);
  EXPECT_EQ(n, 4);
  const std::wstring wantInt = L"\nA whole number from -32768 to 32767 is required.";
  EXPECT_THAT(entries(),
              ElementsAre(Pair(Kind::kPrompt, L"\nRows: "), Pair(Kind::kAnswer, L"0"),
                          Pair(Kind::kMessage, L"\nThe value must not be zero."),
                          Pair(Kind::kPrompt, L"\nRows: "), Pair(Kind::kAnswer, L"-3"),
                          Pair(Kind::kMessage, L"\nThe value must not be negative."),
                          Pair(Kind::kPrompt, L"\nRows: "), Pair(Kind::kAnswer, L"abc"),
                          Pair(Kind::kMessage, wantInt), Pair(Kind::kPrompt, L"\nRows: "),
                          Pair(Kind::kAnswer, L"2.5"), Pair(Kind::kMessage, wantInt),
                          Pair(Kind::kPrompt, L"\nRows: "), Pair(Kind::kAnswer, L"40000"),
                          Pair(Kind::kMessage, wantInt), Pair(Kind::kPrompt, L"\nRows: "),
                          Pair(Kind::kAnswer, L"4")));
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

TEST_F(InputTest, EmptyCancelAndExhaustion) {
  script(L"\n^C\n\n7\n");
  int n = 5;
  EXPECT_EQ(qvedGetInt(L"", &n), kQvNone);
  EXPECT_EQ(qvedGetInt(L"", &n), kQvCancel);
  qvedInitGet(kQvInitNoNull, nullptr);
  EXPECT_EQ(qvedGetInt(L"", &n), kQvNormal);  // the empty line asked again
  EXPECT_EQ(n, 7);
  double p[3];
  QvString s;
  EXPECT_EQ(qvedGetPoint(nullptr, L"", p), kQvCancel);
  EXPECT_EQ(qvedGetString(1, L"", s), kQvCancel);
  EXPECT_EQ(qvedGetKword(L"", s), kQvCancel);
  EXPECT_EQ(host().service<VexaInputScript>().readsPastEnd(), 3);
  EXPECT_THAT(transcript().texts(Kind::kAnswer),
              ElementsAre(L"", L"*Cancel*", L"", L"7", L"*Cancel*", L"*Cancel*", L"*Cancel*"));
  EXPECT_THAT(transcript().texts(Kind::kMessage), ElementsAre(L"\nAn answer is required."));
}

TEST_F(InputTest, CursorLinesDoNotAnswerPlainQuestions) {
  script(L"~5,5\n~bad\n2,3\n");
  double p[3];
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nP: ", p), kQvNormal);
  EXPECT_DOUBLE_EQ(p[0], 2.0);
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nThe cursor line holds no point."));
}

TEST_F(InputTest, KeywordsAnswerAnyQuestionWithTheirGlobalForm) {
  const wchar_t* list =
      L"Basepoint Scale Rotate PScale PRotate _Basepoint Scale Rotate PScale PRotate";
  script(L"ps\nr\n_pscale\nxyz\n2,2\n");
  double p[3];
  QvString input;
  qvedInitGet(0, list);
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvKeyword);
  ASSERT_EQ(qvedGetInput(input), kQvNormal);
  EXPECT_EQ(input, L"PScale");
  qvedInitGet(0, list);
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvKeyword);
  qvedGetInput(input);
  EXPECT_EQ(input, L"Rotate");
  qvedInitGet(0, list);
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvKeyword);
  qvedGetInput(input);
  EXPECT_EQ(input, L"PScale");
  qvedInitGet(0, list);
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvNormal);  // "xyz" asked again
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nA point or an option (Basepoint/Scale/Rotate/PScale/PRotate) is "
                          L"required."));
  // A value answer leaves nothing for qvedGetInput.
  EXPECT_EQ(qvedGetInput(input), kQvError);
}

TEST_F(InputTest, KeywordQuestionsAnswerTheGlobalKeyword) {
  script(L"j\n_no\nyes\nn\n\nwhatever\n");
  QvString kw;
  qvedInitGet(0, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetKword(L"\nRedefine? ", kw), kQvNormal);
  EXPECT_EQ(kw, L"Yes");
  qvedInitGet(0, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetKword(L"\nRedefine? ", kw), kQvNormal);
  EXPECT_EQ(kw, L"No");
  qvedInitGet(0, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetKword(L"\nRedefine? ", kw), kQvNormal);  // "yes" is asked again
  EXPECT_EQ(kw, L"No");
  EXPECT_THAT(transcript().texts(Kind::kMessage),
              ElementsAre(L"\nOne of the options (Ja/Nein) is required."));
  qvedInitGet(0, L"Ja Nein _Yes No");
  EXPECT_EQ(qvedGetKword(L"", kw), kQvNone);
  // Other input accepted: the text as typed.
  qvedInitGet(kQvInitOther, L"Ja Nein _Yes No");
  wchar_t buf[4];
  EXPECT_EQ(qvedGetKword(L"", buf, 4), kQvError);  // "whatever" does not fit
  qvedInitGet(0, L"Ja Nein _Yes No");
  script(L"ja\n");
  ASSERT_EQ(qvedGetKword(L"", buf, 4), kQvNormal);
  EXPECT_EQ(QvString(buf), L"Yes");
}

TEST_F(InputTest, ArbitraryInputComesBackAsText) {
  script(L"10\n");
  double p[3];
  qvedInitGet(kQvInitOther | kQvInit3d, nullptr);
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nRow distance or unit cell: ", p), kQvKeyword);
  wchar_t text[8];
  ASSERT_EQ(qvedGetInput(text, 8), kQvNormal);
  EXPECT_EQ(QvString(text), L"10");
  EXPECT_EQ(qvedGetInput(text, 2), kQvError);  // too small for "10"
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

TEST_F(InputTest, ArbitraryInputWithZ) {
  // The array spacing question: a point, other text for a typed distance, or Enter.
  const int controls = kQvInitOther | kQvInit3d;
  ASSERT_EQ(controls, 144);
  script(L"3,4,5\n 12'6  \n\nn\nnix\n");
  double p[3] = {-1, -1, -1};
  QvString input;
  qvedInitGet(controls, nullptr);
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nSpacing: ", p), kQvNormal);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 5.0}));
  EXPECT_EQ(qvedGetInput(input), kQvError);  // a point is no text
  qvedInitGet(controls, nullptr);
  ASSERT_EQ(qvedGetPoint(nullptr, L"\nSpacing: ", p), kQvKeyword);
  ASSERT_EQ(qvedGetInput(input), kQvNormal);
  EXPECT_EQ(input, L"12'6");
  qvedInitGet(controls, nullptr);
  EXPECT_EQ(qvedGetPoint(nullptr, L"\nSpacing: ", p), kQvNone);
  EXPECT_EQ((std::array{p[0], p[1], p[2]}), (std::array{3.0, 4.0, 5.0}));  // left as it was
  EXPECT_EQ(qvedGetInput(input), kQvError);
  // Keywords still win over other text, and give their global form.
  qvedInitGet(kQvInitOther, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvKeyword);
  qvedGetInput(input);
  EXPECT_EQ(input, L"No");
  qvedInitGet(kQvInitOther, L"Ja Nein _Yes No");
  ASSERT_EQ(qvedGetPoint(nullptr, L"", p), kQvKeyword);
  qvedGetInput(input);
  EXPECT_EQ(input, L"nix");
  EXPECT_TRUE(transcript().texts(Kind::kMessage).empty());
}

TEST_F(InputTest, EmptyKeywordAnswersLeaveAnEmptyText) {
  script(L"\n\n");
  QvString kw = L"old";
  qvedInitGet(0, L"Yes No");
  ASSERT_EQ(qvedGetKword(L"", kw), kQvNone);
  EXPECT_TRUE(kw.isEmpty());
  wchar_t buf[8] = L"old";
  qvedInitGet(0, L"Yes No");
  ASSERT_EQ(qvedGetKword(L"", buf, 8), kQvNone);
  EXPECT_EQ(buf[0], L'\0');
}

TEST_F(InputTest, ZeroAnglesAreJudgedWithinTheTurn) {
  script(L"360\n-720\n6.283185307179586r\n45\n");
  double a = -1;
  qvedInitGet(kQvInitNoZero, nullptr);
  ASSERT_EQ(qvedGetAngle(nullptr, L"\nAngle: ", &a), kQvNormal);
  EXPECT_DOUBLE_EQ(a, kPi / 4);
  const std::wstring zero = L"\nThe value must not be zero.";
  EXPECT_THAT(transcript().texts(Kind::kMessage), ElementsAre(zero, zero, zero));
  EXPECT_THAT(transcript().texts(Kind::kAnswer),
              ElementsAre(L"360", L"-720", L"6.283185307179586r", L"45"));
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
}

}  // namespace
