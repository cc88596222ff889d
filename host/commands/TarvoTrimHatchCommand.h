#pragma once

class IVexaBuildInCommandContext;

// The TRIMHATCH command: keeps the parts of a hatch that lie inside cutting objects
// (CTrimHatch::TrimHatch).
//   "Select the hatch: "                                  the first hatch selected is trimmed
//   "Select cutting objects: "                            curves, polylines, block references
//   "Project the cutting objects? [No/View/Ucs] <No>: "   along the view direction or the
//                                                         UCS normal onto the hatch's plane
// The command line says how many loops were replaced and removed, or that nothing changed.
// Answers kQvNormal; kQvNone when no hatch or no cutting object was selected or nothing
// changed; kQvCancel.
class TarvoTrimHatchCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
