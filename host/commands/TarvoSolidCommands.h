#pragma once

class IVexaBuildInCommandContext;

// Commands that make bodies of the modeler; each loads the 3D commands module (which switches
// the modeler on) when it is not loaded.
//   BOX       "Specify first corner: ", "Specify other corner: ", "Specify height: ": a box
//             along the world axes standing on the first corner's level.
//   EXTRUDE   objects (closed curves), then "Specify height of extrusion: ":
//             one 3D solid per closed curve, swept along the curve's normal; the curves stay.
//   PLANESURF objects (closed curves): one plane surface per curve.
//   SWEEP     objects to sweep (curves), then the sweep path (the first object
//             selected): one swept surface per profile, swept where it lies.
// Objects that cannot be used are named and skipped. Answer kQvNormal; kQvCancel; kQvNone
// when nothing was selected; kQvError without a modeler.
class TarvoSolidCommands {
 public:
  static int box(IVexaBuildInCommandContext& context);
  static int extrude(IVexaBuildInCommandContext& context);
  static int planeSurface(IVexaBuildInCommandContext& context);
  static int sweep(IVexaBuildInCommandContext& context);
};
