#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TarvoModuleSession;
struct TarvoOptions;

// The program `tarvo`: reads its arguments, loads the modules through the host's dynamic
// linker and runs the command asked for. Output goes to `out`, messages to `err`; a script
// named "-" is read from the input stream (standard input unless changed).
class TarvoProgram {
 public:
  enum ExitCode {
    kSuccess = 0,
    kFileError = 1,      // a file (or a module) could not be read or written
    kModuleRefused = 1,  // a module was refused: a file that could not be used
    kUsageError = 2,
    kCommandFailed = 3,  // under --strict, a command ended with an error or a cancel
  };

  TarvoProgram(std::ostream& out, std::ostream& err);

  // The modules loaded at start (XqCmdUtil and TarvoCommands unless changed).
  void setModules(std::vector<std::wstring> modules) { modules_ = std::move(modules); }
  void setInput(std::istream& in) { in_ = &in; }

  // Runs with the arguments after the program name; answers the exit code. Makes a host for
  // the run when none is running.
  int run(const std::vector<std::string>& args);

 private:
  int runWithHost(const std::vector<std::string>& args);
  int usageError(const std::string& message) const;
  void writeUsage(std::ostream& to) const;
  // Reports a file that could not be used; answers kFileError.
  int fileError(const std::string& what, const std::string& path, const std::string& why) const;

  // Loads the modules; false after saying why.
  bool loadModules(TarvoModuleSession& modules) const;
  int listClasses();
  int runScript(const TarvoOptions& options);
  int render(const TarvoOptions& options);
  int info(const TarvoOptions& options);

  std::ostream& out_;
  std::ostream& err_;
  std::istream* in_;
  std::vector<std::wstring> modules_;
};
