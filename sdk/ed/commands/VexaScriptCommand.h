#pragma once

class IVexaBuildInCommandContext;

// The SCRIPT command: runs the commands of a script file, as the input script's own lines run.
//   "Enter script file name: "   a path (Windows or this system's; ".scr" added when it has no
//                                extension and the name alone is not found)
// The file's lines answer only its own commands: they never read the lines after SCRIPT, and
// questions left when the file runs out are cancelled. While it runs the host's input-state
// flag kQvInputFromScript is set. Answers kQvNormal when every command of the file was done,
// kQvCancel when one was cancelled, kQvError when one failed, the file cannot be read or
// scripts nest deeper than VexaCommandRunner::kMaxNesting.
class VexaScriptCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
