#include "sdk/base/QvString.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(QvString, NarrowTextIsUtf8AndRoundTrips) {
  const QvString s(
      "Stra\xC3\x9F"
      "e \xE4\xB8\xAD");  // "Straße 中"
  EXPECT_EQ(s.length(), 8);
  EXPECT_EQ(s.getAt(4), L'\u00DF');
  EXPECT_EQ(s.getAt(7), L'\u4E2D');
  EXPECT_EQ(s.utf8(),
            "Stra\xC3\x9F"
            "e \xE4\xB8\xAD");
  // A truncated sequence and a stray continuation byte become replacement characters.
  EXPECT_EQ(QvString("a\xE4\xB8").wstr(), std::wstring(L"a\uFFFD\uFFFD"));
  EXPECT_EQ(QvString("\x80z").wstr(), std::wstring(L"\uFFFDz"));
}

TEST(QvString, ComparisonsWithAndWithoutCase) {
  const QvString a(L"Block"), b(L"BLOCK"), c(L"block2");
  EXPECT_NE(a, b);
  EXPECT_EQ(a.compareNoCase(b), 0);
  EXPECT_TRUE(a.isEqualNoCase(b));
  EXPECT_LT(a.compareNoCase(c), 0);
  EXPECT_GT(c.compare(a), 0);
  EXPECT_LT(b, a);  // case-sensitive ordering: upper case first
  EXPECT_EQ(QvString(L"\u00C9T\u00C9").compareNoCase(QvString(L"\u00E9t\u00E9")), 0);
  EXPECT_LT(QvString(L"apple").collateNoCase(QvString(L"Banana")), 0);
  EXPECT_GT(QvString(L"cherry").collateNoCase(QvString(L"BANANA")), 0);
}

TEST(QvString, SearchPiecesAndEdits) {
  QvString s(L"  a=b\\Pc=d  ");
  s.trim();
  EXPECT_EQ(s, L"a=b\\Pc=d");
  EXPECT_EQ(s.find(L'='), 1);
  EXPECT_EQ(s.find(L'=', 2), 6);
  EXPECT_EQ(s.find(QvString(L"\\P")), 3);
  EXPECT_EQ(s.findRev(L'='), 6);
  EXPECT_EQ(s.find(L'x'), QvString::kNotFound);
  EXPECT_EQ(s.find(L'=', 99), QvString::kNotFound);
  EXPECT_EQ(s.left(3), L"a=b");
  EXPECT_EQ(s.right(3), L"c=d");
  EXPECT_EQ(s.mid(5), L"c=d");
  EXPECT_EQ(s.mid(50), L"");
  EXPECT_EQ(s.left(-1), L"");
  QvString path(L"C:/dir/sub|x");
  EXPECT_EQ(path.replace(L'/', L'\\'), 2);
  EXPECT_EQ(path.replace(QvString(L"|"), QvString(L" ")), 1);
  EXPECT_EQ(path, L"C:\\dir\\sub x");
  EXPECT_EQ(QvString(L"MiXed").makeUpper(), L"MIXED");
  EXPECT_EQ(QvString(L"MiXed").makeLower(), L"mixed");
  EXPECT_EQ(QvString(L"xxabcxx").trimLeft(QvString(L"x")).trimRight(QvString(L"x")), L"abc");
  EXPECT_EQ(QvString(L"abc").insert(1, QvString(L"ZZ")).deleteAt(0), L"ZZbc");
  EXPECT_TRUE(QvString(L"drawing.dxf").endsWith(QvString(L".dxf")));
  EXPECT_FALSE(QvString(L"x").endsWith(QvString(L".dxf")));
}

}  // namespace
