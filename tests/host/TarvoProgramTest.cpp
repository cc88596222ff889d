#include "host/TarvoProgram.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TestPaths.h"
#include "tests/support/XqCmdUtilClassTable.h"

namespace {

struct TarvoRun {
  int code;
  std::string out;
  std::string err;
};

TarvoRun runTarvo(const std::vector<std::string>& args,
                  std::vector<std::wstring> modules = {L"XqCmdUtil"}) {
  std::ostringstream out, err;
  TarvoProgram program(out, err);
  program.setModules(std::move(modules));
  const int code = program.run(args);
  return {code, out.str(), err.str()};
}

TEST(TarvoProgram, HelpVersionAndUsageErrors) {
  const TarvoRun help = runTarvo({"--help"});
  EXPECT_EQ(help.code, TarvoProgram::kSuccess);
  EXPECT_NE(help.out.find("usage: tarvo"), std::string::npos);
  EXPECT_NE(help.out.find("classes"), std::string::npos);
  EXPECT_TRUE(help.err.empty());

  const TarvoRun version = runTarvo({"--version"});
  EXPECT_EQ(version.code, TarvoProgram::kSuccess);
  EXPECT_EQ(version.out, "tarvo " TARVO_TEST_VERSION "\n");

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{}, {"--bogus"}, {"classes", "extra"}, {"frobnicate"}}) {
    const TarvoRun run = runTarvo(bad);
    EXPECT_EQ(run.code, TarvoProgram::kUsageError);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("usage: tarvo"), std::string::npos);
  }
}

TEST(TarvoProgram, ClassesListsTheExtensionsAttachedAfterTheModuleLoaded) {
  const int extensionsBefore = XqCmdUtilClassTable::attachedExtensionCount();
  const TarvoRun run = runTarvo({"classes"});
  ASSERT_EQ(run.code, TarvoProgram::kSuccess) << run.err;
  EXPECT_NE(run.out.find("\nQvDbArc : QvDbCurve\n"
                         "    + QvDbEntityInternalBasePE: QvDbArcInternalPE\n"
                         "    + VexaEntityPE: VexaEntity_Extension\n"),
            std::string::npos)
      << run.out;
  // The host's own extensions, attached when the SDK is loaded, are listed too.
  EXPECT_NE(run.out.find("\nQvDbBlockReference : QvDbEntity\n"
                         "    + QvDbAnnotativeObjectPE: QvDbAnnotativeObjectPE\n"
                         "    + QvDbObjectContextInterface: QvDbObjectContextInterface\n"
                         "    + QvDbPaperOrientationPE: QvDbPaperOrientationPE\n"
                         "    + VexaEntityPE: VexaEntity_Extension\n"
                         "QvDbBlockTable"),
            std::string::npos);
  EXPECT_NE(run.out.find("\nQvDbHelix : QvDbSpline\n"
                         "    + QvDbEntityInternalBasePE: QvDbHelixInternalPE\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("\nQvDbEntityInternalBasePE : QvRxObject\n"), std::string::npos);
  EXPECT_NE(run.out.find("\nQvRxObject\n"), std::string::npos);  // the root has no parent
  EXPECT_NE(run.out.find(" protocol extensions attached to entity classes\n"), std::string::npos);

  // The run unloaded the module again.
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  EXPECT_EQ(XqCmdUtilClassTable::attachedExtensionCount(), extensionsBefore);
}

TEST(TarvoProgram, AModuleOfAnotherVersionStopsTheProgramWithAClearMessage) {
  // The folder of the test module comes first on the module path, so its libXqCmdUtil.so is
  // the one found.
  ScopedEnv path("TARVO_MODULE_PATH", testBinaryDir() + "/testmodules/wrong-version");
  const TarvoRun run = runTarvo({"classes"});
  EXPECT_EQ(run.code, TarvoProgram::kModuleRefused);
  EXPECT_TRUE(run.out.empty());
  EXPECT_NE(run.err.find("tarvo: The module XqCmdUtil"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("was built for interface version 132448305"), std::string::npos)
      << run.err;
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
}

TEST(TarvoProgram, AMissingModuleStopsTheProgramAndUnloadsTheOthers) {
  const TarvoRun run = runTarvo({"classes"}, {L"XqCmdUtil", L"XqNoSuchModule"});
  EXPECT_EQ(run.code, TarvoProgram::kModuleRefused);
  EXPECT_NE(run.err.find("Cannot find the module XqNoSuchModule"), std::string::npos) << run.err;
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
}

}  // namespace
