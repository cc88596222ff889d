#pragma once

class IVexaBuildInCommandContext;

// The DGNBIND command: binds a DGN underlay into the drawing as a block (doDgnBind).
//   "DGN definition to bind <ONLY>: "     its name in the DGN dictionary (the default when the
//                                          drawing has only one)
//   "Block name <FILE>: "                 the DGN file's name without extension by default
//   "Bind type [Bind/Insert] <Bind>: "
// An unloaded definition (as in a drawing read from a file) is loaded first. Reports the block
// and the number of references placed, or that nothing was bound. Answers
// kQvNormal; kQvCancel; kQvError when the definition is unknown or the bind fails.
class TarvoDgnBindCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
