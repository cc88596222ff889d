#include "sdk/app/VexaResourceService.h"

#include <gtest/gtest.h>

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

}  // namespace
