#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "sdk/app/VexaUnitTable.h"
#include "sdk/app/qvutCvUnit.h"
#include "sdk/base/QvString.h"

namespace {

// Sizes in metres from their decimal definitions, in extended precision: an independent path
// to the same numbers.
long double metres(int code) {
  constexpr long double pi = 3.141592653589793238462643383279502884L;
  constexpr long double au = 149597870700.0L;
  const long double sizes[] = {0.0L,
                               0.0254L,
                               0.3048L,
                               1609.344L,
                               1e-3L,
                               1e-2L,
                               1.0L,
                               1e3L,
                               2.54e-8L,
                               2.54e-5L,
                               0.9144L,
                               1e-10L,
                               1e-9L,
                               1e-6L,
                               0.1L,
                               10.0L,
                               100.0L,
                               1e9L,
                               au,
                               299792458.0L * 86400.0L * 365.25L,
                               au * 648000.0L / pi};
  return sizes[code];
}

double ulpsApart(double a, double b) {
  return std::abs(a - b) / (std::numeric_limits<double>::epsilon() * std::abs(b));
}

const wchar_t* unitName(int code) {
  return VexaUnitTable::units()[code].name;
}

double convert(double value, const wchar_t* from, const wchar_t* to) {
  double out = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(qvutCvUnit(value, from, to, &out), kQvNormal)
      << QvString(from) << " -> " << QvString(to);
  return out;
}

// The unit of code c is the table's entry c; each is found by its name in any case.
TEST(UnitsTest, TheTableHoldsTheTwentyOneUnitsInCodeOrder) {
  const auto units = VexaUnitTable::units();
  ASSERT_EQ(units.size(), 21u);
  for (const auto& unit : units) EXPECT_EQ(VexaUnitTable::find(unit.name), &unit);
  EXPECT_EQ(VexaUnitTable::find(L"inches"), &units[1]);
  EXPECT_EQ(VexaUnitTable::find(L"Inch"), nullptr);
  EXPECT_EQ(VexaUnitTable::find(L"InchesX"), nullptr);
  EXPECT_EQ(VexaUnitTable::find(L"LIGHT years"), &units[19]);
  EXPECT_EQ(VexaUnitTable::find(L""), nullptr);
  EXPECT_EQ(VexaUnitTable::find(nullptr), nullptr);
}

TEST(UnitsTest, EveryPairInBothDirectionsAgreesWithTheDefinitions) {
  for (int from = 1; from <= 20; ++from) {
    for (int to = 1; to <= 20; ++to) {
      const double there = convert(1.0, unitName(from), unitName(to));
      const double back = convert(1.0, unitName(to), unitName(from));
      const double expected = static_cast<double>(metres(from) / metres(to));
      EXPECT_LE(ulpsApart(there, expected), 2.0) << from << " -> " << to;
      EXPECT_LE(ulpsApart(there * back, 1.0), 4.0) << from << " <-> " << to;
      if (from == to) {
        EXPECT_EQ(there, 1.0);
      }
    }
  }
}

TEST(UnitsTest, DefinedRatiosAreExact) {
  EXPECT_EQ(convert(1.0, L"Inches", L"Millimeters"), 25.4);
  EXPECT_EQ(convert(1.0, L"Feet", L"Inches"), 12.0);
  EXPECT_EQ(convert(1.0, L"Miles", L"Feet"), 5280.0);
  EXPECT_EQ(convert(1.0, L"Yards", L"Feet"), 3.0);
  EXPECT_EQ(convert(1.0, L"Inches", L"Mils"), 1000.0);
  EXPECT_EQ(convert(1.0, L"Inches", L"Microinches"), 1e6);
  EXPECT_EQ(convert(1.0, L"Astronomical Units", L"Meters"), 149597870700.0);
  EXPECT_EQ(convert(1.0, L"Light Years", L"Meters"), 9460730472580800.0);
  EXPECT_LE(ulpsApart(convert(1.0, L"Parsecs", L"Astronomical Units"), 648000.0 / std::numbers::pi),
            1.0);
  EXPECT_EQ(convert(-2.5, L"Meters", L"Centimeters"), -250.0);
}

TEST(UnitsTest, UnspecifiedUnknownAndBadArgumentsFail) {
  double out = 7.0;
  EXPECT_EQ(qvutCvUnit(1.0, L"Unspecified (No units)", L"Meters", &out), kQvError);
  EXPECT_EQ(qvutCvUnit(1.0, L"Meters", L"Unspecified (No units)", &out), kQvError);
  EXPECT_EQ(qvutCvUnit(1.0, L"Unspecified (No units)", L"Unspecified (No units)", &out), kQvError);
  EXPECT_EQ(qvutCvUnit(1.0, L"Furlongs", L"Meters", &out), kQvError);
  EXPECT_EQ(qvutCvUnit(1.0, L"Meters", nullptr, &out), kQvError);
  EXPECT_EQ(qvutCvUnit(std::numeric_limits<double>::infinity(), L"Meters", L"Feet", &out),
            kQvError);
  EXPECT_EQ(out, 7.0);
  EXPECT_EQ(qvutCvUnit(1.0, L"Meters", L"Feet", nullptr), kQvError);
}

}  // namespace
