// The progress meter and dialog icon functions of the classic helper library.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaApplicationIcons.h"
#include "sdk/app/VexaProgressMeter.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDialogIcon.h"
#include "xqcmdutil/XqProgress.h"

namespace {

using testing::ElementsAre;

class RecordingSink : public VexaProgressSink {
 public:
  explicit RecordingSink(std::vector<std::string>& log) : log_(log) {}
  void started(const QvString& text, int minimum, int maximum) override {
    log_.push_back(text.utf8() + " " + std::to_string(minimum) + ".." + std::to_string(maximum));
  }
  void moved(int position) override { log_.push_back(std::to_string(position)); }
  void stopped() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};

class ProgressAndIconTest : public HostFixture {};

TEST_F(ProgressAndIconTest, ProgressInPercent) {
  std::vector<std::string> log;
  host().service<VexaProgressMeter>().setSink(std::make_unique<RecordingSink>(log));
  EXPECT_EQ(VexaSetProgressPercent(10), -1);  // no meter yet: the host's answer
  EXPECT_EQ(VexaProgressStart(L"Counting"), kQvNormal);
  EXPECT_EQ(VexaSetProgressPercent(25), 0);
  EXPECT_EQ(VexaSetProgressPercent(100), 0);
  EXPECT_EQ(VexaSetProgressPercent(101), -1);
  EXPECT_EQ(VexaProgressStop(), kQvNormal);
  EXPECT_EQ(VexaProgressStop(), kQvNormal);
  EXPECT_THAT(log, ElementsAre("Counting 0..100", "25", "100", "stop"));
}

TEST_F(ProgressAndIconTest, DialogIconsLargeThenSmall) {
  VexaWindowRegistry& windows = host().service<VexaWindowRegistry>();
  VexaApplicationIcons& icons = host().service<VexaApplicationIcons>();
  const HWND dialog = windows.create(L"#32770");
  windows.clearMessages(dialog);  // what creation sent
  SetDlgIcon(dialog);
  const auto log = windows.messages(dialog);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].message, WM_SETICON);
  EXPECT_EQ(log[0].wParam, ICON_BIG);
  EXPECT_EQ(log[0].lParam, reinterpret_cast<LPARAM>(icons.largeIcon()));
  EXPECT_EQ(log[1].message, WM_SETICON);
  EXPECT_EQ(log[1].wParam, ICON_SMALL);
  EXPECT_EQ(log[1].lParam, reinterpret_cast<LPARAM>(icons.smallIcon()));
  EXPECT_EQ(windows.icon(dialog, ICON_BIG), icons.largeIcon());

  // Only the icons the host has are sent.
  icons.removeLargeIcon();
  const HWND other = windows.create(L"#32770");
  windows.clearMessages(other);
  SetDlgIcon(other);
  ASSERT_EQ(windows.messages(other).size(), 1u);
  EXPECT_EQ(windows.messages(other)[0].wParam, ICON_SMALL);
  icons.removeSmallIcon();
  SetDlgIcon(other);
  EXPECT_EQ(windows.messages(other).size(), 1u);
  SetDlgIcon(nullptr);  // nothing, and no crash
}

}  // namespace
