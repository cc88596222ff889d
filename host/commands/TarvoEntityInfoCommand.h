#pragma once

class IVexaBuildInCommandContext;

// The ENTINFO command: the area, length and included angle of each selected entity, as the
// module's internal protocol extension answers them.
//   "Select objects: "
// One line an entity, "Line 2F: area 0.0000, length 10.0000", with only the measures the
// entity answers (angles in degrees). Answers kQvNormal; kQvCancel; kQvNone for an empty
// selection; kQvError while the module is not loaded.
class TarvoEntityInfoCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
