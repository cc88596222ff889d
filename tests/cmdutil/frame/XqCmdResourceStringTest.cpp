#include "xqcmdutil/XqCmdResourceString.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "sdk/app/VexaResourceService.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqResourceSwitchGuard.h"

namespace {

constexpr unsigned int kMinsert = 10943;
constexpr unsigned int kRedefine = 10826;  // takes the block name
const QvString kMinsertText(L"Cannot explode blocks with the MINSERT command.");

class ResourceStrings : public HostFixture {
 protected:
  VexaResourceService& resources() { return host().service<VexaResourceService>(); }
};

TEST_F(ResourceStrings, PresentIdsGiveTheCurrentModulesTexts) {
  XqResourceSwitchGuard share;
  ASSERT_TRUE(share.switched());
  EXPECT_EQ(qvcmdQvResourceString(kMinsert), kMinsertText);
  EXPECT_EQ(qvcmdQvResourceString(kMinsert, L"fallback"), kMinsertText);
  QvString out(L"old");
  EXPECT_TRUE(qvcmdQvResourceString(kMinsert, out));
  EXPECT_EQ(out, kMinsertText);
  EXPECT_EQ(qvcmdQvResourceStringF(kRedefine, L"DOOR"),
            L"\nBlock \"DOOR\" already exists. Redefine it? [Yes/No] <No>: ");
  EXPECT_EQ(qvcmdQvResourceStringF(10856, 5, 1, 2, 3),
            L"\n     5         1            2            3\n");

  EXPECT_EQ(qvcmdCResourceString(kMinsert), kMinsertText.c_str());
  CString cout(L"old");
  EXPECT_TRUE(qvcmdCResourceString(kMinsert, cout));
  EXPECT_EQ(cout, kMinsertText.c_str());
  EXPECT_EQ(qvcmdCResourceStringF(kRedefine, L"WIN"),
            L"\nBlock \"WIN\" already exists. Redefine it? [Yes/No] <No>: ");
}

TEST_F(ResourceStrings, MissingIdsGiveEmptyTextsOrTheFallback) {
  ASSERT_TRUE(resources().hideString(kXqCmdShareResName, kMinsert));
  ASSERT_TRUE(resources().hideString(kXqCmdShareResName, kRedefine));
  XqResourceSwitchGuard share;
  EXPECT_TRUE(qvcmdQvResourceString(kMinsert).isEmpty());
  EXPECT_EQ(qvcmdQvResourceString(kMinsert, L"Built-in text."), L"Built-in text.");
  EXPECT_TRUE(qvcmdQvResourceString(kMinsert, static_cast<const wchar_t*>(nullptr)).isEmpty());
  QvString out(L"old");
  EXPECT_FALSE(qvcmdQvResourceString(kMinsert, out));
  EXPECT_TRUE(out.isEmpty());
  // A missing format gives nothing, whatever the arguments.
  EXPECT_TRUE(qvcmdQvResourceStringF(kRedefine, L"DOOR", 12, 3.5).isEmpty());
  EXPECT_TRUE(qvcmdCResourceStringF(kRedefine, L"DOOR").IsEmpty());
  EXPECT_TRUE(qvcmdCResourceString(kMinsert).IsEmpty());
  CString cout(L"old");
  EXPECT_FALSE(qvcmdCResourceString(kMinsert, cout));
}

TEST_F(ResourceStrings, TheyReadTheCurrentModuleAndSelectNone) {
  // Nothing current: nothing found, also with the module open.
  ASSERT_NE(resources().module(kXqCmdShareResName), nullptr);
  EXPECT_TRUE(qvcmdQvResourceString(kMinsert).isEmpty());
  EXPECT_EQ(qvcmdQvResourceString(kMinsert, L"fb"), L"fb");
  // The CString forms search the chain of open modules; the F form reads the current only.
  EXPECT_EQ(qvcmdCResourceString(kMinsert), kMinsertText.c_str());
  EXPECT_TRUE(qvcmdCResourceStringF(kRedefine, L"DOOR").IsEmpty());

  ASSERT_TRUE(resources().addModule(L"XqOtherRes.dll", {{kMinsert, L"other text"}}));
  XqResourceSwitchGuard other(L"XqOtherRes.dll");
  EXPECT_EQ(qvcmdQvResourceString(kMinsert), L"other text");
  EXPECT_TRUE(qvcmdQvResourceString(kRedefine).isEmpty());
  EXPECT_FALSE(qvcmdCResourceString(kRedefine).IsEmpty()) << "found further down the chain";
}

TEST_F(ResourceStrings, TheSwitchGuardRestoresOnlyWhatItSwitched) {
  EXPECT_EQ(resources().pendingSwitches(), 0);
  {
    XqResourceSwitchGuard share;
    EXPECT_TRUE(share.switched());
    EXPECT_EQ(resources().pendingSwitches(), 1);
    {
      XqResourceSwitchGuard missing(L"XqNoSuchRes.dll");
      EXPECT_FALSE(missing.switched());
      EXPECT_EQ(resources().pendingSwitches(), 1);
    }
    // The failed switch did not restore the outer one.
    EXPECT_EQ(resources().pendingSwitches(), 1);
    EXPECT_EQ(qvcmdQvResourceString(kMinsert), kMinsertText);
  }
  EXPECT_EQ(resources().pendingSwitches(), 0);

  // A command that leaves by an exception restores too.
  EXPECT_THROW(
      {
        XqResourceSwitchGuard share;
        throw std::runtime_error("command failed");
      },
      std::runtime_error);
  EXPECT_EQ(resources().pendingSwitches(), 0);
  EXPECT_TRUE(qvcmdQvResourceString(kMinsert).isEmpty());
}

}  // namespace
