#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaKeywordList.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"

namespace {

using Kind = VexaScriptLine::Kind;

class InputScriptTest : public HostFixture {};

TEST_F(InputScriptTest, EachLineFormHasItsKind) {
  inputScript().loadString(
      L"DOOR\n"
      L"\n"
      L"   \t\n"
      L"# a comment\n"
      L"   # an indented comment\n"
      L"^C\n"
      L"~1.5,-2\n"
      L"~ 1 , 2 , 3 \n"
      L"~oops\n"
      L"\\#7\n"
      L"\\\\server\\share\n"
      L"  two words  \r\n"
      L"last");
  VexaScriptLine l = inputScript().next();
  EXPECT_EQ(l.kind, Kind::kAnswer);
  EXPECT_EQ(l.text, L"DOOR");
  EXPECT_EQ(l.lineNumber, 1);
  EXPECT_EQ(inputScript().next().kind, Kind::kEmpty);
  EXPECT_EQ(inputScript().next().kind, Kind::kEmpty);  // blanks only: Enter
  l = inputScript().next();                            // both comments skipped
  EXPECT_EQ(l.kind, Kind::kCancel);
  EXPECT_EQ(l.lineNumber, 6);
  l = inputScript().next();
  ASSERT_EQ(l.kind, Kind::kCursor);
  EXPECT_EQ(l.cursor, (std::array<double, 3>{1.5, -2, 0}));
  l = inputScript().next();
  ASSERT_EQ(l.kind, Kind::kCursor);
  EXPECT_EQ(l.cursor, (std::array<double, 3>{1, 2, 3}));
  EXPECT_EQ(inputScript().next().kind, Kind::kBadCursor);
  l = inputScript().next();
  EXPECT_EQ(l.kind, Kind::kAnswer);
  EXPECT_EQ(l.text, L"#7");                                    // escaped, not a comment
  EXPECT_EQ(inputScript().next().text, L"\\\\server\\share");  // other backslashes stay
  l = inputScript().next();
  EXPECT_EQ(l.text, L"  two words");  // leading blanks kept, trailing ones and CR dropped
  EXPECT_EQ(inputScript().next().text, L"last");
  EXPECT_TRUE(inputScript().atEnd());
  EXPECT_EQ(inputScript().readsPastEnd(), 0);
  EXPECT_EQ(inputScript().next().kind, Kind::kEnd);
  EXPECT_EQ(inputScript().next().kind, Kind::kEnd);
  EXPECT_EQ(inputScript().readsPastEnd(), 2);
}

TEST_F(InputScriptTest, LoadingReplacesAndAppendingExtends) {
  inputScript().loadString(L"a\nb\n");
  EXPECT_EQ(inputScript().linesLeft(), 2);  // a final line break opens no empty line
  inputScript().loadString(L"c");
  inputScript().appendLine(L"d");
  inputScript().appendLine(L"");  // an appended empty line is an Enter
  inputScript().appendLines(L"e\n# note\nf\n");
  inputScript().pushFront(L"z");
  std::vector<QvString> seen;
  for (VexaScriptLine l = inputScript().next(); l.kind != Kind::kEnd; l = inputScript().next())
    seen.push_back(l.kind == Kind::kEmpty ? QvString(L"<enter>") : l.text);
  EXPECT_THAT(seen, testing::ElementsAre(L"z", L"c", L"d", L"<enter>", L"e", L"f"));
  inputScript().loadString(L"");
  EXPECT_EQ(inputScript().linesLeft(), 0);
  // A script holding only comments has no answer left until text is pushed back, which is an
  // answer as it stands.
  inputScript().loadString(L"# only\n#comments");
  EXPECT_TRUE(inputScript().atEnd());
  inputScript().pushFront(L"\\#3");
  EXPECT_FALSE(inputScript().atEnd());
  EXPECT_EQ(inputScript().next().text, L"\\#3");
}

TEST_F(InputScriptTest, FilesLoadAsUtf8AndMissingOnesAreRefused) {
  TempFolder dir;
  const std::string path = dir.file("script.txt",
                                    "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
                                    "e\r\n^C\r\n");
  inputScript().loadString(L"kept");
  EXPECT_EQ(inputScript().loadFile(dir.path("missing.txt")), Vexa::eFileNotFound);
  EXPECT_EQ(inputScript().loadFile(dir.path("")), Vexa::eFileAccessError);
  EXPECT_EQ(inputScript().linesLeft(), 1);  // a refused load keeps the script
  ASSERT_EQ(inputScript().loadFile(path), Vexa::eOk);
  EXPECT_EQ(inputScript().next().text, L"Gr\u00f6\u00dfe");
  EXPECT_EQ(inputScript().next().kind, Kind::kCancel);
  EXPECT_TRUE(inputScript().atEnd());
}

TEST(KeywordListTest, LocalAndGlobalKeywordsPairByPosition) {
  const VexaKeywordList list(L"Ja Nein Abbruch _Yes No");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.global(0), L"Yes");
  EXPECT_EQ(list.global(1), L"No");
  EXPECT_EQ(list.global(2), L"Abbruch");  // no global partner: keeps itself
  EXPECT_EQ(list.match(L"j"), 0);
  EXPECT_EQ(list.match(L"_yes"), 0);
  EXPECT_EQ(list.match(L"_N"), 1);
  EXPECT_EQ(list.match(L"yes"), -1);  // global words need the underscore
  EXPECT_EQ(list.options(), L"Ja/Nein/Abbruch");

  const VexaKeywordList same(L"Yes No");
  EXPECT_EQ(same.global(1), L"No");
  EXPECT_TRUE(VexaKeywordList(L" ").isEmpty());
  EXPECT_TRUE(VexaKeywordList(L"").isEmpty());

  // Texts read before are taken again as they were, however many others came between.
  for (int i = 0; i < 600; ++i) {
    const VexaKeywordList other(QvString::format(L"K%d Other _G%d", i, i));
    ASSERT_EQ(other.global(0), QvString::format(L"G%d", i));
  }
  const VexaKeywordList again(L"Ja Nein Abbruch _Yes No");
  EXPECT_EQ(again.count(), 3);
  EXPECT_EQ(again.match(L"_N"), 1);
  EXPECT_EQ(again.options(), L"Ja/Nein/Abbruch");
}

TEST(KeywordListTest, AnswersMatchByCapitalLetters) {
  const VexaKeywordList list(L"Basepoint Scale Xscale Rotate PScale PXscale PRotate eXit none");
  // "x": Xscale comes before eXit; "p": not all of PScale's capitals; "ex": a beginning that
  // reaches the capital; "exits": longer than the keyword; "non": no capitals, whole word only.
  const std::pair<const wchar_t*, int> answers[] = {
      {L"b", 0},   {L"BASE", 0},   {L"s", 1},    {L"x", 2},    {L"ps", 4},
      {L"psc", 4}, {L"p", -1},     {L"px", 5},   {L"pr", 6},   {L"ex", 7},
      {L"e", -1},  {L"exits", -1}, {L"non", -1}, {L"NONE", 8}, {L"", -1}};
  for (const auto& [answer, index] : answers)
    EXPECT_EQ(list.match(answer), index) << QvString(answer);
  // A whole keyword wins over an earlier abbreviation.
  const VexaKeywordList tricky(L"Save S");
  EXPECT_EQ(tricky.match(L"s"), 1);
}

}  // namespace
