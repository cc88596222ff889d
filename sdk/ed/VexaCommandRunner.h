#pragma once

#include <vector>

#include "sdk/base/QvString.h"

struct VexaInputScriptLine;

// How a command ended.
enum class VexaCommandEnd {
  kDone,       // it did its work (kQvNormal or kQvNone)
  kCancelled,  // it answered kQvCancel, or the script ran out while it asked
  kFailed,     // it answered another negative code, or stopped with an exception (reported)
  kUnknown,    // no command has that name
};

// Runs the commands of VexaCommandStack. The command line shows "Command: " with the name
// typed; a command's questions are answered from the input script that follows.
class VexaCommandRunner {
 public:
  // What a script of commands did.
  struct Summary {
    int commands = 0;  // command lines read
    int done = 0;
    int cancelled = 0;
    int failed = 0;  // failed or unknown
  };

  // Runs the command `text` names: in any case, with any leading "_" and "." dropped (the
  // host's forms for the global name and the built-in command: with a ".", the host's own
  // command runs even when a module's command has taken its name). An unknown name is reported
  // on the command line.
  static VexaCommandEnd runCommand(const QvString& text);

  // Runs the commands that answers sent from code name (qvedCommand), as runScript does, with
  // the input script holding only these answers: the commands never read the lines of the
  // script around them, and questions left when the answers run out are cancelled. Prompts
  // and answers are echoed when "CMDECHO" is on. kQvNormal when every command was done (or
  // there was none), kQvCancel when one was cancelled, kQvError when one failed or was unknown,
  // when no host runs, or when commands sent from commands nest deeper than kMaxNesting.
  static int runSent(const std::vector<VexaInputScriptLine>& answers);
  static constexpr int kMaxNesting = 8;

  // Reads the input script to its end. A line read while no command runs names a command;
  // text after a blank is typed ahead for its first question, as a blank ends an answer on the
  // host. Empty, cancel and cursor lines between commands are skipped.
  static Summary runScript();
};
