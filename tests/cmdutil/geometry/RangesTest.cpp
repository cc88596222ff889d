// Ranges of system variables read from their text, and strings split at a separator.
#include <gtest/gtest.h>

#include <utility>

#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

TEST(ShortRange, ParsesMinUnderscoreMaxAndRefusesTheRest) {
  for (const auto& [text, range] : {std::pair{"0_4", std::pair{0, 4}},
                                    {"  -3 _ 12 ", {-3, 12}},
                                    {"2147483647_2147483647", {2147483647, 2147483647}}}) {
    std::pair<int, int> read{-7, -7};
    EXPECT_EQ(XqDbUtil::getShortRange(text, read.first, read.second), 1) << text;
    EXPECT_EQ(read, range) << text;
  }
  for (const char* bad : {"4", "_4", "0_", "", "   ", "a_4", "0_b", "0_4x", "5_1", "99999999999_1",
                          "0_2147483648", "0__4"}) {
    std::pair<int, int> kept{-7, -7};
    EXPECT_EQ(XqDbUtil::getShortRange(bad, kept.first, kept.second), 0) << '"' << bad << '"';
    EXPECT_EQ(kept, std::pair(-7, -7)) << bad;
  }
  int min = 0, max = 0;
  EXPECT_EQ(XqDbUtil::getShortRange(nullptr, min, max), 0);
}

class SysVarRangeTest : public HostFixture {};

TEST_F(SysVarRangeTest, FromTheRangeTextOrTheTwoStateFlag) {
  // The range text, and a two-state flag without text.
  for (const auto& [name, range] : {std::pair{L"insunits", std::pair{0.0, 24.0}},
                                    {L"LUNITS", {1.0, 5.0}},
                                    {L"MIRRORDRAW", {0.0, 1.0}}}) {
    std::pair<double, double> read{-1, -1};
    ASSERT_TRUE(XqDbUtil::GetSysVarRange(name, read.first, read.second)) << QvString(name).utf8();
    EXPECT_EQ(read, range) << QvString(name).utf8();
  }
  // A real, a point, no variable.
  for (const wchar_t* none : {L"SNAPANG", L"UCSORG", L"NOSUCHVARIABLE", L""}) {
    std::pair<double, double> kept{-1, -1};
    EXPECT_FALSE(XqDbUtil::GetSysVarRange(none, kept.first, kept.second)) << QvString(none).utf8();
    EXPECT_EQ(kept, std::pair(-1.0, -1.0));
  }
}

// The pieces `SplitString` appends to a list holding "kept"; the test fails unless it reports
// `expected` pieces.
QvArray<QvString> split(const QvString& text, const QvString& separator, int expected) {
  QvArray<QvString> parts;
  parts.append(L"kept");
  EXPECT_EQ(XqDbUtil::SplitString(text, separator, parts), expected) << text.utf8();
  return parts;
}

TEST(SplitStringTest, NonEmptyPiecesInOrderAppended) {
  EXPECT_EQ(split(L"a,,b,", L",", 2), (QvArray<QvString>{L"kept", L"a", L"b"}));
  EXPECT_EQ(split(L"::left::right side::", L"::", 2),
            (QvArray<QvString>{L"kept", L"left", L"right side"}));
  for (const auto& [text, separator] :
       {std::pair{L"abc", L","}, {L"", L","}, {L"a,b", L""}, {L",,,", L","}})
    EXPECT_EQ(split(text, separator, 0), QvArray<QvString>{L"kept"}) << QvString(text).utf8();
}

}  // namespace
