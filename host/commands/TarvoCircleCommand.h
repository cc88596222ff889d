#pragma once

class IVexaBuildInCommandContext;

// The CIRCLE command: a circle by its center and radius, in the XY plane of the current UCS.
//   "Specify center point for circle: "
//   "Specify radius of circle or [Diameter]: "   a distance, or a point on the circle
//   Diameter  "Specify diameter of circle: "
// Answers kQvNormal; kQvCancel.
class TarvoCircleCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
