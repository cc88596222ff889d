#pragma once

class IVexaBuildInCommandContext;

// The ARC command: an arc in the XY plane of the current UCS, through three points or round a
// center.
//   "Specify start point of arc or [Center]: "
//   a point   "Specify second point of arc: ", then "Specify end point of arc: "
//   Center    "Specify center point of arc: ", "Specify start point of arc: ",
//             "Specify end point of arc: " (counterclockwise from the start; the end point
//             gives the direction, the radius is the start point's)
// Three points on one line, or an end at the center, make no arc: the end point is asked
// again. Answers kQvNormal; kQvCancel.
class TarvoArcCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
