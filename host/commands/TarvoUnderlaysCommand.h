#pragma once

class IVexaBuildInCommandContext;

// The UNDERLAYS command: lists the drawing's PDF, DWF and DGN underlay definitions
// (collectUnderlayItems), one a line: the name, the status, the size in KiB, the type, the
// file's date, the saved path and the path where the file was found. Answers kQvNormal.
class TarvoUnderlaysCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
