#pragma once

#include <string>
#include <vector>

// The arguments of the program's commands that work on drawings:
//   run [DRAWING] [SCRIPT] [-o OUT.dxf] [--svg OUT.svg] [--drag-frames DIR] [--layout NAME]
//       [--strict] [--non-interactive] [--dialog-svg DIR] [--verbose]
//   render DRAWING -o OUT.svg [--layout NAME]
//   info DRAWING [--verbose]
// Options may come before, between or after the names. For `run` a single name is the drawing
// when it ends in ".dxf" or ".dwg" (any case), else the script; "-" is the standard input.
struct TarvoOptions {
  std::string drawing;     // empty: a new drawing
  std::string script;      // empty: none; "-": the standard input
  std::string output;      // the drawing file to save (`run`), the picture (`render`)
  std::string svg;         // the picture to write after the script (`run`)
  std::string dragFrames;  // the folder for the drag previews' frames (`run`); empty: none
  std::string layout;      // the layout to draw; empty: the drawing's current one
  std::string dialogSvg;   // a folder for pictures of the dialogs the script answers (`run`)
  bool strict = false;
  bool nonInteractive = false;  // the commands run without a user (`run`)
  bool verbose = false;         // every repair made while reading, not only the first few

  // Each parser answers false with the reason in `error` for arguments that do not fit.
  static bool parseRun(const std::vector<std::string>& args, TarvoOptions& options,
                       std::string& error);
  static bool parseRender(const std::vector<std::string>& args, TarvoOptions& options,
                          std::string& error);
  static bool parseInfo(const std::vector<std::string>& args, TarvoOptions& options,
                        std::string& error);
};
