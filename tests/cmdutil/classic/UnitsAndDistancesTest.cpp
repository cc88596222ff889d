// Distance texts (decimals, scientific and feet-and-inches forms, signs, suffixes and refusals),
// insertion-unit factors and line weights of the classic helper library.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ScopedCommaLocale.h"
#include "xqcmdutil/XqDistance.h"
#include "xqcmdutil/XqUnits.h"

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

// Texts that read as distances, with their values (some only when a suffix is allowed).
const struct Readable {
  const wchar_t* text;
  double value;
  bool suffix = false;
} kReadable[] = {
    // Feet and inches, with fractions and marks.
    {L"1'6", 18.0},
    {L"1'-6 1/2\"", 18.5},
    {L"1' 6 1/2", 18.5},
    {L"6 1/2", 6.5},
    {L"6-1/2\"", 6.5},
    {L"3/4\"", 0.75},
    {L"2.5'", 30.0},
    {L"1'6.25\"", 18.25},
    {L"1'6.\"", 18.0},
    {L"1'3/4", 12.75},
    {L"2'", 24.0},
    {L"7\"", 7.0},
    {L"  \t 1'6  ", 18.0},
    {L"-1'6", -18.0},
    {L"+1'6", 18.0},
    // Decimal and scientific forms; the sign counts once, negative scientific texts stay negative.
    {L"12.5", 12.5},
    {L".5", 0.5},
    {L"1.1", 1.1},  // the nearest double, as the compiler reads it
    {L"1.5e3", 1500.0},
    {L"1.5E+3", 1500.0},
    {L"15e-1", 1.5},
    {L"-2.5E-1", -0.25},
    {L"-1.5e3", -1500.0},
    {L"-1.5e-3", -0.0015},
    {L"+2e2", 200.0},
    {L"1.5e3x", 1500.0, true},
    {L"2X4", 2.0, true},
};

TEST(DistanceTest, FeetAndInchesDecimalAndScientificFormsWithSigns) {
  for (const Readable& r : kReadable) expectValue(r.text, r.value, r.suffix);
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

// No host: no working database and no system variables; what is given outright still converts.
TEST(NoHostTest, ANegativeUnitModeIsAnErrorAndUnreadableVariablesGiveOneOnlyWhereNeeded) {
  EXPECT_EQ(read(L"3", false, -1).status, kQvError);
  EXPECT_EQ(read(L"3", false, 2).status, kQvNormal);
  EXPECT_EQ(getScaleFactor(4, 1), 25.4);
  EXPECT_EQ(getScaleFactor(4, 0), 1.0);
  EXPECT_EQ(getScaleFactor(0, 1), 1.0);
  EXPECT_EQ(inchToUnitFactor(), 1.0);
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
    for (const Readable& r : kReadable) expectValue(r.text, r.value, r.suffix);
    for (const wchar_t* text : {L"2,5", L"1'6,25", L"1,5e3"})
      EXPECT_NE(read(text).status, kQvNormal) << std::wstring(text).size();
  }
  EXPECT_EQ(std::strtod("2.5", nullptr), 2.5);  // the locale is back
}

double ulpsApart(double a, double b) {
  return std::abs(a - b) / (std::numeric_limits<double>::epsilon() * std::abs(b));
}

class InsUnitsTest : public HostFixture {
 protected:
  double inchFactorFor(int16_t insunits) {
    EXPECT_EQ(setShortVar(L"INSUNITS", insunits), kQvNormal);
    return inchToUnitFactor();
  }
};

TEST_F(InsUnitsTest, ScaleFactorsAgreeWithTheInchFactorsForEveryCode) {
  EXPECT_EQ(getScaleFactor(4, 1), 25.4);
  EXPECT_EQ(getScaleFactor(1, 2), 12.0);
  EXPECT_EQ(inchFactorFor(9), 1000.0);
  EXPECT_EQ(inchFactorFor(2), 1.0 / 12.0);
  for (int16_t none : {0, 21, 24}) EXPECT_EQ(inchFactorFor(none), 1.0) << none;  // no unit name
  for (int16_t code = 1; code <= 20; ++code) {
    const double perInch = inchFactorFor(code);
    const double factor = getScaleFactor(code, 1);
    // The insertion table's parsec is an older value, 8e-12 from the defined one.
    if (code == 20)
      EXPECT_NEAR(factor / perInch, 1.0, 1e-11);
    else
      EXPECT_LE(ulpsApart(factor, perInch), 1.0) << code;
  }
  // Every pair, both ways: the factors are each other's inverse.
  for (int target = 1; target <= 20; ++target)
    for (int source = 1; source <= 20; ++source)
      EXPECT_LE(ulpsApart(getScaleFactor(target, source) * getScaleFactor(source, target), 1.0),
                4.0)
          << target << " " << source;
}

TEST_F(InsUnitsTest, ZeroUnitsTakeTheDefaultsAndUnconvertibleOnesGiveOne) {
  ASSERT_EQ(setShortVar(L"INSUNITSDEFSOURCE", 1), kQvNormal);
  ASSERT_EQ(setShortVar(L"INSUNITSDEFTARGET", 4), kQvNormal);
  EXPECT_EQ(getScaleFactor(0, 0), 25.4);
  EXPECT_EQ(getScaleFactor(6, 0), 0.0254);
  EXPECT_EQ(getScaleFactor(0, 5), 10.0);
  // An unspecified default, and codes without a unit name: no conversion.
  ASSERT_EQ(setShortVar(L"INSUNITSDEFSOURCE", 0), kQvNormal);
  EXPECT_EQ(getScaleFactor(4, 0), 1.0);
  for (int code : {21, 24, -1, 1000}) {
    EXPECT_EQ(getScaleFactor(code, 1), 1.0) << code;
    EXPECT_EQ(getScaleFactor(1, code), 1.0) << code;
  }
}

TEST(MatchLineWidthTest, WidthsAtAndAroundEveryStandardWeight) {
  const int weights[] = {0,  5,  9,  13, 15, 18,  20,  25,  30,  35,  40,  50,
                         53, 60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
  for (int weight : weights) {
    const double width = weight / 100.0;
    for (double offset : {0.0, 5e-10, -5e-10, 1e-9 * 0.999}) {
      int hundredths = -1;
      ASSERT_EQ(MatchLineWidth(width + offset, hundredths), kQvNormal) << width << offset;
      EXPECT_EQ(hundredths, weight) << width << " " << offset;
    }
    for (double offset : {3e-9, -3e-9, 0.001}) {
      int hundredths = -1;
      EXPECT_EQ(MatchLineWidth(width + offset, hundredths), kQvError) << width << offset;
      EXPECT_EQ(hundredths, -1);
    }
  }
  int hundredths = -1;
  EXPECT_EQ(MatchLineWidth(0.36, hundredths), kQvError);
  EXPECT_EQ(MatchLineWidth(std::numeric_limits<double>::quiet_NaN(), hundredths), kQvError);
  EXPECT_EQ(MatchLineWidth(-0.05, hundredths), kQvError);
  EXPECT_EQ(hundredths, -1);
}

}  // namespace
