// DXF text: split into groups (line ends of both kinds, values of every length), the groups as
// written for every kind of value, reals in their shortest form and read bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfHugePages.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfOutput.h"
#include "sdk/io/QvDxfTokenizer.h"

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

// Whether a written real has the form [-]d[.ddd]e(+|-)dd[d] with d not 0, or the fixed form
// [-]ddd.ddd without leading zeros before the point.
bool wellFormed(const std::string& text) {
  const size_t sign = text.rfind('-', 0) == 0 ? 1 : 0;
  const size_t e = text.find('e');
  const std::string mantissa = text.substr(sign, e == std::string::npos ? e : e - sign);
  const size_t point = mantissa.find('.');
  const std::string whole = mantissa.substr(0, point);
  if (whole.empty() || (whole.size() > 1 && whole[0] == '0')) return false;
  if (e == std::string::npos) return point != std::string::npos && point + 1 < mantissa.size();
  const std::string exponent = text.substr(e + 1);
  return whole.size() == 1 && whole[0] != '0' && point != mantissa.size() - 1 &&
         exponent.size() >= 3 && exponent.size() <= 4 && (exponent[0] == '+' || exponent[0] == '-');
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

// Reals written again, by themselves and in points, and others that share the place their
// text is kept in, each keep their own text.
TEST(DxfOutputTest, RealsWrittenAgainKeepTheirOwnText) {
  std::mt19937_64 rng(7);
  std::vector<double> values;
  for (int i = 0; i < 3000; ++i) {
    uint64_t bits = rng();
    double random = 0;
    std::memcpy(&random, &bits, sizeof random);
    values.push_back(std::isfinite(random) ? random : 1.0 / (i + 3));
    values.push_back((i % 97) * 0.1 - 4.0);
    values.push_back(-std::ldexp(1.0, i % 200 - 100));
  }
  QvDxfOutput out;
  std::string expected;
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i + 2 < values.size(); i += 3) {
      out.real(40, values[i + pass]);
      expected += group(40, QvDxfNumber::realText(values[i + pass]));
      out.point(10, values[i + 2], values[i], values[i + 1]);
      expected += group(10, QvDxfNumber::realText(values[i + 2])) +
                  group(20, QvDxfNumber::realText(values[i])) +
                  group(30, QvDxfNumber::realText(values[i + 1]));
    }
  }
  // Compared up to the first difference: a whole diff of texts this long takes too long.
  const std::string& written = out.str();
  const auto [want, got] =
      std::mismatch(expected.begin(), expected.end(), written.begin(), written.end());
  EXPECT_TRUE(want == expected.end() && got == written.end())
      << "at " << (want - expected.begin()) << ": expected \""
      << std::string(want, want + std::min<std::ptrdiff_t>(40, expected.end() - want))
      << "\", written \""
      << std::string(got, got + std::min<std::ptrdiff_t>(40, written.end() - got)) << "\"";
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
      {1e300, "1e+300"},
      {5e-324, "5e-324"},
      {1.7976931348623157e308, "1.7976931348623157e+308"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(QvDxfNumber::realText(value), text) << text;
    EXPECT_TRUE(QvDxfNumber::isRealText(text, value)) << text;
  }
}

// Values of every size around the fixed form and of every length of digits: short decimals,
// sums and products of them, angles, quotients, powers of two and their neighbours, random
// bits. Each is written with as few digits as reads it back bit for bit, those are the nearest
// ones of that length, and the form is fixed from 1e-4 to below 1e16.
TEST(DxfOutputTest, RealsTakeTheShortestNearestDigits) {
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
  for (int i = 0; i < 2000; ++i) {  // any bits, and whole numbers around the fixed form
    double bits;
    const uint64_t word = random();
    std::memcpy(&bits, &word, sizeof(bits));
    if (std::isfinite(bits)) values.push_back(std::fabs(bits));
    values.push_back(
        std::ldexp(static_cast<double>(random() % 100000), static_cast<int>(random() % 40) - 20));
  }
  int checked = 0;
  for (const double magnitude : values) {
    if (magnitude == 0.0) continue;
    const bool fixed = std::fabs(magnitude) >= 1e-4 && std::fabs(magnitude) < 1e16;
    for (const double value : {magnitude, -magnitude}) {
      const std::string text = QvDxfNumber::realText(value);
      double back = 0;
      ASSERT_TRUE(QvDxfNumber::parseReal(text, back)) << text;
      ASSERT_EQ(0, std::memcmp(&value, &back, sizeof(value))) << text;
      ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
      ASSERT_EQ(fixed, text.find('e') == std::string::npos) << text;
      ASSERT_TRUE(wellFormed(text)) << text;
      // Fixed: at least one decimal, and no trailing zero after the first.
      if (fixed && value != std::trunc(value)) {
        ASSERT_NE(text.back(), '0') << text;
      }
      if (fixed && value == std::trunc(value)) {
        ASSERT_EQ(".0", text.substr(text.size() - 2)) << text;
      }
      ASSERT_EQ(significantDigits(text), shortestDigitsByPrintf(std::fabs(value))) << text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 160000);
}

namespace {

// The value strtod gives for the whole text, which holds no blanks.
double reference(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_EQ(text.c_str() + text.size(), end) << text;
  return value;
}

void expectSameBits(const std::string& text) {
  double parsed = 1.0;
  ASSERT_TRUE(QvDxfNumber::parseReal(text, parsed)) << text;
  const double expected = reference(text);
  ASSERT_EQ(0, std::memcmp(&parsed, &expected, sizeof parsed))
      << text << ": " << parsed << " instead of " << expected;
}

TEST(DxfRealParsingTest, DecimalsReadAsTheCorrectlyRoundedDouble) {
  // Halfway and near-halfway cases, the bounds of exact integers and powers of ten, signed
  // zeros, long fractions and many digits (those beyond what a quotient of exact doubles holds).
  for (const char* text : {"0",
                           "-0",
                           "0.0",
                           "-0.0",
                           "0.1",
                           "0.2",
                           "0.3",
                           "-0.4",
                           "123.456",
                           "1.",
                           "1.5",
                           "9007199254740992",
                           "9007199254740993",
                           "9007199254740995",
                           "900719925474099.3",
                           "90071992547409.95",
                           "0.9007199254740993",
                           "0.0000000000000000000001",
                           "0.00000000000000000000001",
                           "1.0000000000000000000001",
                           "12345678901234567890",
                           "1234567890123456789.5",
                           "0.30000000000000004",
                           "2.2250738585072014",
                           "1e5",
                           "1E-5",
                           "-2.5e+10",
                           ".5",
                           "-.25",
                           "00000000000000000000000012.5",
                           "1797693134862315.7"})
    expectSameBits(text);

  std::mt19937_64 random(20261208);
  for (int n = 0; n < 200000; ++n) {
    const int digits = 1 + static_cast<int>(random() % 20);
    const int point = static_cast<int>(random() % (digits + 2)) - 1;  // -1: no point
    std::string text = random() % 3 == 0 ? "-" : "";
    for (int d = 0; d < digits; ++d) {
      if (d == point && d > 0) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (point == digits) text += ".0";
    expectSameBits(text);
  }
}

TEST(DxfRealParsingTest, BlanksAndSignsAroundTheValueAndRefusals) {
  double value = 0;
  ASSERT_TRUE(QvDxfNumber::parseReal("  12.25\r", value));
  EXPECT_EQ(12.25, value);
  ASSERT_TRUE(QvDxfNumber::parseReal("\t+0.75 ", value));
  EXPECT_EQ(0.75, value);
  for (const char* bad :
       {"",      " ",    "-",   "+",   ".",    "-.",    "--1",    "++1", "+-1", "-+1", "+-.5",
        "1.2.3", "1..2", "1,5", "12a", "0x10", "1e400", "-1e400", "inf", "nan", "1 2", "\r1.5"}) {
    value = 7.0;
    EXPECT_FALSE(QvDxfNumber::parseReal(bad, value)) << '"' << bad << '"';
  }
  // Integers take the same blanks and signs.
  int64_t integer = 0;
  ASSERT_TRUE(QvDxfNumber::parseInteger(" +12\r", integer));
  EXPECT_EQ(12, integer);
  ASSERT_TRUE(QvDxfNumber::parseInteger("-7", integer));
  EXPECT_EQ(-7, integer);
  for (const char* bad : {"+", "+-1", "-+1", "++1", "1.5", "9223372036854775808"}) {
    EXPECT_FALSE(QvDxfNumber::parseInteger(bad, integer)) << '"' << bad << '"';
  }
}

}  // namespace

namespace {

struct Group {
  int code;
  std::string value;
};

// Values 0 to 40 characters long, drawn from bytes that differ from a line feed in one bit or
// that look like one after a borrow (0x0B, 0x8A, 0x09, 0x0A ^ 0x80), and UTF-8 text.
std::vector<Group> sampleGroups() {
  const std::string alphabet = std::string("AcDb0.5-\x0B\x8A\t\xC3\xA9 ") + "zZ9";
  std::vector<Group> groups;
  for (int length = 0; length <= 40; ++length) {
    std::string value;
    for (int i = 0; i < length; ++i) value += alphabet[(i * 7 + length) % alphabet.size()];
    if (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
      value.back() = 'x';  // blanks at the end are the value's own: kept, but not tested here
    groups.push_back({length % 2 ? 1 : 1000, value});
  }
  return groups;
}

std::string fileOf(const std::vector<Group>& groups, const std::string& lineEnd,
                   bool finalLineEnd) {
  std::string text;
  for (const Group& g : groups) text += std::to_string(g.code) + lineEnd + g.value + lineEnd;
  text += "  0" + lineEnd + "EOF";
  if (finalLineEnd) text += lineEnd;
  return text;
}

TEST(DxfTokenizerTest, ValuesOfEveryLengthWithEitherLineEnd) {
  const std::vector<Group> groups = sampleGroups();
  for (const std::string lineEnd : {"\n", "\r\n"}) {
    for (const bool finalLineEnd : {true, false}) {
      const QvDxfTokens tokens = QvDxfTokenizer::tokenize(fileOf(groups, lineEnd, finalLineEnd));
      ASSERT_EQ(groups.size(), tokens.size());
      for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].code, tokens.code(i)) << i;
        EXPECT_EQ(groups[i].value, tokens.value(i)) << "group " << i;
        EXPECT_EQ(2 * i + 1, tokens[i].line) << "group " << i;  // the code's line, from 1
      }
    }
  }
}

TEST(DxfTokenizerTest, LongValuesAndCarriageReturnsBeforeTheLineFeed) {
  const std::string longValue(5000, 'q');
  const QvDxfTokens tokens =
      QvDxfTokenizer::tokenize(" 1\n" + longValue + "\n1\nab\r\r\n1\n\r\n0\nEOF");
  ASSERT_EQ(3u, tokens.size());
  EXPECT_EQ(longValue, tokens.value(0));
  EXPECT_EQ("ab", tokens.value(1));
  EXPECT_EQ("", tokens.value(2));
  EXPECT_EQ(5u, tokens[2].line);
}

TEST(DxfTokenizerTest, CodesOutsideTheTableAreRefused) {
  for (const char* code : {"-1", "1072", "20000", "1090", "255"}) {
    try {
      QvDxfTokenizer::tokenize(std::string(code) + "\nX\n0\nEOF\n");
      ADD_FAILURE() << code << " was taken";
    } catch (const QvDxfError& e) {
      EXPECT_NE(std::string(e.what()).find("does not exist"), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(1u, QvDxfTokenizer::tokenize("1071\n7\n0\nEOF\n").size());
}

}  // namespace
