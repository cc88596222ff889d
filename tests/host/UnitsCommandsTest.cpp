// RTOS, ANGTOS and WCMATCH from a script: what they print and how they end.
#include <gtest/gtest.h>

#include "tests/host/CommandModuleFixture.h"

namespace {

class UnitsCommandsTest : public CommandModuleFixture {};

TEST_F(UnitsCommandsTest, LengthsReadInTheCurrentUnitsAndWrittenInEveryMode) {
  const auto summary =
      run(L"SETVAR\nLUNITS\n4\nSETVAR\nLUPREC\n3\n"
          L"RTOS\n1'-3 1/2\"\nRTOS\n1'-\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains("Scientific     1.550E+01\n")) << transcript();
  EXPECT_TRUE(contains("Decimal        15.500\n")) << transcript();
  EXPECT_TRUE(contains("Engineering    1'-3.500\"\n")) << transcript();
  EXPECT_TRUE(contains("Architectural  1'-3 1/2\"   (current)")) << transcript();
  EXPECT_TRUE(contains("Fractional     15 1/2")) << transcript();
  EXPECT_TRUE(contains("Not a length in the current units (LUNITS 4).")) << transcript();
}

TEST_F(UnitsCommandsTest, AnglesReadInTheCurrentUnitsAndWrittenInEveryMode) {
  const auto summary = run(L"SETVAR\nAUPREC\n4\nANGTOS\nN 45d E\nANGTOS\n45d30'\nANGTOS\nNE\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  EXPECT_TRUE(contains("Degrees        45.0000   (current)")) << transcript();
  EXPECT_TRUE(contains("Deg/min/sec    45d0'0\"\n")) << transcript();
  EXPECT_TRUE(contains("Grads          50.0000g")) << transcript();
  EXPECT_TRUE(contains("Radians        0.7854r")) << transcript();
  EXPECT_TRUE(contains("Surveyor       N 45d0'0\" E")) << transcript();
  EXPECT_TRUE(contains("Surveyor       N 44d30'0\" E")) << transcript();
  EXPECT_TRUE(contains("Not an angle in the current units (AUNITS 0).")) << transcript();
}

TEST_F(UnitsCommandsTest, WildcardMatchesWithAndWithoutCase) {
  const auto summary =
      run(L"WCMATCH\nDoor-12\nDOOR-##\nNo\nWCMATCH\nDoor-12\nDOOR-##\nYes\n"
          L"WCMATCH\nWIN 3\n\\~WIN*,DOOR*\n\n");
  EXPECT_EQ(summary.done, 3) << transcript();
  const std::string t = transcript();
  const size_t first = t.find("Does not match.");
  ASSERT_NE(first, std::string::npos) << t;
  const size_t second = t.find("Matches.", first);
  ASSERT_NE(second, std::string::npos) << t;
  EXPECT_NE(t.find("Does not match.", second), std::string::npos) << t;
}

}  // namespace
