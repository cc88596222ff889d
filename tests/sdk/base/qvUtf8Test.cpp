#include "sdk/base/qvUtf8.h"

#include <gtest/gtest.h>

namespace {

TEST(qvUtf8, EveryEncodedLengthRoundTripsAtItsBoundaries) {
  // The last and first code points of the one- to four-byte forms.
  const std::wstring wide = {L'\x7F',
                             L'\x80',
                             L'\x7FF',
                             L'\x800',
                             L'\xFFFF',
                             static_cast<wchar_t>(0x10000),
                             static_cast<wchar_t>(0x10FFFF)};
  const std::string narrow = qvNarrowUtf8(wide);
  EXPECT_EQ(narrow,
            "\x7F"
            "\xC2\x80"
            "\xDF\xBF"
            "\xE0\xA0\x80"
            "\xEF\xBF\xBF"
            "\xF0\x90\x80\x80"
            "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(qvWidenUtf8(narrow), wide);
  EXPECT_EQ(qvWidenUtf8(""), L"");
}

TEST(qvUtf8, BrokenInputBecomesReplacementCharacters) {
  // Beyond the last code point: the replacement character's three bytes.
  std::string out = "a";
  qvAppendUtf8(out, 0x110000);
  EXPECT_EQ(out, "a\xEF\xBF\xBD");
  // A lead byte of no UTF-8 form, a lead byte cut short by a plain one, and one cut short by
  // the end each give one replacement character and decoding goes on after them.
  EXPECT_EQ(qvWidenUtf8("\xF8z"), L"\uFFFDz");
  EXPECT_EQ(qvWidenUtf8("\xE4"
                        "a\xC3"),
            L"\uFFFDa\uFFFD");
  EXPECT_EQ(qvWidenUtf8("\xF0\x9F\x98"), L"\uFFFD\uFFFD\uFFFD");
}

}  // namespace
