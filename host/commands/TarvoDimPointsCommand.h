#pragma once

class IVexaBuildInCommandContext;

// The DIMPOINTS command: the definition points a new dimension would take from each selected
// object picked at one point (XqDbUtil::getDimensionDefPoints).
//   "Select objects: "   the objects
//   "Pick point: "       where they are picked (a polyline's segment under it, the piece of a
//                        block reference nearest it)
// Prints one line an object, in world coordinates: its two points, a polyline's segment, a
// circle's four quadrant points in the view, or why it cannot be dimensioned. Answers
// kQvNormal; kQvCancel; kQvNone when nothing was selected.
//
// NDIMPOINTS does the same for one entity picked also inside block references (qvedNEntSelP):
//   "Select nested object: "  a point, or H with a path of handles and the pick point
// Prints the entity and the references it lies in, innermost first, the pick point, the
// transform from the entity's coordinates to the world (origin and axes) and its definition
// points in world coordinates.
class TarvoDimPointsCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
  static int runNested(IVexaBuildInCommandContext& context);
};
