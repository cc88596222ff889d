#include "host/TarvoProgram.h"

#include <memory>
#include <ostream>

#include "host/TarvoClassListing.h"
#include "host/TarvoModuleSession.h"
#include "host/TarvoVersion.h"
#include "sdk/app/VexaHost.h"

TarvoProgram::TarvoProgram(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), modules_(TarvoModuleSession::defaultModules()) {}

void TarvoProgram::writeUsage(std::ostream& to) const {
  to << "usage: tarvo [--help | --version | COMMAND]\n"
        "\n"
        "Runs the Tarvo stand-in host with the module XqCmdUtil loaded.\n"
        "\n"
        "commands:\n"
        "  classes     list every registered runtime class with its parent and, under each\n"
        "              entity class, the protocol extensions attached to it\n"
        "\n"
        "options:\n"
        "  --help      show this text\n"
        "  --version   show the program's version\n"
        "\n"
        "Modules are searched in the folders of TARVO_MODULE_PATH (separated by ':'), then in\n"
        "the folder of libtarvosdk.\n";
}

int TarvoProgram::run(const std::vector<std::string>& args) {
  if (VexaHost::current()) return runWithHost(args);
  VexaHost host;
  return runWithHost(args);
}

int TarvoProgram::runWithHost(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "--help") {
    writeUsage(out_);
    return kSuccess;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out_ << "tarvo " << tarvoVersion() << '\n';
    return kSuccess;
  }
  if (args.size() != 1 || args[0] != "classes") {
    if (args.empty())
      err_ << "tarvo: no command given\n";
    else
      err_ << "tarvo: unknown command or option '" << args[0] << "'\n";
    writeUsage(err_);
    return kUsageError;
  }

  TarvoModuleSession modules;
  if (!modules.load(modules_)) {
    err_ << "tarvo: " << modules.error().utf8() << '\n';
    return kModuleRefused;
  }
  writeTarvoClassListing(out_);
  return kSuccess;
}
