#pragma once

class IVexaBuildInCommandContext;

// The host's EXPLODE command: entities replaced by their pieces.
//   "Select objects: "   entities on locked layers are left out. Sent from code (qvedCommand)
//                        the selection ends after its first answer, as on the host.
// Each entity that explodes is erased and its pieces go to its owner in its place, last in
// drawing order. A block reference explodes into its block's entities carried by its
// transform (a reference among them keeps its attributes); its own attributes go, and the
// block's attribute definitions show. References to blocks that are not explodable do not
// explode, nor references scaled unevenly unless "EXPLMODE" is on. The entities that did not
// explode are counted on the command line. Answers kQvNormal when one exploded, kQvNone when
// none did, kQvCancel.
class VexaExplodeCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
