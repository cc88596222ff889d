#pragma once

class IVexaBuildInCommandContext;

// The CVDIST command: the value of a distance text (vexaConvertStringToDistance).
//   "Distance text: "   decimals, scientific, or feet and inches ("1'-6 1/2\""); "2x" too
// Prints "Distance: " and the value in base units (inches for feet and inches), or why the
// text was refused. Answers kQvNormal; kQvCancel; kQvError when the text is refused.
class TarvoDistanceCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
