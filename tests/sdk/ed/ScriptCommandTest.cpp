// The SCRIPT command: a script file's commands, the input-state flag while they run, and the
// files it refuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/qvedCommand.h"
#include "sdk/ed/qvedCommandState.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TempFolder.h"

namespace {

class ScriptCommandTest : public HostFixture {
 protected:
  struct Probe {
    int flags = -1;
    bool fde = true;
    QvString answer;
  };
  // PROBE records the input state and the answer to one question; SEND sends PROBE with an
  // answer from code.
  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(host().service<VexaCommandStack>().addCommand(
        L"TEST", L"PROBE", [this](IVexaBuildInCommandContext&) {
          Probe probe{qvedGetInputState(), qvedCurFDERunning(), {}};
          VexaQuestionSetup setup;
          setup.prompt = L"\nProbe: ";
          const VexaAnswer answer = VexaQuestion(setup).ask();
          probe.answer =
              answer.outcome == VexaAnswer::Outcome::kCancel ? QvString(L"<cancel>") : answer.text;
          probes_.push_back(probe);
          return answer.outcome == VexaAnswer::Outcome::kCancel ? kQvCancel : kQvNormal;
        }));
    ASSERT_TRUE(host().service<VexaCommandStack>().addCommand(
        L"TEST", L"SEND", [](IVexaBuildInCommandContext&) {
          return qvedCommand(kRbString, L"PROBE", kRbString, L"sent", 0);
        }));
  }
  QvString file(const std::string& name, const std::string& text) {
    return QvString(folder_.file(name, text).c_str());
  }
  bool says(const std::wstring& part) {
    for (const std::wstring& message : messages())
      if (message.find(part) != std::wstring::npos) return true;
    return false;
  }

  TempFolder folder_;
  std::vector<Probe> probes_;
};

TEST_F(ScriptCommandTest, AFileRunsItsOwnCommandsWithTheScriptFlag) {
  const QvString path = file("site.scr", "PROBE\nfrom the file\n# a comment\nSEND\n");
  const auto summary = run(L"SCRIPT\n" + path + L"\nPROBE\nafter\n");
  EXPECT_EQ(summary.done, 2);
  ASSERT_EQ(probes_.size(), 3u);
  // In the file: flag 1, and no command sent from code.
  EXPECT_EQ(probes_[0].flags, kQvInputFromScript);
  EXPECT_FALSE(probes_[0].fde);
  EXPECT_EQ(probes_[0].answer, L"from the file");
  // A command the file's command sends from code is that.
  EXPECT_EQ(probes_[1].flags, kQvInputFromScript);
  EXPECT_TRUE(probes_[1].fde);
  EXPECT_EQ(probes_[1].answer, L"sent");
  // After the file, the outer script again, the flag gone.
  EXPECT_EQ(probes_[2].flags, 0);
  EXPECT_FALSE(probes_[2].fde);
  EXPECT_EQ(probes_[2].answer, L"after");
  EXPECT_EQ(qvedGetInputState(), 0);
}

TEST_F(ScriptCommandTest, QuestionsLeftWhenTheFileEndsAreCancelled) {
  // The name without an extension finds "plan.scr"; its PROBE has no answer in the file and
  // must not take the outer script's line.
  file("plan.scr", "PROBE\n");
  const auto summary = run(L"SCRIPT\n" + QvString(folder_.path("plan").c_str()) + L"\nouter\n");
  EXPECT_EQ(summary.cancelled, 1);
  ASSERT_EQ(probes_.size(), 1u);
  EXPECT_EQ(probes_[0].answer, L"<cancel>");
  // The line after the file's name is left to the outer script, which reads it as a command.
  EXPECT_EQ(summary.commands, 2);
  EXPECT_TRUE(says(L"Unknown command \"outer\"."));
}

TEST_F(ScriptCommandTest, FilesThatCannotBeReadAndScriptsThatCallThemselves) {
  ASSERT_EQ(::mkfifo(folder_.path("pipe.scr").c_str(), 0600), 0);
  for (const std::string& bad : {folder_.path("missing.scr"), folder_.path(""),
                                 folder_.path("pipe.scr"), std::string("Z:\\unmapped.scr")}) {
    const auto summary = run(L"SCRIPT\n" + QvString(bad.c_str()) + L"\n");
    EXPECT_EQ(summary.failed, 1) << bad;
    EXPECT_TRUE(says(L"Cannot read the script file")) << bad;
  }
  // A file that runs itself stops at the nesting limit instead of running for ever.
  const std::string self = folder_.path("self.scr");
  file("self.scr", "PROBE\nonce\nSCRIPT\n" + self + "\n");
  const auto summary = run(L"SCRIPT\n" + QvString(self.c_str()) + L"\n");
  EXPECT_EQ(summary.failed, 1);
  EXPECT_TRUE(says(L"Scripts nest too deep."));
  EXPECT_EQ(probes_.size(), 8u);
  EXPECT_EQ(qvedGetInputState(), 0);
}

}  // namespace
