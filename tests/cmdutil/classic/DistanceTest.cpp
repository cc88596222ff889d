// Distance texts: decimals, scientific and feet-and-inches forms, signs, suffixes and refusals.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ScopedCommaLocale.h"
#include "xqcmdutil/XqDistance.h"

namespace {

struct Read {
  int status;
  double value;
};

Read read(const wchar_t* text, bool suffix = false, int unitMode = 0) {
  Read r{0, -777.0};
  r.status = vexaConvertStringToDistance(text, &r.value, unitMode, suffix);
  return r;
}

void expectValue(const wchar_t* text, double expected, bool suffix = false) {
  const Read r = read(text, suffix);
  EXPECT_EQ(r.status, kQvNormal) << std::wstring(text).size();
  EXPECT_DOUBLE_EQ(r.value, expected) << std::string(text, text + std::wcslen(text));
}

TEST(DistanceTest, FeetAndInchesWithFractionsAndMarks) {
  expectValue(L"1'6", 18.0);
  expectValue(L"1'-6 1/2\"", 18.5);
  expectValue(L"1' 6 1/2", 18.5);
  expectValue(L"6 1/2", 6.5);
  expectValue(L"6-1/2\"", 6.5);
  expectValue(L"3/4\"", 0.75);
  expectValue(L"2.5'", 30.0);
  expectValue(L"1'6.25\"", 18.25);
  expectValue(L"1'6.\"", 18.0);
  expectValue(L"1'3/4", 12.75);
  expectValue(L"2'", 24.0);
  expectValue(L"7\"", 7.0);
  expectValue(L"  \t 1'6  ", 18.0);
  expectValue(L"-1'6", -18.0);
  expectValue(L"+1'6", 18.0);
}

TEST(DistanceTest, DecimalAndScientificFormsWithSigns) {
  expectValue(L"12.5", 12.5);
  expectValue(L".5", 0.5);
  expectValue(L"1.1", 1.1);  // the nearest double, as the compiler reads it
  expectValue(L"1.5e3", 1500.0);
  expectValue(L"1.5E+3", 1500.0);
  expectValue(L"15e-1", 1.5);
  // The sign counts once: negative scientific texts stay negative.
  expectValue(L"-1.5e3", -1500.0);
  expectValue(L"-1.5e-3", -0.0015);
  expectValue(L"+2e2", 200.0);
  expectValue(L"1.5e3x", 1500.0, true);
  expectValue(L"2X4", 2.0, true);
  const Read zero = read(L"-0");
  EXPECT_EQ(zero.status, kQvNormal);
  EXPECT_FALSE(std::signbit(zero.value));
  EXPECT_FALSE(std::signbit(read(L"-0.0e5").value));
}

TEST(DistanceTest, MalformedTextsAreRefusedAndTheValueKept) {
  for (const wchar_t* text : {L"1'-", L"1/0", L"1'6/0", L".", L"", L"   ", L"abc", L"1'x", L"1/",
                              L"6 1", L"1.5.2", L"1'6 1/2 3", L"2x", L"1\"2", L"\t"}) {
    const Read r = read(text);
    EXPECT_EQ(r.status, kQvError) << std::wstring(text).size();
    EXPECT_EQ(r.value, -777.0);
  }
  EXPECT_EQ(read(nullptr).status, kQvError);
  EXPECT_EQ(vexaConvertStringToDistance(L"1", nullptr, 0, false), kQvError);
  // Text after an exponent is refused as a rejected value.
  EXPECT_EQ(read(L"1e5q").status, kQvRejected);
  EXPECT_EQ(read(L"1e5q").value, -777.0);
  // A text ends at its first NUL.
  expectValue(std::wstring(L"1'6\0junk", 8).c_str(), 18.0);
  EXPECT_EQ(read(std::wstring(L"\0 1", 3).c_str()).status, kQvError);
  // Tabs and non-ASCII digits are no part of a distance.
  EXPECT_EQ(read(L"1\t'6").status, kQvError);
  EXPECT_EQ(read(L"\u0661\u0662").status, kQvError);
}

TEST(DistanceTest, MagnitudesOutOfRangeAreRejectedInEveryForm) {
  const Read huge = read(L"1e400");
  EXPECT_EQ(huge.status, kQvRejected);
  EXPECT_TRUE(std::isinf(huge.value));
  EXPECT_EQ(read(L"1e-400").status, kQvRejected);
  EXPECT_EQ(read(L"2e-305").status, kQvRejected);
  EXPECT_EQ(read(L"1e304").status, kQvNormal);
  const std::wstring digits(400, L'9');
  EXPECT_EQ(read(digits.c_str()).status, kQvRejected);
  EXPECT_EQ(read((digits + L"'").c_str()).status, kQvRejected);
  EXPECT_EQ(read((L"1'" + digits).c_str()).status, kQvRejected);
  EXPECT_EQ(read((L"1/" + digits).c_str()).status, kQvRejected);
}

class DistanceHostTest : public HostFixture {};

TEST_F(DistanceHostTest, ANegativeUnitModeNeedsAWorkingDatabase) {
  EXPECT_EQ(read(L"3", false, -1).status, kQvNormal);
}

TEST(DistanceNoHostTest, ANegativeUnitModeWithoutDatabaseIsAnError) {
  EXPECT_EQ(read(L"3", false, -1).status, kQvError);
  EXPECT_EQ(read(L"3", false, 2).status, kQvNormal);
}

// Under a locale whose decimal mark is a comma, texts still read with the full stop, and a
// comma is no decimal mark.
TEST(DistanceTest, NumbersReadTheSameUnderACommaLocale) {
  {
    ScopedCommaLocale comma;
    if (comma.cLibraryUsesComma())  // the guard works: the C library reads "2,5" as 2.5
      EXPECT_EQ(std::strtod("2,5", nullptr), 2.5) << comma.cLocaleName();
    else
      std::printf("no comma locale for the C library; the C++ locale has one\n");
    expectValue(L"12.5", 12.5);
    expectValue(L".75", 0.75);
    expectValue(L"1.5e3", 1500.0);
    expectValue(L"-2.5E-1", -0.25);
    expectValue(L"2.5'", 30.0);
    expectValue(L"1'6.25\"", 18.25);
    expectValue(L"1'-6 1/2\"", 18.5);
    for (const wchar_t* text : {L"2,5", L"1'6,25", L"1,5e3"})
      EXPECT_NE(read(text).status, kQvNormal) << std::wstring(text).size();
  }
  EXPECT_EQ(std::strtod("2.5", nullptr), 2.5);  // the locale is back
}

}  // namespace
