#pragma once

class IVexaBuildInCommandContext;

// The SETVAR command: shows or changes a system variable.
//   "Enter variable name or [?]: "   a name (any case); "?" lists every variable and its value
//   "Enter new value for NAME <current>: "
// The value is read as the variable's type: a whole number for a short (outside its range it is
// asked again), a number for a real, "x,y[,z]" for a point (as typed, not carried from the UCS),
// the text for a string ("." empties it). Enter keeps the current value. Answers kQvNormal;
// kQvCancel; kQvError for an unknown name or a variable only the host changes (with a message).
class VexaSetVarCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
