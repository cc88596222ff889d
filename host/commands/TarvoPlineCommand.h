#pragma once

class IVexaBuildInCommandContext;

// The PLINE command: a lightweight polyline of straight and arc segments in the XY plane of
// the current UCS (at the height of its first point; later points are taken straight down
// onto that plane).
//   "Specify start point: "
//   line mode  "Specify next point or [Arc/Close/Undo]: "
//   arc mode   "Specify end point of arc or [Line/Second pt/Close/Undo]: "
//   a point    a segment to it: straight, or an arc that leaves the last point along the
//              direction the polyline had there (the UCS X axis at the start)
//   Arc, Line  switch between the modes
//   Second pt  "Specify second point on arc: ", "Specify end point of arc: ": the arc
//              through both
//   Close      closes the polyline (in arc mode with a tangent arc) and ends the command
//   Undo       takes the last segment back
//   Enter      ends the command; a polyline of two or more vertices is added
// Answers kQvNormal; kQvNone when nothing was drawn; kQvCancel (nothing is added).
class TarvoPlineCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
