#pragma once

class IVexaBuildInCommandContext;

// The CHLAYER command: moves the selected objects to a layer through their entity data
// (SetEntLayer); a layer the drawing lacks is made.
//   "Select objects: "
//   "New layer name: "
// Says how many objects moved. Answers kQvNormal; kQvCancel; kQvError for a name that is no
// layer name or when an object could not be moved.
class TarvoChangeLayerCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
