#pragma once

class IVexaBuildInCommandContext;

// The LINE command: straight lines from point to point, each a line of its own.
//   "Specify first point: "
//   "Specify next point or [Undo]: "        ([Close/Undo] from the third point on)
//   a point   a line from the last point to it
//   Undo      takes the last line back
//   Close     a line back to the first point, and the command ends
//   Enter     ends the command
// Points are typed in the current UCS; lines get the UCS's normal and the drawing's current
// layer, colour and linetype. Answers kQvNormal; kQvCancel (the lines drawn stay).
class TarvoLineCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
