#pragma once

class IVexaBuildInCommandContext;

// The BLOCK command: makes a block definition from selected objects (CreateBlock).
//   "Block name: "                      a valid block name
//   "Block "NAME" exists. Redefine it? [Yes/No] <No>: "   when it exists
//   "Specify insertion base point or [Annotative/Keep/Units/Description]: "
//       Annotative  "Annotative block? [Yes/No] <No>: "
//       Keep        "Keep the selected objects? [Yes/No] <No>: " (they are erased by default)
//       Units       "Insertion units (0 to 24) <current>: "
//       Description "Description: "
//   then the objects to turn into the block (the selection question).
// A layout or external-reference name, a name the drawing refuses, an empty selection and a
// selection that holds the block itself are refused with a message, and nothing changes.
// Answers kQvNormal; kQvNone when refused; kQvCancel; kQvError when the block could not be
// made.
class TarvoBlockCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};

// The BLOCKMOD command: changes an existing block definition (ModifyBlock).
//   "Block name: "
//   "Specify new base point or [Annotative/Units/Description/Explodable/Uniform]: "
// The definition's contents move so that the new base point (in the block's coordinates)
// becomes its origin. Answers kQvNormal; kQvNone for an unknown or refused name; kQvCancel.
class TarvoBlockModCommand {
 public:
  static int run(IVexaBuildInCommandContext& context);
};
