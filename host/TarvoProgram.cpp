#include "host/TarvoProgram.h"

#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <ostream>
#include <system_error>

#include "host/TarvoClassListing.h"
#include "host/TarvoDocumentScope.h"
#include "host/TarvoDrawingFiles.h"
#include "host/TarvoDrawingInfo.h"
#include "host/TarvoModuleSession.h"
#include "host/TarvoOptions.h"
#include "host/TarvoPicture.h"
#include "host/TarvoTranscriptEcho.h"
#include "host/TarvoVersion.h"
#include "sdk/app/VexaDocument.h"
#include "sdk/app/VexaProgressMeter.h"
#include "sdk/app/VexaTerminalProgressBar.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaCommandRunner.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/render/QvGiDragFrames.h"
#include "sdk/win/VexaDialogPictures.h"

namespace {

std::string utf8(const QvString& text) {
  return text.utf8();
}

}  // namespace

TarvoProgram::TarvoProgram(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), in_(&std::cin), modules_(TarvoModuleSession::defaultModules()) {}

void TarvoProgram::writeUsage(std::ostream& to) const {
  to << "usage: tarvo [--help | --version | COMMAND ...]\n"
        "\n"
        "Runs the Tarvo stand-in host with the modules XqCmdUtil and TarvoCommands loaded.\n"
        "\n"
        "commands:\n"
        "  run [DRAWING] [SCRIPT] [-o OUT.dxf] [--svg OUT.svg] [--drag-frames DIR]\n"
        "      [--layout NAME] [--strict] [--non-interactive] [--dialog-svg DIR] [--verbose]\n"
        "              open DRAWING (a new drawing when none is given), run the command\n"
        "              script SCRIPT (a file, or - for the standard input), print the command\n"
        "              line, then save the drawing to OUT.dxf and draw it to OUT.svg when asked.\n"
        "              A single name is the drawing when it ends in .dxf or .dwg, else the\n"
        "              script. In the script a line names a command (any case, with an optional\n"
        "              leading _ or .), the lines after it answer its questions. With\n"
        "              --drag-frames each frame of a drag preview is drawn to DIR as an SVG\n"
        "              file (drag-0001.svg, ...), the preview on top of the drawing\n"
        "  render DRAWING -o OUT.svg [--layout NAME]\n"
        "              draw model space, or the layout NAME, of a drawing to an SVG file\n"
        "  info DRAWING [--verbose]\n"
        "              list the layers, the blocks, and the entities by class of each space\n"
        "              and block\n"
        "  classes     list every registered runtime class with its parent and, under each\n"
        "              entity class, the protocol extensions attached to it\n"
        "\n"
        "options:\n"
        "  --help      show this text\n"
        "  --version   show the program's version\n"
        "  --layout    the layout to draw (\"Model\" for model space); the drawing's current one\n"
        "              by default\n"
        "  --strict    exit with 3 when a command ends with an error or a cancel\n"
        "  --non-interactive\n"
        "              the commands run without a user: no dialogs (attribute values on the\n"
        "              command line), no question before redefining a block from a file\n"
        "  --dialog-svg DIR\n"
        "              draw each state of the dialogs the script answers (BLOCKPICK) to\n"
        "              SVG files in DIR, which is made when missing\n"
        "  --verbose   list every repair made while reading the drawing (the first five\n"
        "              otherwise, on the error stream)\n"
        "\n"
        "exit status: 0 when the script ran to its end, 1 when a file could not be read or\n"
        "written, 2 for a usage error, 3 under --strict for a command that failed.\n"
        "\n"
        "Modules are searched in the folders of TARVO_MODULE_PATH (separated by ':'), then in\n"
        "the folder of libtarvosdk.\n";
}

int TarvoProgram::usageError(const std::string& message) const {
  err_ << "tarvo: " << message << '\n';
  writeUsage(err_);
  return kUsageError;
}

int TarvoProgram::fileError(const std::string& what, const std::string& path,
                            const std::string& why) const {
  err_ << "tarvo: cannot " << what << " '" << path << "': " << why << '\n';
  return kFileError;
}

int TarvoProgram::run(const std::vector<std::string>& args) {
  if (VexaHost::current()) return runWithHost(args);
  VexaHost host;
  VexaTerminalProgressBar::installOnStandardError(host.service<VexaProgressMeter>());
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
  if (args.empty()) return usageError("no command given");

  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  TarvoOptions options;
  std::string error;
  if (command == "classes") {
    if (!rest.empty()) return usageError("classes takes no arguments");
    return listClasses();
  }
  if (command == "run") {
    if (!TarvoOptions::parseRun(rest, options, error)) return usageError(error);
    return runScript(options);
  }
  if (command == "render") {
    if (!TarvoOptions::parseRender(rest, options, error)) return usageError(error);
    return render(options);
  }
  if (command == "info") {
    if (!TarvoOptions::parseInfo(rest, options, error)) return usageError(error);
    return info(options);
  }
  return usageError("unknown command or option '" + command + "'");
}

bool TarvoProgram::loadModules(TarvoModuleSession& modules) const {
  if (modules.load(modules_)) return true;
  err_ << "tarvo: " << utf8(modules.error()) << '\n';
  return false;
}

int TarvoProgram::listClasses() {
  TarvoModuleSession modules;
  if (!loadModules(modules)) return kModuleRefused;
  writeTarvoClassListing(out_);
  return kSuccess;
}

int TarvoProgram::runScript(const TarvoOptions& options) {
  // The script is read before anything runs, so a missing one changes nothing.
  VexaInputScript& script = VexaHost::current()->service<VexaInputScript>();
  if (options.script == "-") {
    const std::string text{std::istreambuf_iterator<char>(*in_), std::istreambuf_iterator<char>()};
    script.loadString(QvString(text.c_str()));
  } else if (!options.script.empty()) {
    const Vexa::ErrorStatus es = script.loadFile(options.script);
    if (es != Vexa::eOk)
      return fileError("read the script", options.script,
                       es == Vexa::eFileNotFound ? "no such file" : "it cannot be read");
  } else {
    script.clear();
  }

  if (!options.dialogSvg.empty()) {
    std::error_code made;
    std::filesystem::create_directories(options.dialogSvg, made);
    if (!std::filesystem::is_directory(options.dialogSvg))
      return fileError("make the folder", options.dialogSvg,
                       made ? made.message() : "not a folder");
    VexaHost::current()->service<VexaDialogPictures>().setFolder(options.dialogSvg);
  }

  TarvoModuleSession modules;
  if (!loadModules(modules)) return kModuleRefused;
  TarvoDocumentScope drawing;  // closed before the modules go
  QvString why;
  QvDxfReadResult read;
  if (!drawing.open(options.drawing, why, &read))
    return fileError("read the drawing", options.drawing, utf8(why));
  TarvoDrawingFiles::writeRepairs(read, options.drawing, options.verbose, err_);

  if (!options.dragFrames.empty()) {
    std::error_code made;
    std::filesystem::create_directories(options.dragFrames, made);
    if (made) return fileError("make the folder", options.dragFrames, made.message());
    VexaHost::current()->service<QvGiDragFrames>().setSvgFolder(options.dragFrames);
  }
  if (options.nonInteractive)
    VexaHost::current()->service<VexaCommandContexts>().setNonInteractive(true);
  VexaCommandRunner::Summary summary;
  {
    TarvoTranscriptEcho echo(out_);
    summary = VexaCommandRunner::runScript();
  }

  QvDbDatabase* db = drawing.document()->database();
  const int version = drawing.document()->docData()->saveVersion;
  if (!options.output.empty() && !TarvoDrawingFiles::write(*db, options.output, why, version))
    return fileError("save the drawing to", options.output, utf8(why));
  if (!options.svg.empty() && !TarvoPicture::write(*db, options.layout, options.svg, why))
    return fileError("write the picture", options.svg, utf8(why));
  if (options.strict && summary.done != summary.commands) {
    err_ << "tarvo: --strict: of " << summary.commands << " commands " << summary.failed
         << " failed and " << summary.cancelled << " were cancelled\n";
    return kCommandFailed;
  }
  return kSuccess;
}

int TarvoProgram::render(const TarvoOptions& options) {
  TarvoModuleSession modules;
  if (!loadModules(modules)) return kModuleRefused;
  TarvoDocumentScope drawing;
  QvString why;
  if (!drawing.open(options.drawing, why))
    return fileError("read the drawing", options.drawing, utf8(why));
  if (!TarvoPicture::write(*drawing.document()->database(), options.layout, options.output, why))
    return fileError("write the picture", options.output, utf8(why));
  return kSuccess;
}

int TarvoProgram::info(const TarvoOptions& options) {
  TarvoModuleSession modules;
  if (!loadModules(modules)) return kModuleRefused;
  TarvoDocumentScope drawing;
  QvString why;
  QvDxfReadResult read;
  if (!drawing.open(options.drawing, why, &read))
    return fileError("read the drawing", options.drawing, utf8(why));
  TarvoDrawingFiles::writeRepairs(read, options.drawing, options.verbose, err_);
  TarvoDrawingInfo::write(*drawing.document()->database(), out_);
  return kSuccess;
}
