#include "host/TarvoOptions.h"

#include <algorithm>
#include <cctype>

namespace {

struct Allowed {
  bool output = false;
  bool svg = false;
  bool dragFrames = false;
  bool layout = false;
  bool strict = false;
  bool dialogSvg = false;
  bool verbose = false;
};

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

// Splits arguments into options (into `options`) and names (into `names`).
bool split(const std::vector<std::string>& args, const Allowed& allowed, TarvoOptions& options,
           std::vector<std::string>& names, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* valued = nullptr;
    if (arg == "-o" && allowed.output)
      valued = &options.output;
    else if (arg == "--svg" && allowed.svg)
      valued = &options.svg;
    else if (arg == "--drag-frames" && allowed.dragFrames)
      valued = &options.dragFrames;
    else if (arg == "--layout" && allowed.layout)
      valued = &options.layout;
    else if (arg == "--dialog-svg" && allowed.dialogSvg)
      valued = &options.dialogSvg;
    if (valued) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        error = "the option " + arg + " needs a value";
        return false;
      }
      if (!valued->empty()) {
        error = "the option " + arg + " is given twice";
        return false;
      }
      *valued = args[++i];
      continue;
    }
    if (arg == "--strict" && allowed.strict) {
      options.strict = true;
      continue;
    }
    if (arg == "--non-interactive" && allowed.strict) {
      options.nonInteractive = true;
      continue;
    }
    if (arg == "--verbose" && allowed.verbose) {
      options.verbose = true;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option '" + arg + "'";
      return false;
    }
    if (arg.empty()) {
      error = "an empty name";
      return false;
    }
    names.push_back(arg);
  }
  return true;
}

bool isDrawingName(const std::string& name) {
  return endsWithNoCase(name, ".dxf") || endsWithNoCase(name, ".dwg");
}

}  // namespace

bool TarvoOptions::parseRun(const std::vector<std::string>& args, TarvoOptions& options,
                            std::string& error) {
  options = TarvoOptions();
  std::vector<std::string> names;
  if (!split(args,
             {.output = true,
              .svg = true,
              .dragFrames = true,
              .layout = true,
              .strict = true,
              .dialogSvg = true,
              .verbose = true},
             options, names, error))
    return false;
  if (names.size() > 2) {
    error = "too many names: '" + names[2] + "'";
    return false;
  }
  if (names.size() == 2) {
    options.drawing = names[0];
    options.script = names[1];
  } else if (names.size() == 1) {
    (isDrawingName(names[0]) ? options.drawing : options.script) = names[0];
  }
  if (options.drawing == "-") {
    error = "the drawing cannot come from the standard input";
    return false;
  }
  return true;
}

bool TarvoOptions::parseRender(const std::vector<std::string>& args, TarvoOptions& options,
                               std::string& error) {
  options = TarvoOptions();
  std::vector<std::string> names;
  if (!split(args, {.output = true, .layout = true}, options, names, error)) return false;
  if (names.size() != 1) {
    error = names.empty() ? "render needs a drawing" : "too many names: '" + names[1] + "'";
    return false;
  }
  if (options.output.empty()) {
    error = "render needs -o OUT.svg";
    return false;
  }
  options.drawing = names[0];
  return true;
}

bool TarvoOptions::parseInfo(const std::vector<std::string>& args, TarvoOptions& options,
                             std::string& error) {
  options = TarvoOptions();
  std::vector<std::string> names;
  if (!split(args, {.verbose = true}, options, names, error)) return false;
  if (names.size() != 1) {
    error = names.empty() ? "info needs a drawing" : "too many names: '" + names[1] + "'";
    return false;
  }
  options.drawing = names[0];
  return true;
}
