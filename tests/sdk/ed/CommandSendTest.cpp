// Commands sent from code: their answers, echo, argument kinds and the host's own commands; and
// the SCRIPT command: a script file's commands, the input-state flag while they run, and the
// files it refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedCommand.h"
#include "sdk/ed/qvedCommandState.h"
#include "tests/support/AdsNames.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "tests/support/TempFolder.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using Kind = VexaTranscriptEntry::Kind;
constexpr double kPi = 3.14159265358979323846;

class CommandSendTest : public HostFixture {
 protected:
  // Adds a test command; the test fails when the stack refuses it.
  void command(const wchar_t* name, std::function<int()> body) {
    ASSERT_TRUE(host().service<VexaCommandStack>().addCommand(
        L"TEST", name, [body](IVexaBuildInCommandContext&) { return body(); }));
  }
  // Asks one text question of the running script; "<cancel>" when it was cancelled.
  static QvString askText(const wchar_t* prompt) {
    VexaQuestionSetup setup;
    setup.prompt = prompt;
    const VexaAnswer answer = VexaQuestion(setup).ask();
    return answer.outcome == VexaAnswer::Outcome::kCancel ? QvString(L"<cancel>") : answer.text;
  }
  int16_t insunits() { return vars().get(L"INSUNITS")->shortValue(); }
  VexaUcs ucs() { return vars().currentUcs(); }
};

TEST_F(CommandSendTest, NestedCommandsReadOnlyTheirOwnAnswers) {
  int nested = 0;
  int outerReadsPastEnd = -1;
  QvString after;
  command(L"OUTER", [&] {
    // The value of SETVAR is missing: its question is cancelled, not answered by the script.
    nested = qvedCommand(kRbString, L"_.SETVAR", kRbString, L"INSUNITS", 0);
    outerReadsPastEnd = inputScript().readsPastEnd();
    after = askText(L"\nAfter: ");
    return kQvNormal;
  });
  const auto summary = run(L"OUTER\n6\nsecond\n");
  EXPECT_EQ(nested, kQvCancel);
  EXPECT_EQ(insunits(), 4);
  EXPECT_EQ(after, L"6");          // the outer command still reads the line the nested one left
  EXPECT_EQ(summary.commands, 2);  // "second" is then read as a command of its own
  EXPECT_EQ(summary.done, 1);
  EXPECT_EQ(outerReadsPastEnd, 0);  // the nested cancel is not the outer script's

  // Answers left when a command is done name the next command; a full answer set is done.
  command(L"TWICE", [&] {
    nested = qvedCommand(kRbString, L"SETVAR", kRbString, L"INSUNITS", kRbShort, 2, kRbString,
                         L"_.SETVAR INSUNITS", kRbLong, 6, kRbNone);
    return kQvNormal;
  });
  run(L"TWICE\n");
  EXPECT_EQ(nested, kQvNormal);
  EXPECT_EQ(insunits(), 6);
  // Unknown commands fail; a nested failure does not end the outer command.
  command(L"UNKNOWN", [&] {
    nested = qvedCommand(kRbString, L"NOSUCH", kRbString, L"SETVAR", 0);
    return kQvNormal;
  });
  EXPECT_EQ(run(L"UNKNOWN\n").done, 1);
  EXPECT_EQ(nested, kQvError);
  // Without a running command the same holds: the script is never read.
  script(L"7\n");
  EXPECT_EQ(qvedCommand(kRbString, L"SETVAR", kRbString, L"INSUNITS", 0), kQvCancel);
  EXPECT_EQ(insunits(), 6);
  EXPECT_EQ(inputScript().linesLeft(), 1);
}

TEST_F(CommandSendTest, EchoFollowsCmdecho) {
  command(L"SEND", [] {
    return qvedCommand(kRbString, L"_.SETVAR", kRbString, L"INSUNITS", kRbShort, 5, kRbString,
                       L"NOSUCH", 0);
  });
  run(L"SEND\n");
  EXPECT_EQ(transcript().text(),
            L"Command: SEND\n"
            L"Command: _.SETVAR\n"
            L"Enter variable name or [?]: INSUNITS\n"
            L"Enter new value for INSUNITS <4>: 5\n"
            L"Command: NOSUCH\n"
            L"Unknown command \"NOSUCH\".");
  ASSERT_EQ(setShortVar(L"CMDECHO", 0), kQvNormal);
  run(L"SEND\n");
  // Prompts and answers are not echoed; messages still are.
  EXPECT_THAT(entries(), ElementsAre(std::pair{Kind::kPrompt, std::wstring(L"\nCommand: ")},
                                     std::pair{Kind::kAnswer, std::wstring(L"SEND")},
                                     std::pair{Kind::kMessage,
                                               std::wstring(L"\nUnknown command \"NOSUCH\".")}));
  // The outer script's own echo is back once the sent commands are done.
  run(L"SETVAR\nCMDECHO\n1\n");
  EXPECT_THAT(transcript().text().wstr(), HasSubstr(L"Enter new value for CMDECHO <0>: 1"));
}

TEST_F(CommandSendTest, PointsNumbersAnglesAndEntitiesAreAnswers) {
  // A point is in the current UCS; an angle is in radians whatever the units.
  const double origin[3] = {10, 20, 0};
  ASSERT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_O", kRbPoint3d, origin, 0), kQvNormal);
  const double along[2] = {5, 0};
  ASSERT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_O", kRbPoint2d, along, 0), kQvNormal);
  EXPECT_EQ(ucs().origin(), QvGePoint3d(15, 20, 0));
  ASSERT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_Z", kRbAngle, kPi / 2, 0), kQvNormal);
  EXPECT_TRUE(ucs().xAxis().isEqualTo(QvGeVector3d(0, 1, 0)));
  // A real keeps every digit.
  const double tiny = 1.0 / 3.0;
  resbuf* list = qvutBuildList(kRbString, L"_.UCS", kRbString, L"_Z", kRbReal, tiny, 0);
  ASSERT_EQ(qvedCmd(list), kQvNormal);
  qvutRelRb(list);
  EXPECT_NEAR(std::atan2(ucs().xAxis().y, ucs().xAxis().x), kPi / 2 + tiny * kPi / 180, 1e-15);

  // An entity name answers an object question.
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(1, 1, 0), QvGePoint3d(1, 5, 0)));
  const AdsName name(line);
  transcript().clear();
  ASSERT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_OB", kRbEntityName, name.w, 0),
            kQvNormal);
  EXPECT_EQ(ucs().origin(), QvGePoint3d(1, 1, 0));
  EXPECT_THAT(transcript().text().wstr(), HasSubstr(L"Select object to align UCS: <Entity name: " +
                                                    line.handle().ascii().wstr() + L">"));
  // An entity where a point is asked is refused, and the question asks again.
  EXPECT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_O", kRbEntityName, name.w, 0),
            kQvCancel);
  EXPECT_EQ(ucs().origin(), QvGePoint3d(1, 1, 0));
}

TEST_F(CommandSendTest, BadArgumentsRunNothing) {
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
  const AdsName name(line);
  const double nan[3] = {std::numeric_limits<double>::quiet_NaN(), 0, 0};
  const int64_t noSet[2] = {12345, 0};
  const wchar_t* nullText = nullptr;
  EXPECT_EQ(qvedCommand(kRbString, L"_.SETVAR", kRbString, L"INSUNITS", 999, 5, 0), kQvError);
  EXPECT_EQ(qvedCommand(kRbString, L"_.SETVAR", kRbString, nullText, 0), kQvError);
  EXPECT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_O", kRbPoint3d, nan, 0), kQvError);
  EXPECT_EQ(qvedCommand(kRbString, L"_.SETVAR", kRbReal, INFINITY, 0), kQvError);
  EXPECT_EQ(qvedCommand(kRbString, L"_.UCS", kRbPickSet, noSet, 0), kQvError);
  ASSERT_EQ(eraseObject(line), Vexa::eOk);
  EXPECT_EQ(qvedCommand(kRbString, L"_.UCS", kRbString, L"_OB", kRbEntityName, name.w, 0),
            kQvError);
  EXPECT_TRUE(transcript().entries().empty());  // nothing ran
  EXPECT_EQ(ucs().origin(), QvGePoint3d(0, 0, 0));
  EXPECT_EQ(qvedCmd(nullptr), kQvNormal);  // no command at all
}

TEST_F(CommandSendTest, CommandsSendingThemselvesStopAtTheNestingLimit) {
  int depth = 0;
  int deepest = 0;
  int innermost = kQvNormal;
  command(L"RECURSE", [&] {
    ++depth;
    deepest = std::max(deepest, depth);
    const int rc = qvedCommand(kRbString, L"RECURSE", 0);
    if (rc == kQvError && depth == deepest) innermost = rc;
    --depth;
    return rc == kQvNormal ? kQvNormal : kQvError;
  });
  run(L"RECURSE\n");
  EXPECT_EQ(deepest, VexaCommandRunner::kMaxNesting + 1);
  EXPECT_EQ(innermost, kQvError);
  EXPECT_EQ(inputScript().nesting(), 0);
  EXPECT_THAT(messages(), testing::Contains(L"\nCommands sent from commands nest too deep."));
}

TEST_F(CommandSendTest, ADotReachesTheHostsOwnCommandUnderAModulesName) {
  int moduleRuns = 0;
  command(L"UCS", [&] { return ++moduleRuns, kQvNormal; });
  EXPECT_FALSE(host().service<VexaCommandStack>().addCommand(
      L"OTHER", L"ucs", [](IVexaBuildInCommandContext&) { return kQvNormal; }));
  run(L"UCS\n_UCS\n._UCS\n_O\n3,0\n");
  EXPECT_EQ(moduleRuns, 2);
  EXPECT_EQ(ucs().origin(), QvGePoint3d(3, 0, 0));
  const std::vector<QvString> names = host().service<VexaCommandStack>().commandNames();
  EXPECT_EQ(std::count(names.begin(), names.end(), QvString(L"UCS")), 1);
  // Taken away, the module's name falls back to the host's command.
  EXPECT_TRUE(host().service<VexaCommandStack>().removeGroup(L"TEST") == 1);
  run(L"UCS\nW\n");
  EXPECT_EQ(ucs().origin(), QvGePoint3d(0, 0, 0));
}

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
  EXPECT_THAT(messages(), testing::Contains(L"\nUnknown command \"outer\"."));
}

TEST_F(ScriptCommandTest, FilesThatCannotBeReadAndScriptsThatCallThemselves) {
  ASSERT_EQ(::mkfifo(folder_.path("pipe.scr").c_str(), 0600), 0);
  for (const std::string& bad : {folder_.path("missing.scr"), folder_.path(""),
                                 folder_.path("pipe.scr"), std::string("Z:\\unmapped.scr")}) {
    const auto summary = run(L"SCRIPT\n" + QvString(bad.c_str()) + L"\n");
    EXPECT_EQ(summary.failed, 1) << bad;
    EXPECT_THAT(messages(), testing::Contains(HasSubstr(L"Cannot read the script file"))) << bad;
  }
  // A file that runs itself stops at the nesting limit instead of running for ever.
  const std::string self = folder_.path("self.scr");
  file("self.scr", "PROBE\nonce\nSCRIPT\n" + self + "\n");
  const auto summary = run(L"SCRIPT\n" + QvString(self.c_str()) + L"\n");
  EXPECT_EQ(summary.failed, 1);
  EXPECT_THAT(messages(), testing::Contains(HasSubstr(L"Scripts nest too deep.")));
  EXPECT_EQ(probes_.size(), 8u);
  EXPECT_EQ(qvedGetInputState(), 0);
}

}  // namespace
