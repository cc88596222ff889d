// The guards that the host's command modules make around a command.
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"
#include "sdk/ed/VexaUserInteractionService.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/AutoSysVar_PICKFIRST.h"
#include "xqcmdutil/PrepareCmdEcho.h"
#include "xqcmdutil/VexaConsoalCtrlTypeAutoHandle.h"

namespace {

// The exported layouts: the read buffer and the saved short; the saved value; the type.
static_assert(sizeof(AutoSysVar_PICKFIRST) == sizeof(resbuf) + alignof(resbuf));
static_assert(sizeof(PrepareCmdEcho) == sizeof(int32_t));
static_assert(sizeof(VexaConsoalCtrlTypeAutoHandle) == sizeof(VexaConsoleOutputController::eType));

using Type = VexaConsoleOutputController::eType;

class CommandGuards : public HostFixture {
 protected:
  VexaUserInteractionService& interactions() {
    return host().service<VexaUserInteractionService>();
  }
};

TEST_F(CommandGuards, PickFirstIsOffWhileTheGuardLives) {
  ASSERT_EQ(setShortVar(L"PICKFIRST", 1), kQvNormal);
  {
    AutoSysVar_PICKFIRST guard;
    EXPECT_EQ(shortVar(L"PICKFIRST"), 0);
    {
      AutoSysVar_PICKFIRST nested;  // saves the 0 of the outer guard
      EXPECT_EQ(shortVar(L"PICKFIRST"), 0);
    }
    EXPECT_EQ(shortVar(L"PICKFIRST"), 0);
  }
  EXPECT_EQ(shortVar(L"PICKFIRST"), 1);

  // A copied guard restores the value the original saved.
  {
    AutoSysVar_PICKFIRST first;
    AutoSysVar_PICKFIRST second;  // saved 0
    second = first;               // now holds the 1 that first saved
  }
  EXPECT_EQ(shortVar(L"PICKFIRST"), 1);

  // A value of 0 stays 0.
  ASSERT_EQ(setShortVar(L"PICKFIRST", 0), kQvNormal);
  { AutoSysVar_PICKFIRST guard; }
  EXPECT_EQ(shortVar(L"PICKFIRST"), 0);
}

TEST_F(CommandGuards, CommandEchoIsOffWhileTheGuardLives) {
  ASSERT_EQ(setShortVar(L"CMDECHO", 1), kQvNormal);
  {
    PrepareCmdEcho guard;
    EXPECT_EQ(shortVar(L"CMDECHO"), 0);
    PrepareCmdEcho copy(guard);
    copy = guard;
  }
  EXPECT_EQ(shortVar(L"CMDECHO"), 1);
  ASSERT_EQ(setShortVar(L"CMDECHO", 0), kQvNormal);
  { PrepareCmdEcho guard; }
  EXPECT_EQ(shortVar(L"CMDECHO"), 0);
}

// Guards made before the host runs read nothing; ending without a host they do nothing, and
// ending once it runs, they write nothing back, whatever the variables hold by then.
TEST(CommandGuardsWithoutHost, AFailedReadIsNeverWrittenBackOnceAHostRuns) {
  ASSERT_EQ(VexaHost::current(), nullptr);
  {
    AutoSysVar_PICKFIRST pickFirst;
    PrepareCmdEcho cmdEcho;
    VexaConsoalCtrlTypeAutoHandle console;
  }
  std::optional<AutoSysVar_PICKFIRST> pickFirst(std::in_place);
  std::optional<PrepareCmdEcho> cmdEcho(std::in_place);
  VexaHost host;
  resbuf on{nullptr, kRbShort, {}};
  on.value.int16 = 1;
  ASSERT_EQ(qvedSetVar(L"PICKFIRST", &on), kQvNormal);
  ASSERT_EQ(qvedSetVar(L"CMDECHO", &on), kQvNormal);
  pickFirst.reset();
  cmdEcho.reset();
  for (const wchar_t* name : {L"PICKFIRST", L"CMDECHO"}) {
    resbuf value{};
    ASSERT_EQ(qvedGetVar(name, &value), kQvNormal);
    EXPECT_EQ(value.value.int16, 1) << QvString(name).utf8();
  }
  // With the host running from the start, the read value comes back as before.
  {
    PrepareCmdEcho guard;
    resbuf value{};
    ASSERT_EQ(qvedGetVar(L"CMDECHO", &value), kQvNormal);
    EXPECT_EQ(value.value.int16, 0);
  }
  resbuf value{};
  ASSERT_EQ(qvedGetVar(L"CMDECHO", &value), kQvNormal);
  EXPECT_EQ(value.value.int16, 1);
}

TEST_F(CommandGuards, TheConsoleTypeIsTwoWhileTheGuardLivesAndThenRestored) {
  VexaUserInteraction& interaction = interactions().begin(Type::eDefault);
  {
    VexaConsoalCtrlTypeAutoHandle guard;
    EXPECT_EQ(interaction.consoleOutputControllerType(), 2);
  }
  EXPECT_EQ(interaction.consoleOutputControllerType(), 1);
  ASSERT_EQ(interaction.controllerCalls().size(), 2u);
  for (const auto& [call, type] : {std::pair{interaction.controllerCalls()[0], 2},
                                   std::pair{interaction.controllerCalls()[1], 1}}) {
    EXPECT_EQ(call.type, type);
    EXPECT_FALSE(call.option);
    EXPECT_EQ(call.first, nullptr);
  }

  // The type the interaction had is the one restored.
  VexaUserInteraction& quiet = interactions().begin(Type::eQuiet);
  { VexaConsoalCtrlTypeAutoHandle guard; }
  EXPECT_EQ(quiet.consoleOutputControllerType(), 2);
  EXPECT_EQ(quiet.controllerCalls().back().type, 2);
}

TEST_F(CommandGuards, WithoutAnActiveInteractionTheConsoleGuardDoesNothing) {
  { VexaConsoalCtrlTypeAutoHandle guard; }  // none at either end
  {
    VexaConsoalCtrlTypeAutoHandle guard;
    // An interaction that begins while the guard lives gets the default type 1 at its end.
    interactions().begin(Type::eQuiet);
  }
  ASSERT_NE(interactions().active(), nullptr);
  EXPECT_EQ(interactions().active()->consoleOutputControllerType(), 1);
  ASSERT_EQ(interactions().active()->controllerCalls().size(), 1u);

  {
    VexaConsoalCtrlTypeAutoHandle guard;
    interactions().end();  // gone when the guard ends: nothing to restore
  }
  EXPECT_EQ(interactions().active(), nullptr);
}

}  // namespace
