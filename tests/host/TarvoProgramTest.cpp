#include "host/TarvoProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "host/TarvoModuleSession.h"
#include "host/TarvoOptions.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/qvedOutput.h"
#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TextFiles.h"
#include "tests/support/XqCmdUtilClassTable.h"

namespace {

struct TarvoRun {
  int code;
  std::string out;
  std::string err;
};

TarvoRun runTarvo(const std::vector<std::string>& args, const std::string& input = "",
                  std::vector<std::wstring> modules = TarvoModuleSession::defaultModules()) {
  std::ostringstream out, err;
  std::istringstream in(input);
  TarvoProgram program(out, err);
  program.setInput(in);
  program.setModules(std::move(modules));
  const int code = program.run(args);
  return {code, out.str(), err.str()};
}

// A run with the module XqCmdUtil alone.
TarvoRun runWithCmdUtil(const std::vector<std::string>& args) {
  return runTarvo(args, "", {L"XqCmdUtil"});
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(TarvoProgram, HelpVersionAndUsageErrors) {
  const TarvoRun help = runWithCmdUtil({"--help"});
  EXPECT_EQ(help.code, TarvoProgram::kSuccess);
  EXPECT_TRUE(help.err.empty());
  for (const char* word : {"usage: tarvo", "classes", "run [DRAWING] [SCRIPT]", "render DRAWING",
                           "info DRAWING", "--strict", "TARVO_MODULE_PATH"})
    EXPECT_TRUE(contains(help.out, word)) << word;

  const TarvoRun version = runWithCmdUtil({"--version"});
  EXPECT_EQ(version.code, TarvoProgram::kSuccess);
  EXPECT_EQ(version.out, "tarvo " TARVO_TEST_VERSION "\n");

  for (const std::vector<std::string>& bad : {
           std::vector<std::string>{},
           {"--bogus"},
           {"classes", "extra"},
           {"frobnicate"},
           {"run", "a.dxf", "b.script", "c"},
           {"run", "-o"},
           {"run", "--bogus"},
           {"run", "-o", "a.dxf", "-o", "b.dxf"},
           {"run", "-", "--svg"},
           {"render", "a.dxf"},
           {"render", "-o", "a.svg"},
           {"info"},
           {"info", "a.dxf", "b.dxf"},
           {"info", "--strict", "a.dxf"},
       }) {
    const TarvoRun run = runWithCmdUtil(bad);
    EXPECT_EQ(run.code, TarvoProgram::kUsageError) << testing::PrintToString(bad);
    EXPECT_TRUE(contains(run.err, "usage: tarvo")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(TarvoProgram, ClassesListsTheExtensionsAttachedAfterTheModuleLoaded) {
  const int extensionsBefore = XqCmdUtilClassTable::attachedExtensionCount();
  const TarvoRun run = runWithCmdUtil({"classes"});
  ASSERT_EQ(run.code, TarvoProgram::kSuccess) << run.err;
  EXPECT_NE(run.out.find("\nQvDbArc : QvDbCurve\n"
                         "    + QvDbEntityInternalBasePE: QvDbArcInternalPE\n"
                         "    + VexaEntityPE: VexaEntity_Extension\n"),
            std::string::npos)
      << run.out;
  // The host's own extensions, attached when the SDK is loaded, are listed too, in name order.
  EXPECT_TRUE(contains(run.out,
                       "\nQvDbBlockReference : QvDbEntity\n"
                       "    + QvDbAnnotativeObjectPE: QvDbAnnotativeObjectPE\n"
                       "    + QvDbObjectContextInterface: QvDbObjectContextInterface\n"
                       "    + QvDbPaperOrientationPE: QvDbPaperOrientationPE\n"
                       "    + VexaEntityPE: VexaEntity_Extension\n"
                       "QvDbBlockTable"));
  for (const char* line : {"\nQvDbEntityInternalBasePE : QvRxObject\n",
                           "\nQvRxObject\n",  // the root has no parent
                           " protocol extensions attached to entity classes\n"})
    EXPECT_TRUE(contains(run.out, line)) << line;
  EXPECT_EQ(occurrences(run.out, "    + VexaEntityPE: VexaEntity_Extension\n"), 21u);
  EXPECT_EQ(occurrences(run.out, "    + QvDbEntityInternalBasePE: "), 18u);

  // The run unloaded the module again.
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  EXPECT_EQ(XqCmdUtilClassTable::attachedExtensionCount(), extensionsBefore);
}

TEST(TarvoProgram, ARefusedModuleStopsTheProgramWithAClearMessageAndUnloadsTheOthers) {
  const auto refusedAndUnloaded = [](const TarvoRun& run) {
    EXPECT_EQ(run.code, TarvoProgram::kModuleRefused);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
    EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  };
  {
    // The test module's folder comes first on the module path: its libXqCmdUtil.so is found.
    ScopedEnv path("TARVO_MODULE_PATH", testBinaryDir() + "/testmodules/wrong-version");
    const TarvoRun run = runWithCmdUtil({"classes"});
    refusedAndUnloaded(run);
    EXPECT_TRUE(contains(run.err, "tarvo: The module XqCmdUtil")) << run.err;
    EXPECT_TRUE(contains(run.err, "was built for interface version 132448305")) << run.err;
  }
  const TarvoRun run = runTarvo({"classes"}, "", {L"XqCmdUtil", L"XqNoSuchModule"});
  refusedAndUnloaded(run);
  EXPECT_TRUE(contains(run.err, "Cannot find the module XqNoSuchModule")) << run.err;
}

TEST(TarvoRun, ScriptsFromStandardInputChangeTheDrawing) {
  const std::string script =
      "SETVAR\nINSUNITS\n6\n"
      "setvar INSUNITS\n\n"
      "UCS\nO\n1,2\n"
      "_.LAYOUT\nLayout1\n"
      "LAYOUT ?\n";
  const TarvoRun piped = runTarvo({"run", "-"}, script);
  ASSERT_EQ(piped.code, TarvoProgram::kSuccess) << piped.err;
  EXPECT_EQ(piped.err, "");
  EXPECT_EQ(piped.out,
            "Command: SETVAR\n"
            "Enter variable name or [?]: INSUNITS\n"
            "Enter new value for INSUNITS <4>: 6\n"
            "Command: setvar\n"
            "Enter variable name or [?]: INSUNITS\n"
            "Enter new value for INSUNITS <6>: \n"
            "Command: UCS\n"
            "Specify origin of UCS or [World/Origin/X/Y/Z/ZAxis/OBject/Previous] <World>: O\n"
            "Specify new origin point <0,0,0>: 1,2\n"
            "Command: _.LAYOUT\n"
            "Enter layout option [New/Delete/Rename/Set/?] <Set>: Layout1\n"
            "Command: LAYOUT\n"
            "Enter layout option [New/Delete/Rename/Set/?] <Set>: ?\n"
            "  Model\n"
            "* Layout1\n");

  // The same script from a file gives the same transcript.
  TempFolder folder;
  EXPECT_EQ(runTarvo({"run", folder.file("steps.script", script)}).out, piped.out);

  // Each run starts from a new drawing: nothing carries over.
  const TarvoRun fresh = runTarvo({"run", "-"}, "SETVAR\nINSUNITS\n\n");
  EXPECT_TRUE(contains(fresh.out, "<4>")) << fresh.out;
}

TEST(TarvoRun, StrictMakesFailedAndCancelledCommandsExitThree) {
  // A read-only variable, an unknown command, and a script that runs out while a command asks.
  for (const std::string script : {"SETVAR\nUCSORG\n", "FROBNICATE\n", "UCS\nO\n"}) {
    const TarvoRun lenient = runTarvo({"run", "-"}, script);
    EXPECT_EQ(lenient.code, TarvoProgram::kSuccess) << script;
    const TarvoRun strict = runTarvo({"run", "--strict", "-"}, script);
    EXPECT_EQ(strict.code, TarvoProgram::kCommandFailed) << script;
    EXPECT_EQ(strict.out, lenient.out);
    EXPECT_TRUE(contains(strict.err, "--strict")) << strict.err;
  }
  // The script running out cancels the question that was waiting.
  const TarvoRun ranOut = runTarvo({"run", "-", "--strict"}, "UCS\nO\n");
  EXPECT_TRUE(contains(ranOut.out, "Specify new origin point <0,0,0>: *Cancel*\n")) << ranOut.out;
  EXPECT_EQ(runTarvo({"run", "--strict", "-"}, "UCS\nW\n").code, TarvoProgram::kSuccess);
  EXPECT_EQ(runTarvo({"run", "--strict"}).code, TarvoProgram::kSuccess);  // no script at all
}

TEST(TarvoRun, DrawingsAreReadAndSaved) {
  TempFolder folder;
  const std::string first = folder.path("first.dxf");
  const TarvoRun made = runTarvo({"run", "-", "-o", first, "--strict"},
                                 "SETVAR\nINSUNITS\n6\nLAYOUT\nNew\nSheet A\nLAYOUT\nSheet A\n");
  ASSERT_EQ(made.code, TarvoProgram::kSuccess) << made.err;
  ASSERT_TRUE(std::filesystem::exists(first));

  // The saved drawing keeps what the script did: its units, the new layout, the current one.
  const TarvoRun again = runTarvo({"run", first, "-", "--strict", "-o", folder.path("second.dxf")},
                                  "SETVAR\nINSUNITS\n\nLAYOUT\n?\n");
  ASSERT_EQ(again.code, TarvoProgram::kSuccess) << again.err;
  EXPECT_TRUE(contains(again.out, "Enter new value for INSUNITS <6>: \n")) << again.out;
  EXPECT_TRUE(contains(again.out, "  Model\n  Layout1\n* Sheet A\n")) << again.out;

  const TarvoRun info = runTarvo({"info", folder.path("second.dxf")});
  ASSERT_EQ(info.code, TarvoProgram::kSuccess) << info.err;
  EXPECT_TRUE(contains(info.out, "Layout \"Sheet A\": 0 entities\n")) << info.out;
}

// Entities on layers the file does not define: each such layer is a repair.
std::string drawingWithUndefinedLayers(int count) {
  std::string text = "  0\nSECTION\n  2\nENTITIES\n";
  for (int i = 1; i <= count; ++i)
    text += "  0\nLINE\n  8\nL" + std::to_string(i) + "\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n";
  return text + "  0\nENDSEC\n  0\nEOF\n";
}

TEST(TarvoRun, RepairsAreCountedAndRefusalsNameTheFileOnce) {
  TempFolder folder;
  const std::string repaired = folder.file("repaired.dxf", drawingWithUndefinedLayers(7));
  const TarvoRun info = runTarvo({"info", repaired});
  ASSERT_EQ(info.code, TarvoProgram::kSuccess) << info.err;
  EXPECT_TRUE(contains(info.err, "'" + repaired + "' was read with 7 repairs:\n")) << info.err;
  // The first five, in the file's order, with their lines; the rest counted.
  EXPECT_TRUE(contains(info.err, "  line 8: the layer \"L1\" was not defined")) << info.err;
  EXPECT_TRUE(contains(info.err, "the layer \"L5\"")) << info.err;
  EXPECT_FALSE(contains(info.err, "the layer \"L6\"")) << info.err;
  EXPECT_TRUE(contains(info.err, "... and 2 more (--verbose lists them)\n")) << info.err;
  EXPECT_TRUE(contains(info.out, "Layers: 8\n")) << info.out;

  const TarvoRun verbose = runTarvo({"run", repaired, "-", "--verbose"}, "");
  ASSERT_EQ(verbose.code, TarvoProgram::kSuccess) << verbose.err;
  EXPECT_EQ(occurrences(verbose.err, " was not defined and has been added"), 7u) << verbose.err;
  EXPECT_FALSE(contains(verbose.err, "more")) << verbose.err;

  // A sound drawing says nothing of repairs.
  const std::string sound = folder.path("sound.dxf");
  ASSERT_EQ(runTarvo({"run", "-", "-o", sound}, "").code, TarvoProgram::kSuccess);
  EXPECT_EQ(runTarvo({"info", sound}).err, "");

  // Refusals, of what the file holds or of the file itself, name it once; what is wrong is
  // said with its line.
  const std::string bad = folder.file(
      "bad.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nx\n  0\nENDSEC\n  0\nEOF\n");
  for (const std::string& path : {bad, folder.path("missing.dxf")}) {
    const TarvoRun refused = runTarvo({"info", path, "--verbose"});
    EXPECT_EQ(refused.code, TarvoProgram::kFileError);
    EXPECT_EQ(occurrences(refused.err, path), 1u) << refused.err;
    EXPECT_EQ(refused.out, "");
  }
  const TarvoRun refused = runTarvo({"info", bad});
  EXPECT_TRUE(contains(refused.err, "cannot read the drawing '" + bad + "': line 8: "))
      << refused.err;
}

TEST(TarvoRun, FilesThatCannotBeUsedExitOne) {
  TempFolder folder;
  const TarvoRun noScript = runTarvo({"run", folder.path("missing.script")});
  EXPECT_EQ(noScript.code, TarvoProgram::kFileError);
  EXPECT_TRUE(contains(noScript.err, "cannot read the script")) << noScript.err;
  EXPECT_EQ(noScript.out, "");

  const TarvoRun noDrawing = runTarvo({"run", folder.path("missing.dxf"), "-"}, "UCS\nW\n");
  EXPECT_EQ(noDrawing.code, TarvoProgram::kFileError);
  EXPECT_TRUE(contains(noDrawing.err, "cannot read the drawing")) << noDrawing.err;
  EXPECT_EQ(noDrawing.out, "");  // nothing ran

  const TarvoRun noFolder =
      runTarvo({"run", "-", "-o", folder.path("no/such/folder/out.dxf")}, "UCS\nW\n");
  EXPECT_EQ(noFolder.code, TarvoProgram::kFileError);
  EXPECT_TRUE(contains(noFolder.err, "cannot save the drawing")) << noFolder.err;
  EXPECT_TRUE(contains(noFolder.out, "Command: UCS"));  // the script ran first

  EXPECT_EQ(runTarvo({"info", folder.path("missing.dxf")}).code, TarvoProgram::kFileError);
  EXPECT_EQ(runTarvo({"render", folder.path("missing.dxf"), "-o", folder.path("x.svg")}).code,
            TarvoProgram::kFileError);
}

TEST(TarvoRun, NonInteractiveRunsAskAttributeValuesOnTheCommandLine) {
  const std::string door = testDataDir() + "/../../examples/parts/door.dxf";
  const std::string script = "SETVAR\nATTDIA\n1\nINSERT\n" + door + "\n0,0\n\n\n0\nD-5\n";
  const TarvoRun quiet = runTarvo({"run", "-", "--non-interactive", "--strict"}, script);
  EXPECT_EQ(quiet.code, 0) << quiet.out << quiet.err;
  EXPECT_TRUE(contains(quiet.out, "Door number <D-000> :D-5")) << quiet.out;
  // With a user the attribute dialog asks.
  const TarvoRun asked = runTarvo({"run", "-", "--strict"}, script);
  EXPECT_EQ(asked.code, 0) << asked.out << asked.err;
  EXPECT_TRUE(contains(asked.out, "NUMBER (Door number) <D-000>: D-5")) << asked.out;
}

// A single name is the drawing when it ends in .dxf or .dwg (any case), else the script; options
// may stand between the names.
TEST(TarvoRun, OptionsTellTheDrawingFromTheScript) {
  const struct {
    std::vector<std::string> args;
    std::string drawing, script;
  } cases[] = {{{"plan.DXF"}, "plan.DXF", ""},
               {{"--strict", "steps.txt", "--svg", "p.svg"}, "", "steps.txt"},
               {{"a.dwg", "-o", "b.dxf", "-"}, "a.dwg", "-"}};
  TarvoOptions options;
  std::string error;
  for (const auto& c : cases) {
    ASSERT_TRUE(TarvoOptions::parseRun(c.args, options, error)) << error;
    EXPECT_EQ(options.drawing, c.drawing);
    EXPECT_EQ(options.script, c.script);
  }
  EXPECT_EQ(options.output, "b.dxf");
  EXPECT_FALSE(TarvoOptions::parseRun({"-", "-"}, options, error));  // a drawing from stdin
  EXPECT_FALSE(TarvoOptions::parseInfo({"-o", "x", "a.dxf"}, options, error));
  EXPECT_EQ(error, "unknown option '-o'");
}

TEST(TarvoRun, TheCommandLineIsPrintedAsItHappens) {
  // With a host of the test's own, the program runs in it and a command of the test can look
  // at the output while it runs.
  VexaHost host;
  std::ostringstream out, err;
  std::istringstream in("PEEK\nUCS\nW\n");
  std::string seenWhileRunning;
  host.service<VexaCommandStack>().addCommand(L"TEST", L"PEEK", [&](IVexaBuildInCommandContext&) {
    seenWhileRunning = out.str();
    qvutPrintf(L"\nPeeked.");
    return kQvNormal;
  });
  TarvoProgram program(out, err);
  program.setInput(in);
  ASSERT_EQ(program.run({"run", "-", "--strict"}), TarvoProgram::kSuccess) << err.str();
  EXPECT_EQ(seenWhileRunning, "Command: PEEK\n");
  EXPECT_EQ(out.str(),
            "Command: PEEK\n"
            "Peeked.\n"
            "Command: UCS\n"
            "Specify origin of UCS or [World/Origin/X/Y/Z/ZAxis/OBject/Previous] <World>: W\n");
  // The modules were loaded for the run and are gone again.
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"TarvoCommands"));
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
}

}  // namespace
