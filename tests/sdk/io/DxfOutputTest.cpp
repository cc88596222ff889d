// The groups as written: the code right-aligned in three columns on its line, whatever the
// code's width, and the value on the next, for every kind of value and length of text.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sdk/io/QvDxfHugePages.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfOutput.h"

namespace {

// What a group of `code` with the text `value` looks like, made with printf.
std::string group(int code, const std::string& value) {
  char line[16];
  std::snprintf(line, sizeof(line), "%3d\n", code);
  return line + value + "\n";
}

const std::vector<int> kCodes = {0, 1, 5, 9, 10, 62, 99, 100, 330, 999, 1000, 1071, -1, -5};

}  // namespace

TEST(DxfOutputTest, EveryKindOfValueFollowsItsCodeLine) {
  for (const int code : kCodes) {
    QvDxfOutput out;
    std::string expected;
    out.raw(code, "AcDbEntity");
    expected += group(code, "AcDbEntity");
    out.integer(code, -32768);
    expected += group(code, "-32768");
    out.integer(code, INT64_MAX);
    expected += group(code, "9223372036854775807");
    out.real(code, 2.5);
    expected += group(code, "2.5");
    out.real(code, -1.25e-300);
    expected += group(code, "-1.25e-300");
    out.handle(code, QvDbHandle(0));
    expected += group(code, "0");
    out.handle(code, QvDbHandle(0xFFFFFFFFFFFFFFFFull));
    expected += group(code, "FFFFFFFFFFFFFFFF");
    out.text(code, QvString(L"a\nb"));
    expected += group(code, "a^Jb");
    ASSERT_EQ(expected, out.str()) << "code " << code;
  }
}

TEST(DxfOutputTest, PointsTakeTheirCoordinateCodes) {
  QvDxfOutput out;
  out.point(10, 1.0, -0.5, 1e20);
  out.point(1011, 0.1, 0.2, 0.3, false);
  EXPECT_EQ(group(10, "1.0") + group(20, "-0.5") + group(30, "1e+20") + group(1011, "0.1") +
                group(1021, "0.2"),
            out.str());
}

// Values short enough to be assembled with their code line and values longer than that.
TEST(DxfOutputTest, TextsOfEveryLengthAreWrittenWhole) {
  QvDxfOutput out;
  std::string expected;
  for (size_t length = 0; length < 200; ++length) {
    const std::string value(length, static_cast<char>('a' + length % 26));
    out.raw(1, value);
    expected += group(1, value);
  }
  EXPECT_EQ(expected, out.str());
}

// Room reserved in advance, huge pages or not, leaves what is written and what comes after it
// as it would be without.
TEST(DxfOutputTest, ReservedRoomKeepsTheTextWritten) {
  QvDxfOutput out;
  out.raw(0, "SECTION");
  out.reserve(size_t{9} << 20);
  const std::string before = out.str();
  std::string expected = before;
  for (int i = 0; i < 200000; ++i) {
    out.real(10, i / 8.0);
    expected += group(10, QvDxfNumber::realText(i / 8.0));
  }
  EXPECT_EQ(expected, out.str());
  // Advice on ranges with no whole huge page in them is ignored.
  char small[64] = "kept";
  qvDxfAdviseHugePages(small, sizeof(small));
  qvDxfAdviseHugePages(nullptr, 0);
  EXPECT_STREQ("kept", small);
}

// Reals take their shortest round-trip digits: fixed with at least one decimal up to sixteen
// digits before the point and from 1e-4, else d.ddde+xx. Whole numbers, the most common
// values of a drawing, around the edges of the fixed form.
TEST(DxfOutputTest, RealsTakeTheirShortestFormWholeNumbersIncluded) {
  const std::vector<std::pair<double, std::string>> cases = {
      {3.0, "3.0"},
      {-600.0, "-600.0"},
      {1.0, "1.0"},
      {0.0, "0.0"},
      {-0.0, "0.0"},  // negative zero is written as zero
      {2.5e15, "2500000000000000.0"},
      {9007199254740991.0, "9007199254740991.0"},  // 2^53 - 1
      {9007199254740992.0, "9007199254740992.0"},  // 2^53
      {9999999999999998.0, "9999999999999998.0"},
      {1e16, "1e+16"},
      {-3e22, "-3e+22"},
      {123456.75, "123456.75"},
      {0.5, "0.5"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {1.0 / 3.0, "0.3333333333333333"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(QvDxfNumber::realText(value), text) << text;
    EXPECT_TRUE(QvDxfNumber::isRealText(text, value)) << text;
  }
}
