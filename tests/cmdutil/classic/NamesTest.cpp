// The name checks of the classic helper library.
#include <gtest/gtest.h>

#include <locale.h>

#include <string>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/VexaSysVarService.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqNames.h"

namespace {

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
