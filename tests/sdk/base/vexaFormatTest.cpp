#include "sdk/base/vexaFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>

#include "sdk/base/QvString.h"

namespace {

TEST(vexaFormat, TreatsPercentSAsWideText) {
  EXPECT_EQ(QvString::format(L"%s%d", L"TAG", 3), L"TAG3");
  EXPECT_EQ(QvString::format(L"%ls_%d", L"Plan", 12), L"Plan_12");
  EXPECT_EQ(QvString::format(L"%hs|%g|%5.2f|%-4d|", "narrow", 0.5, 3.14159, 7),
            L"narrow|0.5| 3.14|7   |");
  EXPECT_EQ(QvString::format(L"%*d|%.*f", 4, 42, 1, 2.25), L"  42|2.2");
  EXPECT_EQ(QvString::format(L"%lld %x %c %%", 1LL << 40, 255u, L'Z'), L"1099511627776 ff Z %");
  EXPECT_EQ(QvString::format(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)");
  EXPECT_EQ(QvString::format(L"%hs", static_cast<const char*>(nullptr)), L"(null)");
  // Integers at the ends of their range, and text longer than any small buffer.
  EXPECT_EQ(QvString::format(L"%d|%i|%u|%d", INT_MIN, 0, UINT_MAX, -7),
            L"-2147483648|0|4294967295|-7");
  const QvString longText(L'x', 300);
  EXPECT_EQ(QvString::format(L"<%s>", longText.c_str()), L"<" + longText + L">");
}

TEST(vexaFormat, NullOrBrokenFormatIsSafe) {
  QvString out(L"old");
  EXPECT_EQ(vexaFormatS(out, nullptr, 1, 2), 0);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_EQ(QvString::format(L"50%"), L"50%");  // a conversion cut short stays text
  EXPECT_EQ(QvString::format(L"%y%d", 5), L"%y5");
  int written = 99;
  EXPECT_EQ(QvString::format(L"a%nb", &written), L"ab");
  EXPECT_EQ(written, 99);  // %n never writes
}

TEST(vexaFormat, LengthModifiersReadAndCutTheArgumentAsC) {
  // A short or char argument arrives promoted; the modifier cuts it back, signed or not.
  EXPECT_EQ(QvString::format(L"%hd|%hhd|%hu|%hhx", 70000, 200, 70000u, 0x1FFu),
            L"4464|-56|4464|ff");
  EXPECT_EQ(QvString::format(L"%ld|%lu|%zu", LONG_MIN, ULONG_MAX, size_t{7}),
            QvString::format(L"%ls|%ls|7", std::to_wstring(LONG_MIN).c_str(),
                             std::to_wstring(ULONG_MAX).c_str()));
  EXPECT_EQ(QvString::format(L"%I64d|%jd|%llx", 1LL << 40, -(1LL << 33), ~0ULL),
            L"1099511627776|-8589934592|ffffffffffffffff");
  EXPECT_EQ(QvString::format(L"%Lg|%.3e", 0.5L, 1234.5), L"0.5|1.234e+03");
  // Narrow text: %hs, and %S without a modifier; a narrow character: %hc.
  EXPECT_EQ(QvString::format(L"%S|%hs|%hc%c",
                             "Stra\xC3\x9F"
                             "e",
                             "x", 'n', L'\u00DF'),
            L"Stra\u00DFe|x|n\u00DF");
  // A negative `*` width justifies to the left, as in C.
  EXPECT_EQ(QvString::format(L"[%*d][%-*s]", -4, 7, 3, L"ab"), L"[7   ][ab ]");
}

TEST(vexaFormat, WideFieldsGrowTheBufferAndAreNotCutShort) {
  const QvString wide = QvString::format(L"%5000d|%s", 1, L"end");
  ASSERT_EQ(wide.length(), 5004);
  EXPECT_TRUE(wide.startsWith(QvString(L' ', 4999) + L"1|"));
  EXPECT_TRUE(wide.endsWith(L"end"));
  QvString out;
  EXPECT_EQ(vexaFormatS(out, L"%.300f", 1.0), 302);
}

}  // namespace
