// The groups as written: the code right-aligned in three columns on its line, whatever the
// code's width, and the value on the next, for every kind of value and length of text.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
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

// `value` with `places` decimals after the first digit, as printf rounds it in `mode`.
std::string printfDigits(double value, int places, int mode) {
  const int before = std::fegetround();
  std::fesetround(mode);
  char text[48];
  std::snprintf(text, sizeof(text), "%.*e", places, value);
  std::fesetround(before);
  return text;
}

// The significant digits of the shortest decimal that reads back as `value`, the nearest of
// that length: printf's correctly rounded digits at the fewest places that strtod reads back,
// or the decimal on the other side of the value at that length when only that one does (the
// lopsided interval around a power of two).
std::string shortestDigitsByPrintf(double value) {
  std::string text;
  for (int places = 0; places <= 17; ++places) {
    text = printfDigits(value, places, FE_TONEAREST);
    if (std::strtod(text.c_str(), nullptr) == value) break;
    const std::string down = printfDigits(value, places, FE_DOWNWARD);
    const std::string up = printfDigits(value, places, FE_UPWARD);
    const std::string& other = down == text ? up : down;
    if (std::strtod(other.c_str(), nullptr) == value) {
      text = other;
      break;
    }
  }
  std::string digits;
  for (const char c : text.substr(0, text.find('e')))
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

// The significant digits of a written real: its digits without the exponent, the leading
// zeros and the trailing ones.
std::string significantDigits(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('e')))
    if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits += c;
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  return digits;
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

// Values that are not whole, of every size around the fixed form and of every length of
// digits: short decimals, sums and products of them, angles, quotients, powers of two and
// their neighbours, random bits. Each is written with as few digits as reads it back, and
// those are the nearest ones of that length.
TEST(DxfOutputTest, RealsThatAreNotWholeTakeTheShortestNearestDigits) {
  std::vector<double> values;
  for (int i = 1; i < 2000; ++i) {
    values.push_back(i / 8.0 + 0.1);
    values.push_back(i * 0.1);
    values.push_back((i % 200) * 3.0 + std::cos(i * 0.1745329251994) * -1.2 * (0.5 + i % 5 * 0.25));
    values.push_back(i / 7.0);
    values.push_back(0.3 * (0.5 + (i % 5) * 0.25));
    values.push_back(std::ldexp(1.0, i % 80 - 30));
    values.push_back(std::nextafter(std::ldexp(1.0, i % 80 - 30), 0.0));
    values.push_back(std::nextafter(std::ldexp(1.0, i % 80 - 30), 1e300));
    values.push_back(std::pow(10.0, i % 24 - 6) + i * 1e-3);
    values.push_back(std::nextafter(std::pow(10.0, i % 24 - 6), 0.0));
  }
  std::mt19937_64 random(12);
  std::uniform_real_distribution<double> exponent(-6.0, 17.0);
  for (int i = 0; i < 40000; ++i) {
    const double magnitude = std::pow(10.0, exponent(random));
    values.push_back(magnitude);
    // Fewer digits: a random value rounded to a random number of places.
    const double places = std::pow(10.0, static_cast<int>(random() % 12));
    values.push_back(std::round(magnitude * places) / places);
  }
  int checked = 0;
  for (const double magnitude : values) {
    for (const double value : {magnitude, -magnitude}) {
      if (value == std::trunc(value)) continue;
      const std::string text = QvDxfNumber::realText(value);
      ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
      if (text.find('e') == std::string::npos) {
        ASSERT_NE(text.back(), '0') << text;
      }
      ASSERT_EQ(significantDigits(text), shortestDigitsByPrintf(std::fabs(value))) << text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 80000);
}
