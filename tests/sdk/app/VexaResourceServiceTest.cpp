#include "sdk/app/VexaResourceService.h"

#include <gtest/gtest.h>

#include <map>

#include "sdk/win/CString.h"
#include "tests/support/HostFixture.h"

namespace {

constexpr unsigned int kMinsertText = 10943;  // a text of XqCmdShareRes with a built-in form
constexpr unsigned int kDialogTitle = 10801;  // in XqCmdShareRes only
const QvString kMinsertBuiltIn(L"Cannot explode blocks with the MINSERT command.");

class ResourceService : public HostFixture {
 protected:
  VexaResourceService& service() { return host().service<VexaResourceService>(); }

  static QvString load(unsigned int id) {
    QvString text(L"previous");
    if (!text.loadString(id)) {
      EXPECT_TRUE(text.isEmpty()) << "a failed load empties the string";
    }
    return text;
  }
};

TEST_F(ResourceService, TheWindowsModuleNameSwitchesToTheSharedLibraryAndBack) {
  EXPECT_TRUE(load(kMinsertText).isEmpty()) << "no module is current before a switch";
  ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll")) << service().lastError();
  ASSERT_NE(service().current(), nullptr);
  EXPECT_EQ(service().current()->name(), L"XqCmdShareRes");
  EXPECT_EQ(load(kMinsertText), kMinsertBuiltIn);
  EXPECT_TRUE(load(1).isEmpty());  // an id the module lacks

  EXPECT_TRUE(RestorePreviousResource());
  EXPECT_EQ(service().current(), nullptr);
  EXPECT_TRUE(load(kMinsertText).isEmpty());
  EXPECT_FALSE(RestorePreviousResource()) << "nothing left to restore";
}

TEST_F(ResourceService, AModuleThatCannotBeOpenedLeavesTheCurrentOneInPlace) {
  ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  EXPECT_FALSE(SetCurrentResourceName(L"XqNoSuchRes.dll"));
  EXPECT_NE(service().lastError().find(L"libXqNoSuchRes.so"), QvString::kNotFound);
  EXPECT_FALSE(SetCurrentResourceName(L""));
  EXPECT_FALSE(SetCurrentResourceName(nullptr));
  EXPECT_EQ(service().pendingSwitches(), 1);
  EXPECT_EQ(load(kMinsertText), kMinsertBuiltIn);
  // A library that is not a resource module.
  EXPECT_FALSE(SetCurrentResourceName(L"tarvosdk"));
  EXPECT_NE(service().lastError().find(L"vexaResourceString"), QvString::kNotFound);
  EXPECT_TRUE(RestorePreviousResource());
}

TEST_F(ResourceService, SwitchesNestAndTheChainSearchesEveryOpenModule) {
  ASSERT_TRUE(service().addModule(L"XqOtherRes.dll", {{kMinsertText, L"other"}, {7, L"seven"}}));
  EXPECT_FALSE(service().addModule(L"xqotherres", {})) << "the name is taken";

  ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  ASSERT_TRUE(SetCurrentResourceName(L"XqOtherRes.dll"));
  EXPECT_EQ(load(kMinsertText), L"other");
  // QvString reads only the current module; CString searches the chain.
  EXPECT_TRUE(load(kDialogTitle).isEmpty());
  CString chained;
  EXPECT_TRUE(chained.LoadString(kDialogTitle));
  EXPECT_EQ(chained, L"Insert Block");
  CString current;
  EXPECT_TRUE(current.LoadString(kMinsertText));
  EXPECT_EQ(current, L"other") << "the current module comes first in the chain";

  ASSERT_TRUE(RestorePreviousResource());
  EXPECT_EQ(load(kMinsertText), kMinsertBuiltIn);
  EXPECT_TRUE(load(7).isEmpty());
  CString fromOther(L"unchanged");
  EXPECT_TRUE(fromOther.LoadString(7));
  EXPECT_EQ(fromOther, L"seven");
  CString missing(L"unchanged");
  EXPECT_FALSE(missing.LoadString(99999));
  EXPECT_EQ(missing, L"unchanged");
  ASSERT_TRUE(RestorePreviousResource());
}

TEST_F(ResourceService, HiddenIdsAnswerAsMissingUntilShownAgain) {
  ASSERT_TRUE(service().hideString(L"XqCmdShareRes.dll", kMinsertText));
  ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes"));
  EXPECT_TRUE(load(kMinsertText).isEmpty());
  EXPECT_FALSE(CString().LoadString(kMinsertText));
  EXPECT_EQ(load(kDialogTitle), L"Insert Block") << "only the hidden id is affected";
  service().showAllStrings(L"XqCmdShareRes.dll");
  EXPECT_EQ(load(kMinsertText), kMinsertBuiltIn);
  EXPECT_FALSE(service().hideString(L"XqNoSuchRes.dll", 1));
  RestorePreviousResource();
}

TEST(ResourceServiceWithoutHost, NothingLoadsAndNothingSwitches) {
  ASSERT_EQ(VexaHost::current(), nullptr);
  QvString text(L"x");
  EXPECT_FALSE(text.loadString(kMinsertText));
  EXPECT_TRUE(text.isEmpty());
  EXPECT_FALSE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  EXPECT_FALSE(RestorePreviousResource());
  EXPECT_FALSE(CString().LoadString(kMinsertText));
}

TEST(ResourceServiceLifetime, EachHostStartsWithoutCurrentModuleOrHiddenIds) {
  {
    VexaHost host;
    host.service<VexaResourceService>().hideString(L"XqCmdShareRes.dll", kMinsertText);
    ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  }
  VexaHost host;
  QvString text;
  EXPECT_FALSE(text.loadString(kMinsertText));
  ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  EXPECT_TRUE(text.loadString(kMinsertText));
}

// The string table of the resource module XqCmdShareRes: every message id the module uses is
// there, and each format takes the arguments its callers pass.
// Id -> number of conversions its callers supply (%ls, %d, or a numbered insert %1).
const std::map<unsigned int, int> kIds = {
    {10801, 0}, {10807, 0}, {10808, 0}, {10809, 0}, {10810, 0}, {10811, 1}, {10812, 0}, {10813, 1},
    {10814, 1}, {10815, 0}, {10816, 1}, {10817, 0}, {10818, 3}, {10819, 0}, {10820, 0}, {10821, 0},
    {10822, 0}, {10823, 0}, {10824, 2}, {10825, 0}, {10826, 1}, {10827, 0}, {10828, 0}, {10829, 1},
    {10831, 0}, {10832, 0}, {10834, 0}, {10835, 1}, {10837, 1}, {10838, 0}, {10840, 0}, {10841, 0},
    {10842, 0}, {10843, 0}, {10844, 0}, {10845, 0}, {10846, 0}, {10847, 0}, {10848, 0}, {10849, 0},
    {10850, 0}, {10852, 0}, {10853, 0}, {10854, 0}, {10855, 0}, {10856, 4}, {10858, 0}, {10876, 1},
    {10877, 0}, {10879, 0}, {10940, 0}, {10941, 1}, {10942, 1}, {10943, 0}, {10945, 0}, {10947, 0},
    {10977, 0}, {10978, 0}, {10979, 1}, {10980, 0}, {10981, 0}, {10982, 0}, {10983, 0}, {10984, 0},
    {10985, 2}, {10986, 0}, {14907, 1},
};

int conversions(const QvString& text) {
  int count = 0;
  for (int i = 0; i < text.length(); ++i) {
    if (text.getAt(i) != L'%') continue;
    if (text.getAt(i + 1) == L'%') {
      ++i;
      continue;
    }
    ++count;
  }
  return count;
}

class XqCmdShareRes : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(SetCurrentResourceName(L"XqCmdShareRes.dll"));
  }
  void TearDown() override {
    RestorePreviousResource();
    HostFixture::TearDown();
  }
};

TEST_F(XqCmdShareRes, HoldsEveryMessageIdWithTheArgumentsItsCallersPass) {
  for (const auto& [id, expected] : kIds) {
    QvString text;
    ASSERT_TRUE(text.loadString(id)) << id;
    EXPECT_FALSE(text.isEmpty()) << id;
    EXPECT_EQ(conversions(text), expected) << id << ": " << text;
  }
}

int words(const QvString& text) {
  int count = 0;
  bool inWord = false;
  for (int i = 0; i < text.length(); ++i) {
    const bool space = text.getAt(i) == L' ';
    if (!space && !inWord) ++count;
    inWord = !space;
  }
  return count;
}

TEST_F(XqCmdShareRes, KeywordListsHaveAsManyGlobalAsLocalKeywords) {
  for (unsigned int id : {10807u, 10809u, 10812u, 10817u, 10827u}) {
    QvString list;
    ASSERT_TRUE(list.loadString(id));
    const int underscore = list.find(L'_');
    ASSERT_GT(underscore, 0) << id;
    EXPECT_EQ(words(list.left(underscore)), words(list.mid(underscore + 1))) << id;
  }
  QvString redefine;
  ASSERT_TRUE(redefine.loadString(10827));
  EXPECT_EQ(redefine, L"Yes No _Yes No");  // the redefine question looks for the global "Yes"
}

}  // namespace
