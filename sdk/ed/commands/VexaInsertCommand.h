#pragma once

class IVexaBuildInCommandContext;

// The host's INSERT command: a reference to a block definition of the drawing.
//   "Enter block name: "
//   "Specify insertion point or [Scale/X/Y/Z/Rotate]: "   the options set the factors or the
//                      rotation before the point is given, and the prompt comes again
//   "Enter X scale factor <1>: ", "Enter Y scale factor <use X scale factor>: "
//                      only when no factor was set; Z takes the X factor
//   "Specify rotation angle <0>: "                       only when no rotation was set
//   one question per attribute definition that is not constant, when "ATTREQ" is on (Enter
//   keeps the default value); with it off the attributes take their defaults
// The point, the rotation and the reference's axes are those of the current UCS; the reference
// goes into the current space. Factors are never zero. Answers kQvNormal; kQvCancel; kQvError
// for a name that is no block, a layout or an external reference (nothing is made).
class VexaInsertCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
