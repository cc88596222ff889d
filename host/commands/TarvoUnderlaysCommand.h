#pragma once

class IVexaBuildInCommandContext;

// The UNDERLAYS command: lists the drawing's PDF, DWF and DGN underlay definitions
// (collectUnderlayItems), one a line: the name, the status, the size in KiB, the type, the
// file's date, the saved path and the path where the file was found. When the pickfirst set
// is one underlay, only its definition is listed and the set is let go (unhighlighted, grips
// off, emptied). Answers kQvNormal.
class TarvoUnderlaysCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
