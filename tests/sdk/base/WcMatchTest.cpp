#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"
#include "sdk/base/qvutWcMatch.h"

namespace {

struct Case {
  const wchar_t* text;
  const wchar_t* pattern;
  bool match;
};

void expectCases(std::initializer_list<Case> cases, bool ignoreCase = false) {
  for (const Case& c : cases)
    EXPECT_EQ(qvutWcMatchEx(c.text, c.pattern, ignoreCase), c.match ? kQvNormal : kQvError)
        << "text \"" << QvString(c.text) << "\" pattern \"" << QvString(c.pattern) << "\"";
}

}  // namespace

TEST(WcMatch, StarsAndSingleCharacterClasses) {
  expectCases({
      {L"DOOR", L"*", true},      {L"", L"*", true},
      {L"", L"", true},           {L"DOOR", L"", true},
      {L"DOOR", L"DOOR", true},   {L"DOOR", L"DOO", false},
      {L"DOOR", L"D*R", true},    {L"DR", L"D*R", true},
      {L"DOORS", L"D*R", false},  {L"A-1", L"*-*", true},
      {L"ABAB", L"*AB", true},    {L"ABAC", L"*AB*AC", true},
      {L"ABAB", L"A**B", true},   {L"DOOR1", L"DOOR?", true},
      {L"DOOR", L"DOOR?", false}, {L"W12", L"W##", true},
      {L"WX2", L"W##", false},    {L"W\u0662", L"W#", false},
      {L"A1", L"@#", true},       {L"\u00C9t\u00E9", L"@@@", true},
      {L"1A", L"@#", false},      {L"A_B", L"A.B", true},
      {L"A B", L"A.B", true},     {L"AxB", L"A.B", false},
      {L"A.B", L"A.B", true},     {L"A5B", L"A.B", false},
  });
}

TEST(WcMatch, BracketListsAndRanges) {
  expectCases({
      {L"DOOR-B", L"DOOR-[ABC]", true},
      {L"DOOR-D", L"DOOR-[ABC]", false},
      {L"DOOR-D", L"DOOR-[~ABC]", true},
      {L"DOOR-A", L"DOOR-[~ABC]", false},
      {L"M7", L"M[0-9]", true},
      {L"MX", L"M[0-9]", false},
      {L"q", L"[a-cx-z]", false},
      {L"y", L"[a-cx-z]", true},
      {L"-", L"[-a]", true},
      {L"-", L"[a-]", true},
      {L"b", L"[a`-c]", false},
      {L"-", L"[a`-c]", true},
      {L"]", L"[]x]", true},
      {L"x", L"[]x]", true},
      {L"~", L"[~~]", false},
      {L"a", L"[~~]", true},
      {L"[ab", L"[ab", true},
      {L"a", L"[ab", false},  // no "]": literal text
      {L"*", L"[*?]", true},
      {L"x", L"[*?]", false},
  });
}

TEST(WcMatch, NegationAlternativesAndEscapes) {
  expectCases({
      {L"DOOR", L"~WIN*", true},
      {L"WINDOW", L"~WIN*", false},
      {L"", L"~", false},
      {L"x", L"~", true},
      {L"WINDOW", L"DOOR*,WIN*", true},
      {L"DESK", L"DOOR*,WIN*", false},
      {L"DESK", L"DOOR*,~WIN*", true},
      {L"WINDOW", L"~W*,~*W", false},
      {L"", L"A,", true},
      {L"", L"A,B", false},
      {L"A,B", L"A`,B", true},
      {L"A", L"A`,B", false},
      {L"A*", L"A`*", true},
      {L"AB", L"A`*", false},
      {L"#1", L"`##", true},
      {L"11", L"`##", false},
      {L"~X", L"`~X", true},
      {L"A`", L"A`", true},
      {L"[a]", L"`[a`]", true},
      {L"a", L"`[a`]", false},
  });
}

TEST(WcMatch, CaseIsHonouredUnlessIgnored) {
  expectCases({{L"door", L"DOOR", false}, {L"door", L"D*", false}, {L"b", L"[A-C]", false}});
  expectCases({{L"door", L"DOOR", true},
               {L"dOoR", L"D*r", true},
               {L"b", L"[A-C]", true},
               {L"B", L"[a-c]", true},
               {L"B", L"[~a-c]", false},
               {L"\u00E9", L"\u00C9", true},
               {L"door", L"~DOOR", false}},
              true);
}

TEST(WcMatch, NullArgumentsAreRefused) {
  EXPECT_EQ(qvutWcMatchEx(nullptr, L"*", false), kQvError);
  EXPECT_EQ(qvutWcMatchEx(L"A", nullptr, false), kQvError);
}

TEST(WcMatch, LongPatternsNeitherRecurseNorBacktrackWithoutEnd) {
  // 200,000 single-character steps: a recursive matcher would run out of stack.
  const std::wstring text(200000, L'a');
  EXPECT_EQ(qvutWcMatchEx(text.c_str(), std::wstring(200000, L'?').c_str(), false), kQvNormal);
  EXPECT_EQ(qvutWcMatchEx(text.c_str(), std::wstring(200001, L'?').c_str(), false), kQvError);
  // "*a*a*a...*b" against "aaa...a": exponential for a naive backtracking matcher.
  std::wstring pattern;
  for (int i = 0; i < 1000; ++i) pattern += L"*a";
  pattern += L"*b";
  const std::wstring as(2000, L'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(qvutWcMatchEx(as.c_str(), pattern.c_str(), false), kQvError);
  EXPECT_EQ(qvutWcMatchEx((as + L"b").c_str(), pattern.c_str(), false), kQvNormal);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}
