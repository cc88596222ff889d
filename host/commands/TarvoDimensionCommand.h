#pragma once

class IVexaBuildInCommandContext;

// The DIMENSION command: a dimension of one of the kinds that measure angles, arcs, radii,
// diameters and ordinates, by its definition points, in the XY plane of the current UCS.
//   "Dimension kind [Angular/3point/ARc/Radius/Jogged/Diameter/Ordinate]: "
//   Angular   the two lines, each by two points, and where the dimension arc goes
//   3point    the angle's vertex, a point on each side and where the dimension arc goes
//   ARc       the arc's center, its start and end, and where the dimension arc goes
//   Radius    the center and the point on the curve
//   Jogged    the center, the point on the curve, the center shown and the jog
//   Diameter  the point on the curve and the one opposite
//   Ordinate  the feature and the leader's end; from the UCS origin along the UCS x axis when
//             the leader runs more up than across, else along its y axis
// Then it says what the dimension measures and its base point (the entity extension's, when
// the module is loaded). Answers kQvNormal; kQvCancel; kQvError when it cannot be added.
class TarvoDimensionCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
