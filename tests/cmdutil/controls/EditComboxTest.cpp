#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/cmdutil/controls/ControlsFixture.h"
#include "xqcmdutil/XqEditCombox.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class EditComboxTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, RECT{10, 10, 210, 32}, &dialog, 100));
  }
  void TearDown() override {
    combo.DestroyWindow();
    ControlsFixture::TearDown();
  }
  std::vector<std::wstring> items() const {
    std::vector<std::wstring> out;
    for (int i = 0; i < combo.GetCount(); ++i) {
      CString text;
      combo.GetLBText(i, text);
      out.push_back(text.wstr());
    }
    return out;
  }
  void typeInto(const wchar_t* text) {
    SetFocus(GetDlgItem(combo.m_hWnd, 1001));
    windows().typeText(text);
  }
  // Titles, the special item "Last", and the ordinary items given.
  void fill(std::initializer_list<const wchar_t*> ordinary) {
    combo.SetTitle(L"Recent", L"All");
    combo.AddSpecialItem(L"Last");
    for (const wchar_t* text : ordinary) combo.InsertString(QvString(text));
  }

  XqEditCombox combo;
};

TEST_F(EditComboxTest, OrdinaryItemsAreUpperCaseSortedAndUnique) {
  EXPECT_EQ(combo.InsertString(QvString(L"b")), 0);
  EXPECT_EQ(combo.InsertString(QvString(L"d")), 1);
  EXPECT_EQ(combo.InsertString(QvString(L" c ")), 1);
  EXPECT_EQ(combo.InsertString(QvString(L"C")), 1);  // already there: nothing added
  EXPECT_EQ(combo.InsertString(QvString(L"   ")), -1);
  EXPECT_EQ(combo.InsertString(QvString(L"")), -1);
  EXPECT_THAT(items(), ElementsAre(L"B", L"C", L"D"));

  // Many names in random order come out as the collation sorts them, once each.
  std::mt19937 random(7);
  std::vector<std::wstring> names;
  for (int i = 0; i < 400; ++i) {
    std::wstring name;
    for (int k = 0; k < 1 + static_cast<int>(random() % 6); ++k)
      name += static_cast<wchar_t>((random() % 2 ? L'a' : L'A') + random() % 5);
    names.push_back(name);
  }
  combo.ResetContent();
  for (const std::wstring& name : names) ASSERT_GE(combo.InsertString(QvString(name)), 0);
  std::vector<std::wstring> expected;
  for (std::wstring name : names) {
    std::transform(name.begin(), name.end(), name.begin(), ::towupper);
    expected.push_back(name);
  }
  std::sort(expected.begin(), expected.end(), [](const std::wstring& a, const std::wstring& b) {
    return QvString(a).collateNoCase(QvString(b)) < 0;
  });
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  EXPECT_THAT(items(), ElementsAreArray(expected));
}

TEST_F(EditComboxTest, SpecialItemsGoUnderTheFirstTitleNewestFirst) {
  combo.SetTitle(L"T1", L"T2");
  EXPECT_EQ(combo.GetTitlePosition(true), -1);  // not in the list yet
  EXPECT_EQ(combo.AddSpecialItem(L"Last"), 1);
  EXPECT_THAT(items(), ElementsAre(L"T1", L"Last", L"T2", L"LAST"));
  EXPECT_EQ(combo.AddSpecialItem(L"Recent"), 1);
  EXPECT_THAT(items(), ElementsAre(L"T1", L"Recent", L"Last", L"T2", L"LAST", L"RECENT"));
  EXPECT_EQ(combo.AddSpecialItem(L"  "), -1);
  EXPECT_EQ(combo.InsertString(QvString(L"a")), 4);  // sorted below the second title
  EXPECT_TRUE(combo.HasTitle());
  EXPECT_EQ(combo.GetTitlePosition(true), 0);
  EXPECT_EQ(combo.GetTitlePosition(false), 3);
}

// A special item that begins with the second title's text is not the second title: the sorted
// range starts below the real one.
TEST_F(EditComboxTest, TitlesAreMatchedWhole) {
  combo.SetTitle(L"Recent", L"All");
  combo.AddSpecialItem(L"Last");
  combo.AddSpecialItem(L"Allowance");
  combo.AddSpecialItem(L"recent");  // the first title's text as a special item, case aside
  EXPECT_EQ(combo.GetTitlePosition(true), 0);
  EXPECT_EQ(combo.GetTitlePosition(false), 4);
  EXPECT_EQ(combo.InsertString(QvString(L"b")), 6);
  EXPECT_THAT(items(), ElementsAre(L"Recent", L"recent", L"Allowance", L"Last", L"All",
                                   L"ALLOWANCE", L"B", L"LAST", L"RECENT"));
  int pos = -1;
  EXPECT_TRUE(combo.FindContentPostion(L"rec", pos, false));
  EXPECT_EQ(pos, 8);  // the ordinary item, not the title or the special item
  EXPECT_TRUE(combo.FindContentPostion(L" last ", pos, true));
  EXPECT_EQ(pos, 7);
  EXPECT_FALSE(combo.FindContentPostion(L"las", pos, true));
  EXPECT_FALSE(combo.FindContentPostion(L"zz", pos, false));
  EXPECT_FALSE(combo.FindContentPostion(L"  ", pos, false));

  combo.ResetContent();
  EXPECT_FALSE(combo.HasTitle());
  EXPECT_EQ(combo.GetTitlePosition(false), -1);
  EXPECT_FALSE(combo.FindContentPostion(L"b", pos, false));
  EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(EditComboxTest, TypingInTheOpenListSelectsTheOrdinaryItem) {
  fill({L"plan", L"layer1", L"door"});
  for (int i = 0; i < 40; ++i) combo.InsertString(QvString::format(L"Z%02d", i));
  combo.ShowDropDown(TRUE);
  typeInto(L"la");
  // LAST is the first ordinary item that begins with "la": at the top and selected.
  const std::vector<std::wstring> all = items();
  const int last = static_cast<int>(std::find(all.begin(), all.end(), L"LAST") - all.begin());
  EXPECT_EQ(combo.GetListBox().GetCurSel(), last);
  EXPECT_EQ(combo.GetTopIndex(), last);
  EXPECT_EQ(combo.GetWindowText(), L"la");  // the typed text stays
  typeInto(L"q");
  EXPECT_EQ(combo.GetTopIndex(), 0);
  EXPECT_THAT(dialog.notifications, testing::Contains(CBN_EDITCHANGE));
}

TEST_F(EditComboxTest, EnterTakesAnExactMatchOrOpensTheList) {
  fill({L"plan", L"plant"});
  typeInto(L"pla");
  windows().keyDown(VK_RETURN);  // no item is "PLA": the list opens, the dialog stays
  EXPECT_TRUE(combo.GetDroppedState());
  EXPECT_EQ(dialog.ok, 0);
  // In the open list, Enter takes the selected item's text and closes the list.
  typeInto(L"n");
  windows().keyDown(VK_RETURN);
  EXPECT_FALSE(combo.GetDroppedState());
  EXPECT_EQ(combo.GetWindowText(), L"PLAN");
  EXPECT_EQ(dialog.ok, 0);
  // Closed, with an exact match: the item is selected and the dialog gets its OK.
  typeInto(L"\b\b\b\bplant");
  windows().keyDown(VK_RETURN);
  EXPECT_EQ(combo.GetWindowText(), L"PLANT");
  EXPECT_EQ(combo.GetCurSel(), 5);
  EXPECT_EQ(dialog.ok, 1);
}

TEST_F(EditComboxTest, TheFirstDropDownStartsFromTheTopAndShowsTheBestRowCount) {
  for (int i = 0; i < 45; ++i) combo.InsertString(QvString::format(L"N%02d", i));
  EXPECT_EQ(combo.GetBestMinItem(), 30);
  combo.GetListBox().SetCurSel(20);
  combo.SetTopIndex(15);
  combo.SetFirstDropDownNotMatch();
  combo.ShowDropDown(TRUE);
  EXPECT_EQ(combo.GetListBox().GetCurSel(), -1);
  EXPECT_EQ(combo.GetTopIndex(), 0);
  EXPECT_EQ(combo.GetMinVisible(), 30);
  combo.ShowDropDown(FALSE);
  // Once matched, the next drop-down keeps the selection.
  combo.GetListBox().SetCurSel(20);
  combo.ShowDropDown(TRUE);
  EXPECT_EQ(combo.GetListBox().GetCurSel(), 20);
  combo.ShowDropDown(FALSE);

  combo.ResetContent();
  for (const wchar_t* t : {L"a", L"b", L"c"}) combo.InsertString(QvString(t));
  combo.ShowDropDown(TRUE);
  EXPECT_EQ(combo.GetMinVisible(), 3);
  RECT list;
  combo.GetListBox().GetWindowRect(&list);
  EXPECT_EQ(list.bottom - list.top, 3 * combo.GetItemHeight() + 2);
}

TEST_F(EditComboxTest, TheExtentFollowsTheWidestMeasuredItem) {
  EXPECT_EQ(combo.GetTextWidth(nullptr), 0);
  const int narrow = combo.GetTextWidth(L"iiii");
  const int wide = combo.GetTextWidth(L"WWWW");
  EXPECT_GT(wide, narrow);
  combo.AddString(QvString(L"iiii"));
  EXPECT_EQ(combo.GetHorizontalExtent(), narrow);
  combo.InsertString(QvString(L"wwww"));  // stored as WWWW
  EXPECT_EQ(combo.GetHorizontalExtent(), wide);
  combo.AddString(QvString(L"ii"));
  EXPECT_EQ(combo.GetHorizontalExtent(), wide);
  const QvString longText(L'M', 400);
  combo.AddString(longText);
  EXPECT_EQ(combo.GetHorizontalExtent(), combo.GetTextWidth(longText.c_str()));
  combo.ResetContent();
  EXPECT_EQ(combo.GetWidestText(), 0);
}

TEST_F(EditComboxTest, TheColourRequestOfTheListEnablesIt) {
  fill({L"a"});
  ASSERT_NE(combo.GetListBox().m_hWnd, nullptr);
  EXPECT_EQ(combo.GetListBox().m_hComboBox, combo.m_hWnd);
  combo.GetListBox().EnableWindow(FALSE);
  combo.ShowDropDown(TRUE);
  windows().pump();  // the list paints and asks its combo box for colours
  EXPECT_TRUE(combo.GetListBox().IsWindowEnabled());
}

TEST_F(EditComboxTest, AComboBoxWithoutAWindowAddsNothing) {
  combo.DestroyWindow();
  EXPECT_EQ(combo.m_hWnd, nullptr);
  EXPECT_EQ(combo.InsertString(QvString(L"x")), -1);
  EXPECT_EQ(combo.AddSpecialItem(L"x"), -1);
  EXPECT_EQ(combo.AddString(QvString(L"x")), -1);
  EXPECT_EQ(combo.GetCount(), 0);
}

}  // namespace
