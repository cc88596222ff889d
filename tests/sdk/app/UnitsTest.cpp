#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "sdk/app/VexaUnitTable.h"
#include "sdk/app/qvutCvUnit.h"
#include "sdk/base/QvString.h"

namespace {

// The unit names by insertion-unit code, 0 to 20.
const wchar_t* const kNames[] = {L"Unspecified (No units)",
                                 L"Inches",
                                 L"Feet",
                                 L"Miles",
                                 L"Millimeters",
                                 L"Centimeters",
                                 L"Meters",
                                 L"Kilometers",
                                 L"Microinches",
                                 L"Mils",
                                 L"Yards",
                                 L"Angstroms",
                                 L"Nanometers",
                                 L"Microns",
                                 L"Decimeters",
                                 L"Dekameters",
                                 L"Hectometers",
                                 L"Gigameters",
                                 L"Astronomical Units",
                                 L"Light Years",
                                 L"Parsecs"};

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

double convert(double value, const wchar_t* from, const wchar_t* to) {
  double out = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(qvutCvUnit(value, from, to, &out), kQvNormal)
      << QvString(from) << " -> " << QvString(to);
  return out;
}

TEST(UnitsTest, TheTableHoldsTheTwentyOneNamesInCodeOrder) {
  const auto units = VexaUnitTable::units();
  ASSERT_EQ(units.size(), std::size(kNames));
  for (size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(QvString(units[i].name), kNames[i]);
    EXPECT_EQ(VexaUnitTable::find(kNames[i]), &units[i]);
  }
  EXPECT_EQ(VexaUnitTable::find(L"inches"), &units[1]);
  EXPECT_EQ(VexaUnitTable::find(L"Inch"), nullptr);
  EXPECT_EQ(VexaUnitTable::find(nullptr), nullptr);
}

TEST(UnitsTest, EveryPairInBothDirectionsAgreesWithTheDefinitions) {
  for (int from = 1; from <= 20; ++from) {
    for (int to = 1; to <= 20; ++to) {
      const double there = convert(1.0, kNames[from], kNames[to]);
      const double back = convert(1.0, kNames[to], kNames[from]);
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

TEST(UnitsTest, InchesIntoEachUnitMatchTheInsertionFactors) {
  // How many units make one inch, as the insertion code has them.
  const double perInch[] = {0,
                            1.0,
                            0.08333333333333333,
                            1.5782828282828283e-5,
                            25.4,
                            2.54,
                            0.0254,
                            2.54e-5,
                            1000000.0,
                            1000.0,
                            0.027777777777777776,
                            254000000.0,
                            25400000.0,
                            25400.0,
                            0.254,
                            0.00254,
                            0.000254,
                            2.54e-11,
                            1.697885129056185e-13,
                            2.684782118422523e-18,
                            8.231579395253184e-19};
  for (int code = 1; code <= 19; ++code)
    EXPECT_LE(ulpsApart(convert(1.0, L"Inches", kNames[code]), perInch[code]), 1.0) << code;
  // The insertion table's parsec is an older measured value, 8e-12 away from 648000 / pi
  // astronomical units; the conversion keeps the definition.
  const double parsec = convert(1.0, L"Inches", L"Parsecs");
  EXPECT_NEAR(parsec / perInch[20], 1.0, 1e-11);
  EXPECT_NE(parsec, perInch[20]);
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
