#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The program `tarvo`: reads its arguments, loads the modules through the host's dynamic
// linker and runs the command asked for. Output goes to `out`, messages to `err`.
class TarvoProgram {
 public:
  enum ExitCode { kSuccess = 0, kModuleRefused = 1, kUsageError = 2 };

  TarvoProgram(std::ostream& out, std::ostream& err);

  // The modules loaded at start (XqCmdUtil unless changed).
  void setModules(std::vector<std::wstring> modules) { modules_ = std::move(modules); }

  // Runs with the arguments after the program name; answers the exit code. Makes a host for
  // the run when none is running.
  int run(const std::vector<std::string>& args);

 private:
  int runWithHost(const std::vector<std::string>& args);
  void writeUsage(std::ostream& to) const;

  std::ostream& out_;
  std::ostream& err_;
  std::vector<std::wstring> modules_;
};
