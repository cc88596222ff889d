#pragma once

class IVexaBuildInCommandContext;

// The BSCALE command: rescales the selected block references (ScaleBlkInserts), attributes
// with them.
//   "Select objects: "
//   "Scale factors [Multiply/Set] <Multiply>: "   multiply the current factors, or set them
//   "X scale factor: "
//   "Y scale factor <X>: ", "Z scale factor <X>: "   Enter takes the X factor
// Answers kQvNormal; kQvCancel; kQvError when a reference could not be rescaled (a zero
// factor, something not a reference).
class TarvoBlockScaleCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
