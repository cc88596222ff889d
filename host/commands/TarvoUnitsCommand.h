#pragma once

class IVexaBuildInCommandContext;

// RTOS: a length typed in the drawing's units (LUNITS), written in every length mode at the
// drawing's precision (LUPREC), the current mode marked.
//   "Length in current units: "   e.g. 15.5, or 1'-3 1/2" in architectural units
// ANGTOS: the same for an angle (AUNITS, AUPREC); a bearing ("N 45d E") is read in any mode.
//   "Angle in current units: "
// Both answer kQvNormal; kQvCancel; kQvError for a text that does not read (nothing printed
// but the reason).
class TarvoLengthTextCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

class TarvoAngleTextCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
