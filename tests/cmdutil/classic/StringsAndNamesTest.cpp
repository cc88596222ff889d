// Trimming, extensions, comparisons and name tests of the classic string helpers, and the
// symbol and plain name checks.
#include <gtest/gtest.h>

#include <locale.h>

#include <string>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/VexaSysVarService.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqNames.h"
#include "xqcmdutil/XqStrings.h"

namespace {

std::wstring trimmed(std::wstring text, const wchar_t* how, bool tabs = false) {
  text.push_back(L'\0');
  if (tabs)
    trimWhiteSpace(text.data(), how);
  else
    qv_trim(text.data(), how);
  return std::wstring(text.c_str());
}

std::wstring unquoted(std::wstring text) {
  qv_trimDoubleQuotation(text.data());
  return std::wstring(text.c_str());
}

std::wstring extension(const wchar_t* path, size_t size = 64) {
  std::wstring out(size, L'#');
  qv_getext(path, out.data(), size);
  return std::wstring(out.c_str());
}

TEST(StringsTest, TrimModesApplyInOrderAndBlanksOnlyBecomeEmpty) {
  EXPECT_EQ(trimmed(L"  a b  ", L"M"), L"  ab  ");
  EXPECT_EQ(trimmed(L"  a b  ", L"BE"), L"a b");
  EXPECT_EQ(trimmed(L"  a b  ", L"be"), L"a b");
  EXPECT_EQ(trimmed(L"  a  b c  ", L"EMB"), L"abc");
  EXPECT_EQ(trimmed(L"  a b  ", L""), L"  a b  ");
  EXPECT_EQ(trimmed(L"  a b  ", nullptr), L"  a b  ");
  EXPECT_EQ(trimmed(L"  a b  ", L"xyz"), L"  a b  ");
  EXPECT_EQ(trimmed(L"    ", L""), L"");
  EXPECT_EQ(trimmed(L"", L"BME"), L"");
  // Only the blank counts; trimWhiteSpace's B takes leading tabs too, never trailing ones.
  EXPECT_EQ(trimmed(L"\t a \t", L"BE"), L"\t a \t");
  EXPECT_EQ(trimmed(L"\t a \t", L"BE", true), L"a \t");
  EXPECT_EQ(trimmed(L"\t\t", L"B", true), L"");
  trimWhiteSpace(nullptr, L"B");
  qv_trim(nullptr, L"B");
  // Characters beyond ASCII are text like any other.
  EXPECT_EQ(trimmed(L" \u00e9 \u4e2d ", L"BME"), L"\u00e9\u4e2d");
}

TEST(StringsTest, QuotesAreRemovedOnlyInPairs) {
  EXPECT_EQ(unquoted(L"\"  C:\\a b  \""), L"C:\\a b");
  EXPECT_EQ(unquoted(L"\"open"), L"\"open");
  EXPECT_EQ(unquoted(L"\""), L"\"");
  EXPECT_EQ(unquoted(L"\"\""), L"");
  qv_trimDoubleQuotation(nullptr);
}

TEST(StringsTest, ExtensionsComeAfterTheLastSlashAndFitTheBuffer) {
  EXPECT_EQ(extension(L"dir.v1/file"), L".");
  EXPECT_EQ(extension(L"a.b.dwg"), L".dwg");
  EXPECT_EQ(extension(L"dir/a. d w g "), L".dwg");
  EXPECT_EQ(extension(L"a.dwg", 3), L".d");
  EXPECT_EQ(extension(L"a.dwg", 1), L"");
  EXPECT_EQ(extension(L"C:\\dir.v1\\file"), L".v1\\file");  // only '/' separates here
  EXPECT_EQ(extension(nullptr), L".");
  qv_getext(L"a.dwg", nullptr, 10);
}

TEST(StringsTest, ComparisonsCopiesAndNameTests) {
  EXPECT_LT(strings_i_compare(L"ABC", L"abd"), 0);
  EXPECT_EQ(strings_i_compare(L"ABC", L"abc"), 0);
  EXPECT_GT(strings_i_compare(L"abc", L"AB"), 0);
  EXPECT_NE(strings_i_compare(L"\u00c9", L"\u00e9"), 0);  // only A to Z fold
  EXPECT_EQ(strings_i_compare(nullptr, L"a"), -1);

  wchar_t* copy = nullptr;
  db_astrncpy(&copy, L"abcdef", 3);
  EXPECT_EQ(std::wstring(copy), L"abc");
  db_astrncpy(&copy, L"xy", -1);
  EXPECT_EQ(std::wstring(copy), L"xy");
  db_astrncpy(&copy, L"xy", 10);
  EXPECT_EQ(std::wstring(copy), L"xy");
  db_astrncpy(&copy, nullptr, 3);
  EXPECT_EQ(copy, nullptr);

  EXPECT_TRUE(IsAllNum(L""));
  EXPECT_TRUE(IsAllNum(L"12.5"));
  EXPECT_FALSE(IsAllNum(L"1.2.3"));
  EXPECT_FALSE(IsAllNum(L"-1"));
  EXPECT_FALSE(IsAllNum(nullptr));
  EXPECT_TRUE(IsLegalName(L""));
  EXPECT_TRUE(IsLegalName(L"Tree-01 \u4e2d"));
  EXPECT_FALSE(IsLegalName(L"a|b"));
  EXPECT_FALSE(IsLegalName(L"it's"));
  const std::wstring longName(300, L'n');
  EXPECT_TRUE(IsLegalName(longName.c_str()));

  CStringArray list;
  list.Add(L"Door");
  list.Add(L"Window");
  EXPECT_EQ(IsStringSelected(L"Window", list), 1);
  EXPECT_EQ(IsStringSelected(L"window", list), 0);
  EXPECT_EQ(IsStringSelected(nullptr, list), 0);
}

// A text ends at its first NUL: what follows is neither read as part of it nor changed.
TEST(StringsTest, TextsEndAtTheirFirstNul) {
  const std::wstring held(L"  a b \0 c d  ", 13);
  std::wstring buffer = held;
  qv_trim(buffer.data(), L"BME");
  EXPECT_EQ(std::wstring(buffer.c_str()), L"ab");
  EXPECT_EQ(buffer.substr(7), held.substr(7));  // after the NUL: as it was
  buffer = held;
  trimWhiteSpace(buffer.data(), L"E");
  EXPECT_EQ(std::wstring(buffer.c_str()), L"  a b");
  EXPECT_EQ(buffer.substr(7), held.substr(7));
  std::wstring blanks(L"   \0  x", 7);
  qv_trim(blanks.data(), L"");
  EXPECT_EQ(blanks[0], L'\0');
  EXPECT_EQ(blanks.substr(4), L"  x");

  std::wstring quoted(L"\"ab\0\"", 5);  // the closing mark is beyond the end
  qv_trimDoubleQuotation(quoted.data());
  EXPECT_EQ(quoted, std::wstring(L"\"ab\0\"", 5));

  EXPECT_EQ(extension(std::wstring(L"a.dwg\0.bak", 10).c_str()), L".dwg");
  EXPECT_EQ(extension(std::wstring(L"a\0.dwg", 6).c_str()), L".");
  EXPECT_EQ(strings_i_compare(std::wstring(L"AB\0x", 4).c_str(), std::wstring(L"ab\0y", 4).c_str()),
            0);
  wchar_t* copy = nullptr;
  db_astrncpy(&copy, std::wstring(L"ab\0cd", 5).c_str(), -1);
  EXPECT_EQ(std::wstring(copy), L"ab");
  db_astrncpy(&copy, nullptr, 0);
  EXPECT_TRUE(IsAllNum(std::wstring(L"12\0x", 4).c_str()));
  EXPECT_TRUE(IsLegalName(std::wstring(L"ok\0|", 4).c_str()));
  EXPECT_FALSE(IsLegalName(std::wstring(L"a|\0b", 4).c_str()));
  CStringArray list;
  list.Add(L"Door");
  EXPECT_EQ(IsStringSelected(std::wstring(L"Door\0s", 6).c_str(), list), 1);
}

class NamesTest : public HostFixture {
 protected:
  // "EXTNAMES" of the drawing, through the editor.
  void extNames(int16_t value) {
    ASSERT_EQ(host().service<VexaSysVarService>().set(L"EXTNAMES", VexaSysVarValue::ofShort(value)),
              VexaSysVarResult::kOk);
    ASSERT_EQ(db()->extnames(), value != 0);
  }
  static bool symbol(const std::wstring& name, int flag = 0) {
    return isValidSymbolName(name.c_str(), flag) != 0;
  }
  static bool plain(const std::wstring& name) { return IsValidName(name.c_str()) != 0; }
};

TEST_F(NamesTest, ExtendedSymbolNames) {
  extNames(1);
  EXPECT_TRUE(symbol(L"Door"));
  EXPECT_TRUE(symbol(L"front door #2 (left)"));
  EXPECT_TRUE(symbol(L"\u95E8-\u0414\u0432\u0435\u0440\u044C-\u05D3\u05DC\u05EA"));
  EXPECT_FALSE(symbol(L" door"));  // a leading blank
  for (wchar_t bad : std::wstring(L"<>/\\\":?*,=`;"))
    EXPECT_FALSE(symbol(std::wstring(L"a") + bad + L"b")) << static_cast<char>(bad);
  EXPECT_FALSE(symbol(L"a\tb"));  // a control character
  // A name ends at its first NUL.
  EXPECT_TRUE(symbol(std::wstring(L"Door\0<>", 7)));
  EXPECT_TRUE(plain(std::wstring(L"Door\0<>", 7)));
  EXPECT_FALSE(symbol(std::wstring(L"\0Door", 5)));
  EXPECT_FALSE(symbol(L"a\u0378b"));  // not a defined character
  // The vertical bar only when allowed (names of external references).
  EXPECT_FALSE(symbol(L"xref|Layer", 0));
  EXPECT_TRUE(symbol(L"xref|Layer", 1));
}

TEST_F(NamesTest, OldSymbolNames) {
  extNames(0);
  EXPECT_TRUE(symbol(L"DOOR$-_01"));
  EXPECT_TRUE(symbol(L"\u0414\u0432\u0435\u0440\u044C"));  // letters of any script
  EXPECT_FALSE(symbol(L"front door"));
  EXPECT_FALSE(symbol(L"door.2"));
  EXPECT_FALSE(symbol(L"a\u0378b"));
  // The vertical-bar flag reads the other way round for old names.
  EXPECT_TRUE(symbol(L"xref|Layer", 0));
  EXPECT_FALSE(symbol(L"xref|Layer", 1));
  // Old names are at most 31 characters long.
  EXPECT_TRUE(symbol(std::wstring(31, L'A')));
  EXPECT_FALSE(symbol(std::wstring(32, L'A')));
}

TEST_F(NamesTest, EscapesCompleteAndCutShort) {
  for (int16_t ext : {0, 1}) {
    extNames(ext);
    SCOPED_TRACE(ext);
    EXPECT_TRUE(symbol(L"\\U+4E2D"));
    EXPECT_TRUE(symbol(L"A\\u+4e2dB"));
    EXPECT_TRUE(symbol(L"\\M+14E2D"));
    EXPECT_TRUE(symbol(L"x\\m+0abcd"));
    // Three hexadecimal digits, a letter that is no digit, or the end of the name: no escape,
    // and a plain backslash is refused.
    EXPECT_FALSE(symbol(L"\\U+4E2"));
    EXPECT_FALSE(symbol(L"\\U+4E2G"));
    EXPECT_FALSE(symbol(L"\\M+4E2D"));  // the M form wants a decimal digit first
    EXPECT_FALSE(symbol(L"\\M+1"));
    // An escape counts as its seven characters towards the length.
    EXPECT_FALSE(symbol(std::wstring(ext ? 249 : 25, L'A') + L"\\U+4E2D"));
    EXPECT_TRUE(symbol(std::wstring(ext ? 248 : 24, L'A') + L"\\U+4E2D"));
  }
  // A name starting with a blank still passes when it holds an escape (extended names only:
  // old names refuse the blank itself).
  extNames(1);
  EXPECT_TRUE(symbol(L" \\U+4E2D"));
  extNames(0);
  EXPECT_FALSE(symbol(L" \\U+4E2D"));
}

TEST_F(NamesTest, SymbolNameLengthsAndMissingNames) {
  extNames(1);
  EXPECT_TRUE(symbol(std::wstring(255, L'x')));
  EXPECT_FALSE(symbol(std::wstring(256, L'x')));
  EXPECT_FALSE(symbol(L""));
  EXPECT_EQ(isValidSymbolName(nullptr, 1), 0);
  // Without a working database the longest name is unknown: every name is refused.
  VexaDocumentManager& documents = host().service<VexaDocumentManager>();
  ASSERT_EQ(documents.closeDocument(documents.curDocument()), Vexa::eOk);
  EXPECT_FALSE(symbol(L"Door"));
}

TEST_F(NamesTest, PlainNames) {
  EXPECT_TRUE(plain(L"Door"));
  EXPECT_TRUE(plain(L"front door"));
  EXPECT_TRUE(plain(L"\u95E8\u0414\u05D3"));
  EXPECT_TRUE(plain(L"a.b-c_d$e#f(g)"));
  EXPECT_FALSE(plain(L" door"));
  for (wchar_t bad : std::wstring(L"\"*,/:;<=>?\\`|"))
    EXPECT_FALSE(plain(std::wstring(L"a") + bad)) << static_cast<char>(bad);
  EXPECT_TRUE(plain(L"\\U+4E2D"));
  EXPECT_TRUE(plain(L"a\\M+14E2Db"));
  EXPECT_FALSE(plain(L"\\U+4E2"));  // cut short: a plain backslash
  EXPECT_TRUE(plain(std::wstring(255, L'a')));
  EXPECT_FALSE(plain(std::wstring(256, L'a')));
  EXPECT_FALSE(plain(L""));
  EXPECT_EQ(IsValidName(nullptr), 0);
}

TEST_F(NamesTest, PlainNamesLeaveTheProcessLocaleAsFound) {
  const std::string before = setlocale(LC_ALL, nullptr);
  ASSERT_EQ(IsValidName(L"\u95E8"), 1);
  EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
  EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), LC_GLOBAL_LOCALE);
  ASSERT_EQ(IsValidName(L"a|b"), 0);  // also when the name is refused
  EXPECT_EQ(setlocale(LC_ALL, nullptr), before);
  EXPECT_EQ(uselocale(static_cast<locale_t>(nullptr)), LC_GLOBAL_LOCALE);
}

}  // namespace
