#include <gtest/gtest.h>

#include <locale.h>
#include <wctype.h>

#include <string>

#include "sdk/win/VexaCharType.h"
#include "sdk/win/VexaUserLocale.h"

namespace {

TEST(CharTypeTest, LettersOfEveryScriptDigitsAndControls) {
  ASSERT_NE(VexaUserLocale::ctype(), static_cast<locale_t>(nullptr));
  // Latin, Cyrillic, Greek, Hebrew, Arabic, Han, Hiragana, Hangul: letters.
  for (wchar_t letter : {L'a', L'Z', L'\u00E9', L'\u0416', L'\u03A9', L'\u05D0', L'\u0628',
                         L'\u4E2D', L'\u3042', L'\uD55C'}) {
    const unsigned type = vexaGetCharType(letter);
    EXPECT_TRUE(type & kCharAlpha) << std::hex << static_cast<unsigned>(letter);
    EXPECT_TRUE(type & kCharDefined) << std::hex << static_cast<unsigned>(letter);
    EXPECT_FALSE(type & (kCharDigit | kCharControl | kCharPunct));
  }
  EXPECT_EQ(vexaGetCharType(L'\u0416') & (kCharUpper | kCharLower), kCharUpper);
  EXPECT_EQ(vexaGetCharType(L'\u0436') & (kCharUpper | kCharLower), kCharLower);
  EXPECT_EQ(vexaGetCharType(L'7'), kCharDigit | kCharHexDigit | kCharDefined);
  EXPECT_EQ(vexaGetCharType(L'f') & kCharHexDigit, kCharHexDigit);
  for (wchar_t control : {L'\0', L'\x01', L'\t', L'\x7F', L'\x85'}) {
    EXPECT_TRUE(vexaGetCharType(control) & kCharControl) << static_cast<unsigned>(control);
    EXPECT_TRUE(vexaGetCharType(control) & kCharDefined);
  }
  EXPECT_EQ(vexaGetCharType(L' '), kCharSpace | kCharBlank | kCharDefined);
  EXPECT_EQ(vexaGetCharType(L'$'), kCharPunct | kCharDefined);
  // Unassigned, a surrogate half, a noncharacter and beyond Unicode: nothing at all.
  for (wchar_t undefined : {static_cast<wchar_t>(0x0378), static_cast<wchar_t>(0xD800),
                            static_cast<wchar_t>(0xFFFE), static_cast<wchar_t>(0x110000)})
    EXPECT_EQ(vexaGetCharType(undefined), 0u) << std::hex << static_cast<unsigned>(undefined);
}

TEST(CharTypeTest, TheUserScopeClassifiesByTheUserLocaleAndLeavesTheProcessAlone) {
  const std::string before = setlocale(LC_ALL, nullptr);
  ASSERT_EQ(uselocale(static_cast<locale_t>(nullptr)), LC_GLOBAL_LOCALE);
  const bool plainBefore = iswalnum(0x4E2D) != 0;
  {
    VexaUserCTypeScope scope;
    EXPECT_TRUE(iswalnum(0x4E2D));
    EXPECT_TRUE(iswalpha(0x05D0));
    EXPECT_FALSE(iswalnum(L'|'));
    EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
  }
  EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), LC_GLOBAL_LOCALE);
  EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
  EXPECT_EQ(iswalnum(0x4E2D) != 0, plainBefore);

  // A thread that had a locale of its own gets it back.
  locale_t own = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  ASSERT_NE(own, static_cast<locale_t>(nullptr));
  uselocale(own);
  { VexaUserCTypeScope scope; }
  EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), own);
  uselocale(LC_GLOBAL_LOCALE);
  freelocale(own);
}

}  // namespace
