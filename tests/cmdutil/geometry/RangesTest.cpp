// Ranges of system variables read from their text, and strings split at a separator.
#include <gtest/gtest.h>

#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

TEST(ShortRange, ParsesMinUnderscoreMaxAndRefusesTheRest) {
  int min = -7;
  int max = -7;
  EXPECT_EQ(XqDbUtil::getShortRange("0_4", min, max), 1);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 4);
  EXPECT_EQ(XqDbUtil::getShortRange("  -3 _ 12 ", min, max), 1);
  EXPECT_EQ(min, -3);
  EXPECT_EQ(max, 12);
  EXPECT_EQ(XqDbUtil::getShortRange("2147483647_2147483647", min, max), 1);
  EXPECT_EQ(min, 2147483647);

  for (const char* bad : {"4", "_4", "0_", "", "   ", "a_4", "0_b", "0_4x", "5_1", "99999999999_1",
                          "0_2147483648", "0__4"}) {
    min = -7;
    max = -7;
    EXPECT_EQ(XqDbUtil::getShortRange(bad, min, max), 0) << '"' << bad << '"';
    EXPECT_EQ(min, -7) << bad;
    EXPECT_EQ(max, -7) << bad;
  }
  EXPECT_EQ(XqDbUtil::getShortRange(nullptr, min, max), 0);
}

class SysVarRangeTest : public HostFixture {};

TEST_F(SysVarRangeTest, FromTheRangeTextOrTheTwoStateFlag) {
  double min = -1;
  double max = -1;
  ASSERT_TRUE(XqDbUtil::GetSysVarRange(L"insunits", min, max));
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 24);
  ASSERT_TRUE(XqDbUtil::GetSysVarRange(L"LUNITS", min, max));
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 5);
  ASSERT_TRUE(XqDbUtil::GetSysVarRange(L"MIRRORDRAW", min, max));  // two-state, no text
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 1);

  min = max = -1;
  EXPECT_FALSE(XqDbUtil::GetSysVarRange(L"SNAPANG", min, max));  // a real
  EXPECT_FALSE(XqDbUtil::GetSysVarRange(L"UCSORG", min, max));   // a point
  EXPECT_FALSE(XqDbUtil::GetSysVarRange(L"NOSUCHVARIABLE", min, max));
  EXPECT_FALSE(XqDbUtil::GetSysVarRange(L"", min, max));
  EXPECT_EQ(min, -1);
  EXPECT_EQ(max, -1);
}

QvArray<QvString> split(const QvString& text, const QvString& separator, int expected) {
  QvArray<QvString> parts;
  parts.append(L"kept");
  EXPECT_EQ(XqDbUtil::SplitString(text, separator, parts), expected) << text.utf8();
  return parts;
}

TEST(SplitStringTest, NonEmptyPiecesInOrderAppended) {
  QvArray<QvString> parts = split(L"a,,b,", L",", 2);
  ASSERT_EQ(parts.length(), 3);
  EXPECT_EQ(parts[0], QvString(L"kept"));
  EXPECT_EQ(parts[1], QvString(L"a"));
  EXPECT_EQ(parts[2], QvString(L"b"));

  parts = split(L"::left::right side::", L"::", 2);
  ASSERT_EQ(parts.length(), 3);
  EXPECT_EQ(parts[1], QvString(L"left"));
  EXPECT_EQ(parts[2], QvString(L"right side"));

  EXPECT_EQ(split(L"abc", L",", 0).length(), 1);
  EXPECT_EQ(split(L"", L",", 0).length(), 1);
  EXPECT_EQ(split(L"a,b", L"", 0).length(), 1);
  EXPECT_EQ(split(L",,,", L",", 0).length(), 1);
}

}  // namespace
