#pragma once

class IVexaBuildInCommandContext;

// The JOIN command: joins the selected lines, arcs, polylines, splines and ellipses into
// polylines where their ends meet (CombineHelper::ChangeToPolyLine).
//   "Select objects: "                                  the curves to join
//   "Erase the source objects? [Yes/No] <Yes>: "
// The polylines go to the space of the first curve joined, with its layer, colour, linetype
// and linetype scale; circles and arcs of a whole turn come through as copies with their
// own. With Yes the curves that were used are erased; selected objects that cannot be joined
// (other kinds, curves in no plane) are left as they are either way. The command line says
// how many objects became how many polylines.
// Answers kQvNormal; kQvNone when nothing was selected or nothing could be joined; kQvCancel.
class TarvoJoinCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
