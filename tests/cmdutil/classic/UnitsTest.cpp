// Insertion-unit factors and line weights of the classic helper library.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaSysVarService.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqUnits.h"

namespace {

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

TEST_F(InsUnitsTest, InchFactorOfTheDrawingUnits) {
  EXPECT_EQ(inchFactorFor(9), 1000.0);
  EXPECT_EQ(inchFactorFor(4), 25.4);
  EXPECT_EQ(inchFactorFor(2), 1.0 / 12.0);
  EXPECT_EQ(inchFactorFor(1), 1.0);
  EXPECT_EQ(inchFactorFor(0), 1.0);
  EXPECT_EQ(inchFactorFor(21), 1.0);  // no unit name
  EXPECT_EQ(inchFactorFor(24), 1.0);
}

TEST(InsUnitsNoHostTest, UnreadableVariablesGiveOneOnlyWhereNeeded) {
  // No host: no system variables. Codes given outright still convert.
  EXPECT_EQ(getScaleFactor(4, 1), 25.4);
  EXPECT_EQ(getScaleFactor(4, 0), 1.0);
  EXPECT_EQ(getScaleFactor(0, 1), 1.0);
  EXPECT_EQ(inchToUnitFactor(), 1.0);
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
