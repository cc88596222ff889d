// Real values read from DXF text: every accepted text gives the correctly rounded double, bit
// for bit, as the C library's strtod reads it; texts that are no finite number are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "sdk/io/QvDxfNumber.h"

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
  const char* fixed[] = {"0",
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
                         "1797693134862315.7"};
  for (const char* text : fixed) expectSameBits(text);

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
