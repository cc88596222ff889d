#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <limits>
#include <numbers>
#include <string>

#include "sdk/app/VexaUnitsFormatter.h"
#include "sdk/app/qvdbUnits.h"
#include "sdk/base/QvClassicCodes.h"
#include "tests/support/HostFixture.h"

namespace {

using F = VexaUnitsFormatter;
constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::wstring lengthText(double value, int mode, int precision) {
  const auto text = F::linearText(value, mode, precision);
  return text ? text->wstr() : L"<none>";
}

std::wstring angleText(double radians, int mode, int precision) {
  const auto text = F::angleText(radians, mode, precision);
  return text ? text->wstr() : L"<none>";
}

// The largest error a written length of this mode and precision may carry.
double lengthStep(double value, int mode, int precision) {
  switch (mode) {
    case F::kScientific: {
      const double exponent = value == 0.0 ? 0.0 : std::floor(std::log10(std::fabs(value)));
      return 0.5 * std::pow(10.0, exponent - precision) * 1.0000001;
    }
    case F::kArchitectural:
    case F::kFractional:
      return 0.5 / std::ldexp(1.0, precision);
    default:
      return 0.5 * std::pow(10.0, -precision) * 1.0000001;
  }
}

// The largest error, in radians, of a written angle.
double angleStep(int mode, int precision) {
  switch (mode) {
    case F::kDegMinSec:
    case F::kSurveyor: {
      const double perDegree = precision == 0 ? 1.0
                               : precision <= 2
                                   ? 60.0
                                   : 3600.0 * std::pow(10.0, std::max(0, precision - 4));
      return 0.5 / perDegree * kDeg * 1.0000001;
    }
    case F::kGrads:
      return 0.5 * std::pow(10.0, -precision) * std::numbers::pi / 200.0 * 1.0000001;
    case F::kRadians:
      return 0.5 * std::pow(10.0, -precision) * 1.0000001;
    default:
      return 0.5 * std::pow(10.0, -precision) * kDeg * 1.0000001;
  }
}

double angularDistance(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 2.0 * std::numbers::pi);
  return std::min(d, 2.0 * std::numbers::pi - d);
}

// A value (a length, or an angle in degrees) written in a mode and precision.
struct Written {
  double value;
  int mode;
  int precision;
  const wchar_t* text;
};

// A text read in a mode as a value (a length, or an angle in degrees).
struct Read {
  const wchar_t* text;
  int mode;
  double value;
};

}  // namespace

TEST(UnitsFormatter, WritesLengthsInEveryMode) {
  const Written rows[] = {
      {15.0, F::kScientific, 4, L"1.5000E+01"},
      {-0.00125, F::kScientific, 2, L"-1.25E-03"},
      {0.0, F::kScientific, 1, L"0.0E+00"},
      {15.5, F::kDecimal, 4, L"15.5000"},
      {2.0 / 3.0, F::kDecimal, 0, L"1"},
      {-0.00004, F::kDecimal, 4, L"0.0000"},  // no minus sign on a zero
      {15.5, F::kEngineering, 2, L"1'-3.50\""},
      {5.5, F::kEngineering, 2, L"0'-5.50\""},
      {23.999, F::kEngineering, 2, L"2'-0.00\""},  // 11.999 inches carry into the feet
      {-15.5, F::kEngineering, 0, L"-1'-4\""},
      {15.5, F::kArchitectural, 4, L"1'-3 1/2\""},
      {15.4, F::kArchitectural, 3, L"1'-3 3/8\""},
      {12.0, F::kArchitectural, 4, L"1'-0\""},
      {12.5, F::kArchitectural, 1, L"1'-0 1/2\""},
      {5.5, F::kArchitectural, 2, L"5 1/2\""},
      {0.25, F::kArchitectural, 4, L"1/4\""},
      {0.01, F::kArchitectural, 2, L"0\""},
      {11.99, F::kArchitectural, 4, L"1'-0\""},
      {-30.75, F::kArchitectural, 8, L"-2'-6 3/4\""},
      {15.5, F::kFractional, 4, L"15 1/2"},
      {0.5, F::kFractional, 4, L"1/2"},
      {15.03, F::kFractional, 2, L"15"},
      {-0.125, F::kFractional, 3, L"-1/8"},
      {1.0 / 256, F::kFractional, 8, L"1/256"},
  };
  for (const Written& r : rows)
    EXPECT_EQ(lengthText(r.value, r.mode, r.precision), r.text)
        << r.value << " mode " << r.mode << " precision " << r.precision;
}

TEST(UnitsFormatter, RefusesBadLengthsAndSettings) {
  EXPECT_FALSE(F::linearText(kNaN, F::kDecimal, 2));
  EXPECT_FALSE(F::linearText(kInf, F::kArchitectural, 2));
  EXPECT_FALSE(F::linearText(1.0, 0, 2));
  EXPECT_FALSE(F::linearText(1.0, 6, 2));
  EXPECT_FALSE(F::linearText(1.0, F::kDecimal, -1));
  EXPECT_FALSE(F::linearText(1.0, F::kDecimal, 9));
  // The widest values still write, in full.
  EXPECT_EQ(lengthText(1e300, F::kDecimal, 0).size(), 301u);
  EXPECT_EQ(lengthText(-1.7e308, F::kScientific, 3), L"-1.700E+308");
  EXPECT_EQ(lengthText(1.2e18, F::kArchitectural, 0), L"100000000000000000'-0\"");
}

// Texts the writer gives are read back in the round trips below; these are typed otherwise.
TEST(UnitsFormatter, ReadsLengthsItsUsersType) {
  const Read rows[] = {
      {L"  -.5 ", F::kDecimal, -0.5},
      {L"+5.", F::kDecimal, 5.0},
      {L"1.5E+01", F::kScientific, 15.0},
      {L"-1.5e3", F::kDecimal, -1500.0},
      {L"15.5", F::kArchitectural, 15.5},
      {L"1'", F::kArchitectural, 12.0},
      {L"1'3-1/2\"", F::kArchitectural, 15.5},
      {L"1' 3\"", F::kEngineering, 15.0},
      {L"2.5'", F::kEngineering, 30.0},
      {L"3/4\"", F::kArchitectural, 0.75},
      {L"7\"", F::kArchitectural, 7.0},
      {L"3/8", F::kFractional, 0.375},
      {L"-0", F::kDecimal, 0.0},
  };
  for (const Read& r : rows) {
    const auto value = F::linearValue(r.text, r.mode);
    ASSERT_TRUE(value) << QvString(r.text) << " mode " << r.mode;
    EXPECT_DOUBLE_EQ(*value, r.value) << QvString(r.text);
  }
  EXPECT_FALSE(std::signbit(*F::linearValue(L"-0", F::kDecimal)));
  // Texts that are not lengths of the mode, feet beyond the largest length in inches, and modes
  // out of range.
  const std::pair<const wchar_t*, int> refused[] = {
      {L"", F::kDecimal},
      {L"  ", F::kArchitectural},
      {L".", F::kDecimal},
      {L"1'-", F::kArchitectural},
      {L"1/0", F::kFractional},
      {L"1'", F::kDecimal},
      {L"1 1/2", F::kDecimal},
      {L"1.5 1/2", F::kFractional},
      {L"12abc", F::kDecimal},
      {L"1e999", F::kScientific},
      {L"--1", F::kDecimal},
      {L"1\"2'", F::kArchitectural},
      {L"1'2'", F::kEngineering},
      {L"\u0661", F::kDecimal},
      {L"1e308'", F::kArchitectural},
      {L"1.5", 0},
      {L"1.5", 6},
  };
  for (const auto& [text, mode] : refused)
    EXPECT_FALSE(F::linearValue(text, mode)) << QvString(text) << " mode " << mode;
  // 400 digits overflow; a long fraction is still a fraction.
  EXPECT_FALSE(F::linearValue(std::wstring(400, L'9'), F::kDecimal));
  EXPECT_DOUBLE_EQ(*F::linearValue(L"0." + std::wstring(400, L'5'), F::kDecimal), 5.0 / 9.0);
}

TEST(UnitsFormatter, LengthsReadBackAsWritten) {
  const double values[] = {0.0,  0.3,   1.0 / 3.0, 5.5,      11.999, 12.0,
                           15.5, -15.5, 99.96875,  1234.567, -0.02,  1e6 + 0.4375};
  for (int mode = F::kScientific; mode <= F::kFractional; ++mode)
    for (int precision = 0; precision <= F::kMaxPrecision; ++precision)
      for (const double v : values) {
        const auto text = F::linearText(v, mode, precision);
        ASSERT_TRUE(text);
        const auto back = F::linearValue(text->wstr(), mode);
        ASSERT_TRUE(back) << *text << " mode " << mode;
        EXPECT_NEAR(*back, v, lengthStep(v, mode, precision)) << *text;
        // What was read writes the same text again.
        EXPECT_EQ(lengthText(*back, mode, precision), text->wstr()) << v;
      }
}

TEST(UnitsFormatter, WritesAnglesInEveryMode) {
  const Written rows[] = {
      {45.0, F::kDegrees, 0, L"45"},
      {45.5, F::kDegrees, 2, L"45.50"},
      {-90.0, F::kDegrees, 1, L"270.0"},
      {359.99, F::kDegrees, 1, L"0.0"},  // rounds to a full turn
      {720.25, F::kDegrees, 2, L"0.25"},
      {45.5, F::kDegMinSec, 4, L"45d30'0\""},
      {45.6, F::kDegMinSec, 0, L"46d"},
      {45.51, F::kDegMinSec, 2, L"45d31'"},
      {10.0 + 20.0 / 60 + 30.25 / 3600, F::kDegMinSec, 6, L"10d20'30.25\""},
      {359.9999, F::kDegMinSec, 3, L"0d0'0\""},
      {45.0, F::kGrads, 0, L"50g"},
      {100.0, F::kGrads, 3, L"111.111g"},
      {45.0, F::kRadians, 4, L"0.7854r"},
      {-45.0, F::kRadians, 2, L"5.50r"},
      {45.0, F::kSurveyor, 4, L"N 45d0'0\" E"},
      {100.0, F::kSurveyor, 1, L"N 10d0' W"},
      {200.5, F::kSurveyor, 2, L"S 69d30' W"},
      {300.0, F::kSurveyor, 0, L"S 30d E"},
      {0.0, F::kSurveyor, 4, L"E"},
      {90.0, F::kSurveyor, 4, L"N"},
      {180.0, F::kSurveyor, 0, L"W"},
      {270.0, F::kSurveyor, 8, L"S"},
      {89.99999, F::kSurveyor, 2, L"N"},  // rounds onto the axis
  };
  for (const Written& r : rows)
    EXPECT_EQ(angleText(r.value * kDeg, r.mode, r.precision), r.text)
        << r.value << " mode " << r.mode << " precision " << r.precision;
  EXPECT_FALSE(F::angleText(kNaN, F::kDegrees, 0));
  EXPECT_FALSE(F::angleText(1.0, 5, 0));
  EXPECT_FALSE(F::angleText(1.0, -1, 0));
  EXPECT_FALSE(F::angleText(1.0, F::kRadians, 9));
}

TEST(UnitsFormatter, ReadsAnglesItsUsersType) {
  const Read rows[] = {
      {L"-90", F::kDegrees, 270.0},
      {L"45d30'0\"", F::kDegMinSec, 45.5},
      {L"45d30'", F::kDegMinSec, 45.5},
      {L"45D", F::kDegMinSec, 45.0},
      {L"10d20'30.25\"", F::kDegMinSec, 10.3417361111},
      {L"45", F::kDegMinSec, 45.0},
      {L"50", F::kGrads, 45.0},
      {L"50g", F::kDegrees, 45.0},
      {L"0.785398163397r", F::kGrads, 45.0},
      {L"1.5707963267949", F::kRadians, 90.0},
      {L"n10dw", F::kSurveyor, 100.0},
      {L"S 69d30' W", F::kSurveyor, 200.5},
      {L"S30E", F::kSurveyor, 300.0},
      {L" W ", F::kSurveyor, 180.0},
      {L"E", F::kDegrees, 0.0},
      {L"N 90 E", F::kSurveyor, 0.0},
      {L"400g", F::kDegrees, 0.0},
  };
  for (const Read& r : rows) {
    const auto value = F::angleValue(r.text, r.mode);
    ASSERT_TRUE(value) << QvString(r.text) << " mode " << r.mode;
    EXPECT_NEAR(angularDistance(*value, r.value * kDeg), 0.0, 1e-9) << QvString(r.text);
    EXPECT_GE(*value, 0.0);
    EXPECT_LT(*value, 2.0 * std::numbers::pi);
  }
  const wchar_t* refused[] = {L"",       L"d",         L"45d30",  L"45x",   L"N 45", L"N 91 E",
                              L"E 10 N", L"N 45d E W", L"45'30d", L"1e999", L"45 g", L"NE"};
  for (const wchar_t* text : refused)
    EXPECT_FALSE(F::angleValue(text, F::kSurveyor)) << QvString(text);
  EXPECT_FALSE(F::angleValue(L"45", 5));
}

TEST(UnitsFormatter, AnglesReadBackAsWritten) {
  const double degrees[] = {0.0,   0.5,   1e-3,  30.0,  44.99, 45.0,  89.5,  90.0,
                            91.25, 179.9, 200.0, 269.9, 270.0, 300.3, 359.5, -30.0};
  for (int mode = F::kDegrees; mode <= F::kSurveyor; ++mode)
    for (int precision = 0; precision <= F::kMaxPrecision; ++precision)
      for (const double d : degrees) {
        const auto text = F::angleText(d * kDeg, mode, precision);
        ASSERT_TRUE(text);
        const auto back = F::angleValue(text->wstr(), mode);
        ASSERT_TRUE(back) << *text << " mode " << mode;
        EXPECT_LE(angularDistance(*back, d * kDeg), angleStep(mode, precision)) << *text;
        EXPECT_EQ(angleText(*back, mode, precision), text->wstr()) << d;
      }
}

// The classic functions, with the current drawing's settings.
class ClassicUnitsTest : public HostFixture {};

TEST_F(ClassicUnitsTest, CurrentModesComeFromTheDrawing) {
  QvString text;
  EXPECT_EQ(shortVar(L"LUNITS"), 2);
  EXPECT_EQ(shortVar(L"LUPREC"), 4);
  ASSERT_EQ(qvdbRToS(15.5, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"15.5000");
  ASSERT_EQ(setShortVar(L"LUNITS", 4), kQvNormal);
  ASSERT_EQ(setShortVar(L"LUPREC", 3), kQvNormal);
  ASSERT_EQ(qvdbRToS(15.5, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"1'-3 1/2\"");
  ASSERT_EQ(qvdbRToS(15.5, 2, -1, text), kQvNormal);  // an explicit mode, current precision
  EXPECT_EQ(text, L"15.500");
  double value = 0.0;
  ASSERT_EQ(qvdbDisToF(L"2'-1/4\"", -1, &value), kQvNormal);
  EXPECT_DOUBLE_EQ(value, 24.25);
  // Kept by the drawing's header, inside their ranges.
  EXPECT_EQ(setShortVar(L"LUNITS", 6), kQvRejected);
  EXPECT_EQ(setShortVar(L"LUPREC", 9), kQvRejected);
  EXPECT_EQ(setShortVar(L"AUNITS", 5), kQvRejected);
  EXPECT_EQ(shortVar(L"LUNITS"), 4);

  ASSERT_EQ(qvdbRawAngToS(std::numbers::pi / 4, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"45");
  ASSERT_EQ(setShortVar(L"AUNITS", 4), kQvNormal);
  ASSERT_EQ(setShortVar(L"AUPREC", 3), kQvNormal);
  ASSERT_EQ(qvdbRawAngToS(std::numbers::pi / 4, -1, -1, text), kQvNormal);
  EXPECT_EQ(text, L"N 45d0'0\" E");
  ASSERT_EQ(qvdbAngToF(L"S 45d W", -1, &value), kQvNormal);
  EXPECT_NEAR(value, 1.25 * std::numbers::pi, 1e-12);
}

TEST_F(ClassicUnitsTest, FailuresLeaveTheOutputAlone) {
  wchar_t buffer[8];
  std::wmemcpy(buffer, L"keep", 5);
  // "15.5000" needs 8 characters with its NUL; 7 is one short.
  EXPECT_EQ(qvdbRToS(15.5, 2, 4, buffer, 7), kQvError);
  EXPECT_STREQ(buffer, L"keep");
  EXPECT_EQ(qvdbRToS(15.5, 2, 4, buffer, 8), kQvNormal);
  EXPECT_STREQ(buffer, L"15.5000");
  std::wmemcpy(buffer, L"keep", 5);
  EXPECT_EQ(qvdbRawAngToS(1.0, 9, 0, buffer, 8), kQvError);
  EXPECT_EQ(qvdbRToS(kInf, 2, 4, buffer, 8), kQvError);
  EXPECT_EQ(qvdbRToS(1.0, 2, 4, nullptr, 8), kQvError);
  EXPECT_EQ(qvdbRawAngToS(1.0, 0, 0, buffer, 0), kQvError);
  EXPECT_STREQ(buffer, L"keep");

  QvString text(L"keep");
  EXPECT_EQ(qvdbRToS(1.0, 0, 2, text), kQvError);
  EXPECT_EQ(qvdbRawAngToS(kNaN, 0, 2, text), kQvError);
  EXPECT_EQ(text, L"keep");

  double value = 7.0;
  EXPECT_EQ(qvdbDisToF(L"1'-", 4, &value), kQvError);
  EXPECT_EQ(qvdbDisToF(nullptr, 2, &value), kQvError);
  EXPECT_EQ(qvdbDisToF(L"1", 2, nullptr), kQvError);
  EXPECT_EQ(qvdbAngToF(L"N 45", 4, &value), kQvError);
  EXPECT_EQ(qvdbAngToF(L"45", 7, &value), kQvError);
  EXPECT_EQ(value, 7.0);
}

TEST_F(ClassicUnitsTest, FormatterMembersUseTheirSettings) {
  ASSERT_EQ(setShortVar(L"LUNITS", 3), kQvNormal);
  ASSERT_EQ(setShortVar(L"LUPREC", 2), kQvNormal);
  const F current;
  EXPECT_EQ(current.linearMode(), F::kEngineering);
  EXPECT_EQ(current.angularMode(), F::kDegrees);
  QvString text(L"keep");
  ASSERT_EQ(current.formatLinear(text, 15.5), kQvNormal);
  EXPECT_EQ(text, L"1'-3.50\"");
  double value = 0.0;
  ASSERT_EQ(current.unformatLinear(value, L"2'-0.25\""), kQvNormal);
  EXPECT_DOUBLE_EQ(value, 24.25);
  ASSERT_EQ(current.unformatAngle(value, L"90"), kQvNormal);
  EXPECT_NEAR(value, std::numbers::pi / 2, 1e-12);
  // A formatter made with settings out of range refuses rather than guessing.
  const F broken(9, 2, 7, 0);
  EXPECT_EQ(broken.formatLinear(text, 1.0), kQvError);
  EXPECT_EQ(broken.formatAngle(text, 1.0), kQvError);
  EXPECT_EQ(text, L"1'-3.50\"");
  value = 3.0;
  EXPECT_EQ(broken.unformatAngle(value, L"45"), kQvError);
  EXPECT_EQ(current.unformatLinear(value, L"1'-"), kQvError);
  EXPECT_EQ(value, 3.0);
}
