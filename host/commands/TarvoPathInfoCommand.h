#pragma once

class IVexaBuildInCommandContext;

// The PATHINFO command: what CFilePath makes of a path with command-line arguments.
//   "Path with arguments: "       a Windows path, optionally followed by arguments
//   "Base folder <none>: "        Enter for none; else the relative or absolute form against it
// Prints the drive, directories, file title, extension, kind and each argument. Answers
// kQvNormal; kQvCancel; kQvError for an empty path.
class TarvoPathInfoCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
