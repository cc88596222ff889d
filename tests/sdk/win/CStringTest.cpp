#include "sdk/win/CString.h"

#include <gtest/gtest.h>

namespace {

TEST(CString, IsAValueType) {
  CString a(L"Block");
  CString b = a;
  b.MakeUpper();
  EXPECT_EQ(a, L"Block");
  EXPECT_EQ(b, L"BLOCK");
  CString moved = std::move(b);
  EXPECT_EQ(moved, L"BLOCK");
  const CString fromQv(QvString(L"plan"));
  EXPECT_EQ(fromQv.toQvString(), L"plan");
  EXPECT_TRUE(CString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
  EXPECT_EQ(CString(L"abcdef", 3), L"abc");
  EXPECT_EQ(CString(L'-', 4), L"----");
  EXPECT_EQ(CString(L"a") + L"b" + CString(L"c") + L'd', L"abcd");
  EXPECT_EQ(a.GetAt(99), L'\0');
  a.SetAt(99, L'x');  // ignored
  EXPECT_EQ(a, L"Block");
}

TEST(CString, KeepsWhatFollowsAnEmbeddedNull) {
  // The class library counts the characters it is given; the host string stops at a null.
  const wchar_t text[] = {L'a', L'\0', L'b'};
  const CString s(text, 3);
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(s.GetAt(2), L'b');
  EXPECT_EQ(s.Find(L'b'), 2);
  EXPECT_EQ(QvString(text, 3).length(), 1);
}

TEST(CString, ComparesWithAndWithoutCase) {
  EXPECT_LT(CString(L"ABC").Compare(L"abc"), 0);
  EXPECT_EQ(CString(L"Stra\u00DFe").CompareNoCase(L"STRA\u00DFE"), 0);
  EXPECT_EQ(CString(L"\u00E9t\u00E9").CompareNoCase(L"\u00C9T\u00C9"), 0);
  EXPECT_GT(CString(L"b").CompareNoCase(L"A"), 0);
  EXPECT_TRUE(CString(L"a") < CString(L"b"));
}

TEST(CString, SearchesAndCutsWithinTheText) {
  const CString path(L"C:\\plans\\site.pdf");
  EXPECT_EQ(path.Find(L'\\'), 2);
  EXPECT_EQ(path.Find(L'\\', 3), 8);
  EXPECT_EQ(path.Find(L"site"), 9);
  EXPECT_EQ(path.Find(L"nowhere"), -1);
  EXPECT_EQ(path.ReverseFind(L'.'), 13);
  EXPECT_EQ(path.FindOneOf(L".:"), 1);
  EXPECT_EQ(path.Mid(path.ReverseFind(L'.') + 1), L"pdf");
  EXPECT_EQ(path.Left(2), L"C:");
  EXPECT_EQ(path.Right(3), L"pdf");
  EXPECT_EQ(path.Mid(3, 5), L"plans");
  EXPECT_EQ(path.Left(100), path);
  EXPECT_EQ(path.Right(-1), L"");
  EXPECT_EQ(path.Mid(50), L"");
}

TEST(CString, ChangesInPlace) {
  CString s(L"  a-b-c  ");
  s.Trim();
  EXPECT_EQ(s, L"a-b-c");
  EXPECT_EQ(s.Replace(L"-", L"--"), 2);
  EXPECT_EQ(s, L"a--b--c");
  EXPECT_EQ(s.Remove(L'-'), 4);
  EXPECT_EQ(s, L"abc");
  EXPECT_EQ(s.Insert(1, L"XY"), 5);
  EXPECT_EQ(s, L"aXYbc");
  EXPECT_EQ(s.Insert(99, L"!"), 6);
  EXPECT_EQ(s, L"aXYbc!");
  EXPECT_EQ(s.Delete(1, 2), 4);
  EXPECT_EQ(s, L"abc!");
  EXPECT_EQ(s.Delete(10, 2), 4);
  EXPECT_EQ(s.Replace(L'!', L'?'), 1);
  EXPECT_EQ(s, L"abc?");
  CString stars(L"**name**");
  stars.TrimLeft(L'*');
  EXPECT_EQ(stars, L"name**");
  stars.TrimRight(L'*');
  EXPECT_EQ(stars, L"name");
  CString all(L"***");
  all.TrimRight(L'*');
  EXPECT_TRUE(all.IsEmpty());
}

TEST(CString, FormatsLikeTheHost) {
  CString s;
  s.Format(L"%s has %d item%s", L"Block", 3, L"s");
  EXPECT_EQ(s, L"Block has 3 items");
  s.AppendFormat(L" (%.1f%%)", 12.25);
  EXPECT_EQ(s, L"Block has 3 items (12.2%)");
}

TEST(CString, FormatMessageTakesNumberedInsertsInNumberOrder) {
  CString s;
  s.FormatMessage(L"Names have at most %1!d! characters.", 255);
  EXPECT_EQ(s, L"Names have at most 255 characters.");
  // Inserts may appear out of order and more than once; arguments follow the numbers.
  s.FormatMessage(L"%2 then %1, again %2!s!", L"first", L"second");
  EXPECT_EQ(s, L"second then first, again second");
  s.FormatMessage(L"%1!5.2f!|%2!-4d!|%3!x!|%4!c!|%5!hs!", 3.14159, 7, 255u, L'Z', "narrow");
  EXPECT_EQ(s, L" 3.14|7   |ff|Z|narrow");
  s.FormatMessage(L"%1!lld! %2!lu!", -(1LL << 40), 42ul);
  EXPECT_EQ(s, L"-1099511627776 42");
  s.FormatMessage(L"100%% sure%n%tdone%.%!");
  EXPECT_EQ(s, L"100% sure\n\tdone.!");
  s.FormatMessage(nullptr);
  EXPECT_TRUE(s.IsEmpty());
  s.FormatMessage(L"trailing %");
  EXPECT_EQ(s, L"trailing %");
}

}  // namespace
