#pragma once

class IVexaBuildInCommandContext;

// The LENGTHEN command: a new total length, or included angle, for each selected entity, taken
// at the end nearer a point picked on it, through the module's internal protocol extension.
//   "Total length or [Angle]: "   a length; Angle asks "Total angle: " (degrees)
//   "Select objects: "
//   "Point near the end of Line 2F to change: "   once an entity
// Says the new length (or angle) of each entity changed and why another was not. Answers
// kQvNormal; kQvCancel; kQvNone for an empty selection; kQvError when an entity refused the
// value or the module is not loaded.
class TarvoLengthenCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
